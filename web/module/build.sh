#!/bin/sh
# Builds rnrr.wasm from the encoder's, the window model's and the wording's
# sources (the lists encoder/sources.txt, model/sources.txt and
# wording/sources.txt that every build reads) and rnrr_module.cpp, with the
# string table's entries that the model's labels come from (written by
# tools/string_table.py, as every build does):
#   web/module/build.sh OUTPUT.wasm
# Freestanding: no C library, no start function; the exports are the
# export_name attributes in rnrr_module.cpp. Bulk memory gives the record
# copies their memcpy.
set -eu
here=$(dirname "$0")
repo=$here/../..
encoder=$repo/encoder
model=$repo/model
wording=$repo/wording
entries=$(mktemp -d)
trap 'rm -rf "$entries"' EXIT
python3 "$repo/tools/string_table.py" "$repo" "$entries/string_table_entries.h"
clang++ --target=wasm32-wasi -std=c++17 -O2 -Wall -Wextra -Werror -fno-exceptions -fno-rtti \
  -nostdlib -mbulk-memory -I"$encoder" -I"$model" -I"$wording" -I"$repo/res" -I"$entries" \
  -Wl,--no-entry -Wl,--strip-all -Wl,-z,stack-size=65536 \
  "$here/rnrr_module.cpp" $(sed "s|^|$encoder/|" "$encoder/sources.txt") \
  $(sed "s|^|$model/|" "$model/sources.txt") $(sed "s|^|$wording/|" "$wording/sources.txt") -o "$1"
