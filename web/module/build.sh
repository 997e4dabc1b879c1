#!/bin/sh
# Builds rnrr.wasm from the encoder's, the window model's and the wording's
# sources (the lists encoder/sources.txt, model/sources.txt and
# wording/sources.txt that every build reads) and rnrr_module.cpp:
#   web/module/build.sh OUTPUT.wasm
# Freestanding: no C library, no start function; the exports are the
# export_name attributes in rnrr_module.cpp. Bulk memory gives the record
# copies their memcpy.
set -eu
here=$(dirname "$0")
encoder=$here/../../encoder
model=$here/../../model
wording=$here/../../wording
clang++ --target=wasm32-wasi -std=c++17 -O2 -Wall -Wextra -Werror -fno-exceptions -fno-rtti \
  -nostdlib -mbulk-memory -I"$encoder" -I"$model" -I"$wording" \
  -Wl,--no-entry -Wl,--strip-all -Wl,-z,stack-size=65536 \
  "$here/rnrr_module.cpp" $(sed "s|^|$encoder/|" "$encoder/sources.txt") \
  $(sed "s|^|$model/|" "$model/sources.txt") $(sed "s|^|$wording/|" "$wording/sources.txt") -o "$1"
