#!/bin/sh
# Runs a Windows program under Wine in a prefix of the build (never ~/.wine).
# WINEPREFIX, WINELOADER (the loader, /usr/lib/wine/wine or wine64) and
# WINEARCH (win32 or win64, the kind of prefix) may be set by the caller (the
# build's wine-run sets them); otherwise the prefix is ./wineprefix and the
# loader the 32-bit one. Every Wine program, wineboot included, starts
# through the loader itself: Debian's wine and wineboot commands pick the
# 32-bit loader whenever it is installed, even where it cannot run.
set -eu
: "${WINEPREFIX:=$PWD/wineprefix}"
: "${WINELOADER:=/usr/lib/wine/wine}"
: "${WINEARCH:=win32}"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINELOADER WINEARCH WINEDEBUG WINEDLLOVERRIDES

# Wine's own fonts (package fonts-wine), Tahoma among them. Debian's Wine
# looks for them in a folder that does not exist, so without this setting
# a prefix has no Tahoma and draws the window's texts in DejaVu Sans.
wine_fonts='Z:\usr\share\wine\fonts'

# The loader starts Debian's wineserver script, which passes -p0: the server
# quits the moment its last program ends, and a program started just then
# loses its connection ("recvmsg: Connection reset by peer"). A server
# started here first, staying Wine's usual 3 s, serves the programs instead;
# where one runs already this does nothing.
start_lasting_server() {
  for server in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver32; do
    if [ -x "$server" ]; then
      "$server" -p3 </dev/null >/dev/null 2>&1 || true
      return
    fi
  done
}

# The prefix is made on first use and marked ready once it has its settings;
# a lock keeps parallel tests from racing.
ready="$WINEPREFIX/.rnrr-ready"
if [ ! -f "$ready" ]; then
  mkdir -p "$WINEPREFIX"
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$ready" ]; then
    start_lasting_server
    "$WINELOADER" wineboot -i >/dev/null 2>&1 || true
    # Marked ready only with its fonts; otherwise the next run tries again.
    if "$WINELOADER" reg add 'HKCU\Software\Wine\Fonts' /v Path /d "$wine_fonts" /f \
      >/dev/null 2>&1; then
      wineserver -w
      touch "$ready"
    fi
  fi
  exec 9>&-
fi

start_lasting_server
exec "$WINELOADER" "$@"
