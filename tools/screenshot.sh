#!/bin/sh
# Makes docs/window.png: the real program as it opens, on a Wine virtual
# desktop (so Wine draws its frame and caption) under a virtual X display.
# With the mode show-dialog instead, docs/dialog.png: the password dialog
# open over the window. DPI is the display scale of the prefix (default 96);
# the display and the desktop grow with it. Builds nothing: run `make win`
# first (the `screenshot` and `screenshot-dialog` targets do).
#   tools/screenshot.sh [BUILD_DIR] [OUTPUT] [show|show-dialog] [DPI]
set -eu
build=${1:-build/win}
output=${2:-docs/window.png}
mode=${3:-show}
dpi=${4:-96}
exe="$build/bin/rnrr-password.exe"
driver="$build/bin/rnrr-e2e.exe"
for file in "$exe" "$driver"; do
  [ -f "$file" ] || { echo "screenshot: $file is missing; run make win" >&2; exit 1; }
done
prefix=$(cd "$build" && pwd)/e2e-runs/screenshot-$dpi
here=$(cd "$(dirname "$0")" && pwd)
LANG=ru_RU.UTF-8
export LANG
# A prefix of the display scale: a copy of the end-to-end tests' template.
sh "$here/../tests/e2e/run-e2e.sh" --dpi "$dpi" --copy "$build/wine-run" "$prefix"
scaled() { echo $(($1 * dpi / 96)); }

work=$(mktemp -d)
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 "$(scaled 1024)x$(scaled 768)x24" -nolisten tcp -noreset \
  3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
finish() {
  "$build/wine-run" --prefix "$prefix" wineserver -k >/dev/null 2>&1 || true
  "$build/wine-run" --prefix "$prefix" wineserver -w >/dev/null 2>&1 || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work" "$prefix"
}
trap finish EXIT INT TERM
DISPLAY=:$(timeout 30 head -n 1 "$work/display") || true
[ "$DISPLAY" != : ] || { echo "screenshot: Xvfb did not start" >&2; exit 1; }
export DISPLAY

# The driver starts the program inside the desktop and reports the frame
# round what it shows once its password and pictures are on the screen; its
# lines are read as they come, and kept, up to that one.
mkfifo "$work/out"
"$build/wine-run" --prefix "$prefix" explorer "/desktop=rnrr,$(scaled 800)x$(scaled 600)" "$driver" \
  "Z:$(cd "$(dirname "$exe")" && pwd)/$(basename "$exe")" --dpi "$dpi" "$mode" >"$work/out" 2>&1 &
if ! shown=$(timeout 60 sh -c 'exec <"$2"; while IFS= read -r line; do
    echo "$line" >>"$1"; case $line in shown*) echo "$line" && exit 0 ;; esac
  done; exit 1' sh "$work/log" "$work/out"); then
  echo "screenshot: the window did not show" >&2
  cat "$work/log" >&2
  exit 1
fi
set -- $(echo "$shown" | tr -d '\r')
left=$2 top=$3 right=$4 bottom=$5
margin=12
mkdir -p "$(dirname "$output")"
import -display "$DISPLAY" -window root -crop \
  "$((right - left + 2 * margin))x$((bottom - top + 2 * margin))+$((left - margin))+$((top - margin))" \
  +repage "$output"
echo "screenshot: wrote $output"
