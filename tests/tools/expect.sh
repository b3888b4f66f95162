# Shared by the command-line tests of kvc-tool: source it, report each case
# with expect, check or fail, and end with finish.
passed=0
failed=0

fail() { # what went wrong
    failed=$((failed + 1))
    printf 'FAIL %s\n' "$*"
}

expect() { # name, expected exit code, expected output, actual exit code, actual output
    if [ "$4" = "$2" ] && [ "$5" = "$3" ]; then
        passed=$((passed + 1))
    else
        fail "$(printf '%s\n  expected exit %s: %s\n  got exit %s: %s' "$1" "$2" "$3" "$4" "$5")"
    fi
}

check() { # name, expected exit code, expected standard output, command...
    local name=$1 rc_want=$2 out_want=$3 out rc
    shift 3
    out=$("$@" 2>/dev/null)
    rc=$?
    expect "$name" "$rc_want" "$out_want" "$rc" "$out"
}

finish() { # exits 0 when no case failed, 1 otherwise
    echo "$passed passed, $failed failed"
    [ "$failed" -eq 0 ] && exit 0
    exit 1
}
