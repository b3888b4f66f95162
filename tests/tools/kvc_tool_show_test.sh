#!/usr/bin/env bash
# kvc-tool show: refuses to start without a window backend; with KVC_BACKEND=sdl
# on an X display it opens the form's window, and Escape (the form's Cancel
# button) closes it with its modal result.
# Usage: kvc_tool_show_test.sh <path to kvc-tool>
set -u
tool=$1
source "$(dirname "$0")/expect.sh"

out=$(env -u KVC_BACKEND "$tool" show TfrmPaintSample 2>&1)
rc=$?
[ "$rc" = 2 ] && [ "$out" = "kvc-tool show: no window backend: set KVC_BACKEND=sdl" ] ||
    fail "headless: exit $rc: $out"

out=$(KVC_BACKEND=sdl DISPLAY= "$tool" show TfrmPaintSample 2>&1)
rc=$?
[ "$rc" = 2 ] && grep -q '^kvc-tool show: The SDL video backend could not start' <<<"$out" ||
    fail "no display: exit $rc: $out"

if [ -z "${DISPLAY:-}" ] || ! xdotool getdisplaygeometry >/dev/null 2>&1; then
    echo "No X display (scripts/test starts Xvfb): the windowed case is skipped"
    [ "$failed" = 0 ] && exit 77
    exit 1
fi

result=$(mktemp)
trap 'rm -f "$result"' EXIT
# SDL unloads the display libraries it loaded when its video stops; the leak
# checker then sees their caches as ours, from modules it can no longer name.
# The windowed test of the toolkit checks the backend's own memory.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
    KVC_BACKEND=sdl "$tool" show TfrmPaintSample >"$result" 2>&1 &
shown=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$shown" | head -n 1)
if [ -z "$window" ]; then
    fail "the form's window did not appear"
    kill "$shown" 2>/dev/null
else
    xprop -id "$window" _NET_WM_NAME | grep -q '"工单缺料表 - 条件"' || fail "the window's title"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # Without a window manager the keyboard follows the pointer.
    xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + 10)) key Escape
fi
if ! timeout 20 tail --pid="$shown" -f /dev/null; then
    fail "Escape did not close the form"
    kill "$shown" 2>/dev/null
fi
wait "$shown"
rc=$?
[ "$rc" = 0 ] && [ "$(cat "$result")" = "mrCancel" ] || fail "closed: exit $rc: $(cat "$result")"

finish
