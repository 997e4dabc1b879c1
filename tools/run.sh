#!/bin/sh
# Starts the program of a Windows build (build/win, the 32-bit one, or
# build/win64) under Wine on a Wine virtual desktop, so that Wine draws the
# window's frame and caption itself. Without an X display (a server or a CI
# machine) it starts a virtual one and says how to look at it.
set -eu
build=${1:-build/win}
exe="$build/bin/rnrr-password.exe"
if grep -q ' win64 ' "$build/wine-run"; then
  kind=64-bit
else
  kind="32-bit ($(sh "$(dirname "$0")/can-run-32bit.sh"))"
fi
if [ -z "${DISPLAY:-}" ]; then
  # Xvfb picks a free display number and writes it once it takes connections;
  # -noreset keeps it taking them as the last client leaves.
  work=$(mktemp -d)
  mkfifo "$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
  trap 'exit 1' INT TERM
  display=:$(timeout 30 head -n 1 "$work/display") || true
  [ "$display" != : ] || { echo "run: Xvfb did not start" >&2; exit 1; }
  DISPLAY=$display
  export DISPLAY
  echo "No X display: the program runs on the virtual display $display."
  echo "Look at it with: import -display $display -window root window.png"
fi
echo "Starting the $kind program $exe (close the window to end)."
"$build/wine-run" explorer /desktop=rnrr,800x600 "$exe"
