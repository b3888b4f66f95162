#!/usr/bin/env bash
# kvc-tool convert through the conversion library.
# Usage: kvc_tool_convert_test.sh <path to kvc-tool> <folder of Kvlanguage.dll>
set -u
tool=$1
export KVC_LIBRARY_PATH=$2
failed=0

check() { # name, expected exit, expected stdout, command...
    local name=$1 rc_want=$2 out_want=$3 out rc
    shift 3
    out=$("$@" 2>/dev/null)
    rc=$?
    if [ "$rc" != "$rc_want" ] || [ "$out" != "$out_want" ]; then
        failed=$((failed + 1))
        printf 'FAIL %s\n  expected exit %s: %s\n  got exit %s: %s\n' "$name" "$rc_want" "$out_want" "$rc" "$out"
    fi
}

check "to 950" 0 "簡體中文" "$tool" convert --to 950 "简体中文"
check "to 936" 0 "简体中文" "$tool" convert --to 936 "簡體中文"
check "unknown code page" 105 "" "$tool" convert --to 437 "简体中文"
KVC_LIBRARY_PATH=/nonexistent check "library missing" 1 "" "$tool" convert --to 950 "简体中文"

exit $((failed > 0))
