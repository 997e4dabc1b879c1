#!/bin/sh
# Prints the window figures from an existing Windows build (builds nothing;
# the `bench-window` target builds first): start-up and trackbar-step times
# of rnrr-password.exe against a bare window under the same Wine, as ratios,
# then the exe's size and the DLLs it imports. HOW is how the machine runs the
# build's programs (tools/can-run-32bit.sh); under an emulator a step's time
# is the emulator's, so only start-up is timed.
#   tools/bench-window.sh [BUILD_DIR [HOW]]
set -eu
build=$(cd "${1:-build/win}" && pwd)
exe="$build/bin/rnrr-password.exe"
for file in "$exe" "$build/bin/rnrr-e2e.exe" "$build/bin/bare-window.exe"; do
  [ -f "$file" ] || { echo "bench-window: $file is missing; run make win" >&2; exit 1; }
done
here=$(cd "$(dirname "$0")/.." && pwd)
steps=1001
case ${2:-native} in emulated*) steps=0 ;; esac
sh "$here/tests/e2e/run-e2e.sh" "$build/wine-run" "$build/e2e-runs/bench-window" en_US.UTF-8 \
  "$build/bin/rnrr-e2e.exe" "Z:$exe" bench "Z:$build/bin/bare-window.exe" $steps | tr -d '\r'
[ $steps -gt 0 ] || echo "trackbar step: not measured, as the program runs $2, and a step's" \
  "time would be the emulator's, not the program's"
echo "size of rnrr-password.exe: $(stat -c %s "$exe") bytes"
echo "imported DLLs: $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\tDLL Name: //p' | tr '\n' ' ')"
