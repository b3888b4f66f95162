#!/usr/bin/env bash
# kvc-tool render --lang: the language files of the form's class and, for
# CHT, the conversion to Big5. The printed title shows what was applied; the
# pictures show that the controls' texts changed too.
# Usage: kvc_tool_render_test.sh <path to kvc-tool> <folder of Kvlanguage.dll>
set -u
tool=$1
export KVC_LIBRARY_PATH=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/expect.sh"

lang() { # folder code, title, button caption
    mkdir -p "$work/languages/$1"
    cat >"$work/languages/$1/TfrmPaintSample.Lng" <<LNG
<?xml version="1.0" encoding="UTF-8"?>
<TfrmPaintSample Caption="$2">
  <btnOk Caption="$3"/>
</TfrmPaintSample>
LNG
}
lang CHS "缺料表" "好"
lang CHT "缺料报表" "好"
lang ENG "Shortages" "Go"

# No configuration: an empty registry.
export KVC_REGISTRY=$work/none.reg
render() { # png name, options...
    local png=$work/$1.png
    shift
    "$tool" render TfrmPaintSample --out "$png" "$@"
}

check "as designed" 0 "$work/designed.png: 420 x 300 \"工单缺料表 - 条件\"" render designed
check "CHS" 0 "$work/chs.png: 420 x 300 \"缺料表\"" render chs --lang CHS --lang-dir "$work/languages"
check "CHT converts" 0 "$work/cht.png: 420 x 300 \"缺料報表\"" render cht --lang CHT --lang-dir "$work/languages"
check "ENG" 0 "$work/eng.png: 420 x 300 \"Shortages\"" render eng --lang ENG --lang-dir "$work/languages"
check "no language folder" 2 "" render none --lang CHS --lang-dir "$work/missing"
check "no configured client path" 2 "" render none --lang CHS
check "folder without language" 107 "" render none --lang-dir "$work/languages"
check "unknown language" 105 "" render none --lang FRA --lang-dir "$work/languages"
KVC_LIBRARY_PATH=/nonexistent check "CHT without the library" 2 "" \
    render none --lang CHT --lang-dir "$work/languages"

# The configured client path's MultiLanguage folder is the default.
mkdir -p "$work/erp"
cp -r "$work/languages" "$work/erp/MultiLanguage"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\KVC\\Tessera]\r\n"ClientPath"="Z:%s\\\\"\r\n' \
    "$(printf '%s' "$work/erp" | sed 's|/|\\\\|g')" >"$work/erp.reg"
KVC_REGISTRY=$work/erp.reg check "configured folder" 0 "$work/configured.png: 420 x 300 \"Shortages\"" \
    render configured --lang ENG

# Each language changes the picture: the button's caption and, under CHT,
# every text of the form in Big5.
for a in designed chs cht eng; do
    for b in designed chs cht eng; do
        if [ "$a" \< "$b" ] && cmp -s "$work/$a.png" "$work/$b.png"; then
            fail "the pictures $a and $b are the same"
        fi
    done
done

finish
