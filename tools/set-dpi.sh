#!/bin/sh
# Gives a Wine prefix a display scale: LogPixels, the DPI that the Windows
# programs in it see (96 is 100 %, 120 125 %, 144 150 %, 192 200 %). Waits
# for the prefix's server to end, so that the next program starts with it;
# does nothing when the prefix has that DPI already.
#   set-dpi.sh WINE_RUN PREFIX DPI
set -eu
wine_run=$1
prefix=$2
dpi=$3
mark="$prefix/.rnrr-dpi"
[ "$(cat "$mark" 2>/dev/null)" = "$dpi" ] && exit 0
"$wine_run" --prefix "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
  /d "$dpi" /f >/dev/null 2>&1
"$wine_run" --prefix "$prefix" wineserver -w
echo "$dpi" >"$mark"
