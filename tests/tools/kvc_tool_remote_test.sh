#!/usr/bin/env bash
# The command lines of kvc-tool rpc and kvc-tool jobs against a real
# reportcounterd. Usage: kvc_tool_remote_test.sh <kvc-tool> <reportcounterd>
set -u
tool=$1
daemon=$2
work=$(mktemp -d)
daemon_pid=
cleanup() {
    [ -n "$daemon_pid" ] && kill "$daemon_pid" 2>/dev/null && wait "$daemon_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/expect.sh"

"$daemon" --listen 127.0.0.1:0 --db "$work/jobs.db" >"$work/daemon.out" &
daemon_pid=$!
for _ in $(seq 1 200); do
    grep -q '^listening on ' "$work/daemon.out" 2>/dev/null && break
    sleep 0.05 # waiting for a child to start, not for a race
done
endpoint=$(sed -n 's/^listening on //p' "$work/daemon.out")
[ -n "$endpoint" ] || { echo "FAIL daemon did not start"; exit 1; }

out=$("$tool" rpc "$endpoint" SQLType 2>&1)
expect "rpc without arguments" 0 '{"result": 3, "byref": []}' $? "$out"

out=$("$tool" rpc "$endpoint" InsertConTable '[["月报","DS","20240515","WVTR57","chkA.checked;","True\r\n",false]]' 2>&1)
expect "rpc by-reference argument shown after the call" 0 \
    '{"result": "", "byref": [["月报","DS","20240515","WVTR57","chkA.checked;","True\r\n",false]]}' $? "$out"

out=$("$tool" rpc "$endpoint" InsertConTable '[["月报","DS","20240515","WVTR57","chkA.checked;","True\r\n",false]]' 2>&1)
expect "rpc duplicate scheme refused as a text" 0 \
    '{"result": "A scheme named '"'"'月报'"'"' already exists", "byref": [["月报","DS","20240515","WVTR57","chkA.checked;","True\r\n",false]]}' $? "$out"

request='[[{"$lo":1,"items":["WVTR57",10,1,"TqTest60","DS","TqTest60",{"$date":"2024-05-15T12:00:00.000"},"WVTR57S.Class1","R",1]},{"$lo":1,"items":[["打印日期","edPrintDate"]]},{"$lo":1,"items":["20240515"]}]]'
out=$("$tool" rpc "$endpoint" Request "$request" 2>/dev/null)
rc=$?
case "$out" in
'{"result": "'[0-9][0-9][0-9][0-9][0-9][0-9][0-9][0-9]000001'", "byref": ['*) expect "rpc Request gives the first job number" 0 x "$rc" x ;;
*) expect "rpc Request gives the first job number" 0 'a job number' "$rc" "$out" ;;
esac

out=$("$tool" rpc "$endpoint" Request '[[1,2]]' 2>&1)
expect "rpc refused request answers ERROR" 0 '{"result": "ERROR", "byref": [[1,2]]}' $? "$out"
out=$("$tool" rpc "$endpoint" ErrorDescript 2>&1)
expect "rpc ErrorDescript of this connection only" 0 '{"result": "", "byref": []}' $? "$out"

err=$("$tool" rpc "$endpoint" NoSuchMethod 2>&1 >/dev/null)
expect "rpc unknown method exits 1 with the error" 1 "Method 'NoSuchMethod' not supported by automation object" $? "$err"
out=$("$tool" rpc "$endpoint" Request 2>/dev/null)
expect "rpc wrong argument count exits 1" 1 '' $? "$out"
"$tool" rpc "$endpoint" SQLType '{"not":"an array"}' >/dev/null 2>&1
expect "rpc arguments not an array exit 2" 2 '' $? ''
"$tool" rpc "$endpoint" SQLType '[1,' >/dev/null 2>&1
expect "rpc bad JSON exits 2" 2 '' $? ''
"$tool" rpc nocolon SQLType >/dev/null 2>&1
expect "rpc bad endpoint exits 2" 2 '' $? ''

out=$("$tool" jobs --db "$work/jobs.db" | sed -E 's/"[0-9]{8}000001"/"JOB"/; s/"received_at":\{"\$date":"[^"]*"\}/"received_at":"AT"/')
expect "jobs lists the stored job" 0 \
    '{"job":"JOB","status":"queued","program":"WVTR57","user":"DS","company":"TqTest60","run_mode":1,"start":{"$date":"2024-05-15T12:00:00.000"},"periodic":false,"received_at":"AT"}' $? "$out"
"$tool" jobs --db "$work/missing.db" >/dev/null 2>&1
expect "jobs without the file exits 1" 1 '' $? ''
[ ! -e "$work/missing.db" ]
expect "jobs creates no file" 0 '' $? ''

kill "$daemon_pid"
wait "$daemon_pid"
expect "daemon stops on SIGTERM with exit 0" 0 '' $? ''
daemon_pid=
err=$("$tool" rpc "$endpoint" SQLType 2>&1 >/dev/null)
rc=$?
case "$err" in
"Cannot connect to the server at $endpoint"*) expect "rpc without a server exits 1" 1 x $rc x ;;
*) expect "rpc without a server exits 1" 1 'Cannot connect ...' $rc "$err" ;;
esac

finish
