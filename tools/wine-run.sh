#!/bin/sh
# Runs a Windows program under Wine in a prefix of the build's own.
#   wine-run.sh LOADER ARCH PREFIX [--prefix OTHER] PROGRAM [ARGUMENTS...]
# LOADER is the Wine loader (/usr/lib/wine/wine or wine64), ARCH the kind of
# prefix (win32 or win64), PREFIX the build's prefix; the build's wine-run
# gives these three. --prefix OTHER runs in another prefix of the build's, one
# that some tests keep to themselves. PROGRAM `wineserver` runs that prefix's
# server instead (`wineserver -k` stops it, `-w` waits for it); PROGRAM
# `serve` makes the prefix if it is new and starts a server that lasts until
# `wineserver -k` (or ten minutes after its last program), for a run of tests
# that start programs one after the other; a server running for the prefix
# already (one of wine-run's, or an interrupted run's, with its programs) is
# ended first.
#
# Nothing of the caller's Wine settings reaches Wine: every WINE* variable of
# the environment (WINEPREFIX, WINEARCH, WINELOADER, WINESERVER, WINEDEBUG...)
# is dropped, so a user's own prefix, like ~/.wine, is never used or touched.
# Wine says nothing of itself, unless RNRR_WINEDEBUG names what it is to say
# (Wine's WINEDEBUG channels).
set -eu
if [ $# -lt 4 ]; then
  echo "usage: wine-run.sh LOADER ARCH PREFIX [--prefix OTHER] PROGRAM [ARGUMENTS...]" >&2
  exit 2
fi
loader=$1 arch=$2 prefix=$3
# Wine and every process it starts run with the address space laid out
# without randomization (inherited across fork and exec). Debian's 64-bit
# loader has no preloader: it is linked at 0x7d000000, and the kernel places
# its heap anywhere in the gigabyte after it, now and then on the page at
# 0x7ffe0000 where Wine maps the data it shares with every process; that
# process then ends as it starts ("failed to map the shared user data:
# c0000018", exit code 1; to its parent CreateProcess error 1359).
if [ $((0x$(cat /proc/self/personality) & 0x40000)) -eq 0 ]; then
  exec setarch "$(uname -m)" --addr-no-randomize sh "$0" "$@"
fi
shift 3
if [ "$1" = --prefix ]; then
  prefix=$2
  shift 2
fi
for name in $(env | sed -n 's/^\(WINE[A-Za-z0-9_]*\)=.*/\1/p'); do
  unset "$name"
done
case $prefix in
  /*) ;;
  *) prefix=$PWD/$prefix ;; # Wine wants an absolute path
esac
WINEPREFIX=$prefix
WINELOADER=$loader
WINEARCH=$arch
WINEDEBUG=${RNRR_WINEDEBUG:--all}
# No Mono or Gecko to fetch, and no menu entries or file associations
# written into the user's home (~/.local/share) for the prefix's programs.
WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPREFIX WINELOADER WINEARCH WINEDEBUG WINEDLLOVERRIDES

# Wine's own fonts (package fonts-wine), Tahoma among them. Debian's Wine
# looks for them in a folder that does not exist, so without this setting
# a prefix has no Tahoma and draws the window's texts in DejaVu Sans.
wine_fonts='Z:\usr\share\wine\fonts'

# The server: Debian's wineserver script would pass -p0, so that the server
# quits the moment its last program ends, and a program started just then
# loses its connection ("recvmsg: Connection reset by peer"). The server is
# started here first instead, staying Wine's usual 3 s; where one runs
# already for the prefix this does nothing. That still leaves a moment: a
# program started as the 3 s run out finds the server there and connects as
# it quits. So a run of tests that start programs one after the other keeps
# one server up from its first to its last (serve).
server=/usr/lib/wine/wineserver64
[ -x "$server" ] || server=/usr/lib/wine/wineserver32
WINESERVER=$server
export WINESERVER
start_lasting_server() {
  "$server" -p3 </dev/null >/dev/null 2>&1 || true
}

if [ "$1" = wineserver ]; then
  shift
  exec "$server" "$@"
fi

# The prefix is made on first use and marked ready once it has its settings;
# a lock keeps parallel tests from racing. Every Wine program, wineboot
# included, starts through the loader itself: Debian's wine and wineboot
# commands pick the 32-bit loader whenever it is installed, even where it
# cannot run.
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
      "$server" -w
      touch "$ready"
    fi
  fi
  exec 9>&-
fi

if [ "$1" = serve ]; then
  "$server" -k >/dev/null 2>&1 || true
  "$server" -w
  "$server" -p600 </dev/null >/dev/null 2>&1
  # The first program of a server starts the system's own processes, which
  # keep its standard streams as long as they run: here, none of a test's.
  exec "$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1
fi
start_lasting_server
exec "$WINELOADER" "$@"
