#!/bin/sh
# kvc-host as a host integrator runs it: the smoke sequence on the test
# plug-in, and exit code 2 with a message for a missing file or export.
#   kvc_host_test.sh <kvc-host> <test plug-in> <library without the export>
set -u
host=$1 plugin=$2 noexport=$3
fail=0
check() { # name expected actual
    if [ "$2" != "$3" ]; then
        echo "FAIL $1: expected [$2], got [$3]"
        fail=1
    fi
}

out=$("$host" smoke --plugin "$plugin")
check "smoke exit" 0 $?
check "smoke lines" 10 "$(printf '%s\n' "$out" | wc -l | tr -d ' ')"
check "open line" '{"step":"Open","result":0}' "$(printf '%s\n' "$out" | sed -n 3p)"
check "notify order" '256 272 288 304' \
    "$(printf '%s\n' "$out" | sed -n 's/^{"notify":\([0-9]*\)}$/\1/p' | tr '\n' ' ' | sed 's/ $//')"

out=$("$host" smoke --plugin "$plugin" --launch '["1","C1","D1",0,null]')
check "launch option" '{"step":"GetInfo","result":0,"info":["1","C1","TSTRP1","TSTRP1"],"version":"870401-0.00.00"}' \
    "$(printf '%s\n' "$out" | sed -n 6p)"

err=$("$host" smoke --plugin /nonexistent/Nothing.dll 2>&1 >/dev/null)
check "missing file exit" 2 $?
case $err in *"cannot load the plug-in /nonexistent/Nothing.dll"*) ;; *) echo "FAIL missing file message: $err"; fail=1 ;; esac

err=$("$host" smoke --plugin "$noexport" 2>&1 >/dev/null)
check "missing export exit" 2 $?
case $err in *"does not export GetController"*) ;; *) echo "FAIL missing export message: $err"; fail=1 ;; esac

exit $fail
