#!/usr/bin/env bash
# The command lines of kvc-tool are a contract for scripts: check their output
# and exit codes. Usage: kvc_tool_test.sh <path to kvc-tool>
set -u
tool=$1
source "$(dirname "$0")/expect.sh"

json_case() { # name, input, expected exit, expected stdout
    local out rc
    out=$(printf '%s' "$2" | "$tool" json 2>/dev/null)
    rc=$?
    expect "json $1" "$3" "$4" "$rc" "$out"
}

json_case canonical '[ 1 , "工单", null, {"$lo":1,"items":[true]} ]' 0 '[1,"工单",null,{"$lo":1,"items":[true]}]'
json_case double '2.50' 0 '2.5'
json_case date '{"$date":"2024-05-07T08:30:00.000"}' 0 '{"$date":"2024-05-07T08:30:00.000"}'
json_case ansi '{"$ansi":"B9A4","cp":936}' 0 '{"$ansi":"b9a4","cp":936}'
json_case malformed '[1,' 2 ''
json_case unknown-key '{"$what":1}' 2 ''
json_case empty-input '' 2 ''

err=$(printf '[1,' | "$tool" json 2>&1 >/dev/null)
case "$err" in
"kvc-tool json: "*) passed=$((passed + 1)) ;;
*) fail "json error message: $err" ;;
esac

out=$(KVC_ACP=950 "$tool" codepage)
expect "codepage from KVC_ACP" 0 $'system code page: 950\nfound from: KVC_ACP=950' $? "$out"
out=$(env -u KVC_ACP -u LC_ALL -u LC_CTYPE LANG=zh_CN.UTF-8 "$tool" codepage)
expect "codepage from LANG" 0 $'system code page: 936\nfound from: LANG=zh_CN.UTF-8' $? "$out"

finish
