#!/bin/sh
# Runs one end-to-end program under Wine on a display of its own.
#   run-e2e.sh [--dpi DPI] WINE_RUN PREFIX LANG PROGRAM [ARGUMENTS...]
# WINE_RUN is the build's wine-run, PREFIX a Wine prefix kept for these tests
# alone (so stopping its wineserver touches no other test), LANG the locale the
# programs see (Wine takes the ANSI code page from it). The prefix shows every
# window on a 1024x768 Wine virtual desktop, where Wine draws frames and
# captions itself and keyboard and mouse input need no window manager. With
# --dpi the prefix gets that display scale (a prefix keeps one), and the
# display and the desktop grow with it.
set -eu
dpi=96
if [ "$1" = --dpi ]; then
  dpi=$2
  shift 2
fi
wine_run=$1
prefix=$2
locale=$3
shift 3

LANG=$locale
LC_ALL=$locale
export LANG LC_ALL
unset WAYLAND_DISPLAY

screen="$((1024 * dpi / 96))x$((768 * dpi / 96))"

# A free display number, chosen by Xvfb itself.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
stop_all() {
  "$wine_run" --prefix "$prefix" wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  rm -f "$display_file"
}
trap stop_all EXIT INT TERM
tries=0
while [ ! -s "$display_file" ]; do
  tries=$((tries + 1))
  if [ $tries -gt 100 ] || ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "run-e2e: Xvfb did not start" >&2
    exit 1
  fi
  sleep 0.1
done
DISPLAY=:$(head -n 1 "$display_file")
export DISPLAY

# The virtual desktop is a setting of the prefix, made once.
if [ ! -f "$prefix/.e2e-desktop" ]; then
  "$wine_run" --prefix "$prefix" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default \
    /f >/dev/null 2>&1
  "$wine_run" --prefix "$prefix" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
    /d "$screen" /f >/dev/null 2>&1
  "$wine_run" --prefix "$prefix" wineserver -w
  touch "$prefix/.e2e-desktop"
fi
sh "$(dirname "$0")/../../tools/set-dpi.sh" "$wine_run" "$prefix" "$dpi"

status=0
"$wine_run" --prefix "$prefix" "$@" || status=$?
exit $status
