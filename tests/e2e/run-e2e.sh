#!/bin/sh
# Runs one end-to-end program under Wine on a display of its own, in a prefix
# of its own.
#   run-e2e.sh [--dpi DPI] [--no-desktop] WINE_RUN PREFIX LANG PROGRAM [ARGUMENTS...]
#   run-e2e.sh [--dpi DPI] --template WINE_RUN
#   run-e2e.sh [--dpi DPI] --copy WINE_RUN PREFIX
# WINE_RUN is the build's wine-run. PREFIX is made afresh for the run, a copy
# of the build's template prefix for DPI, and removed when the program
# passes (a failed run's stays for a look); its wineserver lasts until the
# run ends (or a minute after its last program, should the run be killed), so
# that no program of the run starts while it quits. LANG is the
# locale the programs see (Wine takes the ANSI code page from it).
#
# The template (e2e-template-DPI beside WINE_RUN) shows every window on a
# Wine virtual desktop as large as the display, where Wine draws frames and
# captions itself and keyboard and mouse input need no window manager, and
# has DPI as its display scale (LogPixels; 96 is 100 %). It is made once, on
# first need or by --template (CTest's fixtures), under a lock: the 96-DPI
# one is booted, the others are copies of it with their own settings; it is
# made again for another Wine. A copy links the template's Windows programs
# and libraries, which Wine writes only when it makes or updates a prefix,
# and copies every other file; --copy only makes PREFIX such a copy, for a
# run of another kind. The display and desktop grow with DPI. With
# --no-desktop the run's prefix has no virtual desktop and the display is
# 1280x1024: each window is a window of the display, with room to grow to
# twice its size.
set -eu
dpi=96
desktop=yes
while :; do
  case $1 in
    --dpi) dpi=$2 && shift 2 ;;
    --no-desktop) desktop=no && shift ;;
    *) break ;;
  esac
done
if [ "$1" = --template ]; then
  wine_run=$2
  set --
elif [ "$1" = --copy ]; then
  wine_run=$2
  copy_to=$3
  set --
else
  wine_run=$1
  prefix=$2
  LANG=$3
  LC_ALL=$3
  export LANG LC_ALL
  shift 3
fi
build=$(cd "$(dirname "$wine_run")" && pwd)
unset WAYLAND_DISPLAY
# Wine's own errors go with the run's output, so that a failure that begins
# inside Wine (a program that dies as it starts) shows what Wine saw; but
# wineboot's, which says that the prefixes run no menu builder.
RNRR_WINEDEBUG=err+all,err-wineboot,fixme-all
export RNRR_WINEDEBUG
# Wine makes a prefix anew for another wine.inf; so is a template.
wine_mark=$(cksum </usr/share/wine/wine.inf)

# A display of its own: Xvfb picks a free number and writes it once it takes
# connections. -noreset: an X server resets as its last client leaves and
# refuses whoever connects meanwhile, such as a copy of the program started
# just as the one before it ended.
work=$(mktemp -d)
mkfifo "$work/display"
screen="$((1024 * dpi / 96))x$((768 * dpi / 96))"
[ $desktop = yes ] || screen=1280x1024
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
stop_all() {
  if [ -n "${prefix:-}" ]; then
    "$wine_run" --prefix "$prefix" wineserver -k >/dev/null 2>&1 || true
    "$wine_run" --prefix "$prefix" wineserver -w >/dev/null 2>&1 || true
  fi
  kill "$xvfb_pid" 2>/dev/null || true
  wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap stop_all EXIT
trap 'exit 1' INT TERM
number=$(timeout 30 head -n 1 "$work/display") || true
if [ -z "$number" ]; then
  echo "run-e2e: Xvfb did not start within 30 s" >&2
  exit 1
fi
DISPLAY=:$number
export DISPLAY

# Copies a prefix: its Windows programs and libraries linked (on another
# file system, copied), every other file copied.
copy_prefix() {
  rm -rf "$2"
  mkdir -p "$(dirname "$2")"
  if cp -al "$1" "$2" 2>/dev/null; then
    (cd "$2" && find . -type f \( ! -path './drive_c/windows/*' -o ! \( -name '*.dll' \
      -o -name '*.exe' -o -name '*.drv' -o -name '*.sys' -o -name '*.nls' -o -name '*.acm' \
      -o -name '*.ax' -o -name '*.cpl' -o -name '*.ocx' -o -name '*.tlb' -o -name '*.com' \) \) \
      -exec sh -c 'for f; do cp -p --remove-destination "$0/$f" "$f"; done' "$1" {} +)
  else
    rm -rf "$2"
    cp -a "$1" "$2"
  fi
}

# Makes the template for a DPI unless it is there for this Wine.
prepare() {
  template=$build/e2e-template-$1
  [ "$(cat "$template/.rnrr-e2e-ready" 2>/dev/null)" = "$wine_mark" ] && return 0
  [ "$1" = 96 ] || prepare 96
  template=$build/e2e-template-$1
  (
    flock 8
    [ "$(cat "$template/.rnrr-e2e-ready" 2>/dev/null)" = "$wine_mark" ] && exit 0
    rm -rf "$template" "$template.new"
    if [ "$1" != 96 ]; then
      copy_prefix "$build/e2e-template-96" "$template.new"
      rm "$template.new/.rnrr-e2e-ready"
    fi
    # The first program boots the prefix (wine-run.sh).
    set_value() { "$wine_run" --prefix "$template.new" reg add "$@" /f >/dev/null 2>&1; }
    set_value 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
    set_value 'HKCU\Software\Wine\Explorer\Desktops' /v Default \
      /d "$((1024 * $1 / 96))x$((768 * $1 / 96))"
    set_value 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1"
    # Its server writes the registry out as it ends; no copy has its state.
    "$wine_run" --prefix "$template.new" wineserver -w
    echo "$wine_mark" >"$template.new/.rnrr-e2e-ready"
    rm -f "$template.new.lock"
    mv "$template.new" "$template"
  ) 8>"$template.lock"
}

prepare "$dpi"
if [ -n "${copy_to:-}" ]; then
  copy_prefix "$build/e2e-template-$dpi" "$copy_to"
  exit 0
fi
[ $# -eq 0 ] && exit 0

copy_prefix "$build/e2e-template-$dpi" "$prefix"
"$wine_run" --prefix "$prefix" wineserver -p60 </dev/null >/dev/null 2>&1
if [ $desktop = no ]; then
  "$wine_run" --prefix "$prefix" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f \
    >/dev/null 2>&1
fi

status=0
"$wine_run" --prefix "$prefix" "$@" || status=$?
if [ $status -eq 0 ]; then
  stop_all
  trap - EXIT
  rm -rf "$prefix"
else
  echo "run-e2e: the prefix of the failed run stays in $prefix" >&2
fi
exit $status
