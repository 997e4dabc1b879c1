#!/bin/sh
# Runs a Windows program under Wine in a prefix of the build (never ~/.wine).
# The prefix is made on first use; a lock keeps parallel tests from racing.
# WINEPREFIX may be set by the caller (the build's wine-run sets it),
# otherwise the prefix is ./wineprefix.
set -eu
: "${WINEPREFIX:=$PWD/wineprefix}"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  flock "$WINEPREFIX.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1; wineserver -w'
fi
exec wine "$@"
