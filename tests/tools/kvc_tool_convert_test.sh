#!/usr/bin/env bash
# kvc-tool convert through the conversion library.
# Usage: kvc_tool_convert_test.sh <path to kvc-tool> <folder of Kvlanguage.dll>
set -u
tool=$1
export KVC_LIBRARY_PATH=$2
source "$(dirname "$0")/expect.sh"

check "to 950" 0 "簡體中文" "$tool" convert --to 950 "简体中文"
check "to 936" 0 "简体中文" "$tool" convert --to 936 "簡體中文"
check "unknown code page" 105 "" "$tool" convert --to 437 "简体中文"
KVC_LIBRARY_PATH=/nonexistent check "library missing" 1 "" "$tool" convert --to 950 "简体中文"

finish
