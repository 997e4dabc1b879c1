#!/bin/sh
# Tells whether this machine runs 32-bit Windows programs, by starting the
# 32-bit Wine loader: an installed package says nothing, since some kernels
# run no 32-bit code at all. Exit 0 when the loader ran; otherwise exit 1
# with one line on standard output saying why.
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  # Setup installs it where apt can; where apt cannot, its reason.
  reason=$(apt-get install -s -q --no-install-recommends wine32:i386 2>&1 |
    sed -n 's/^E: //p' | tail -n 1)
  echo "the 32-bit Wine loader $loader is not installed${reason:+ (apt-get cannot install wine32:i386: $reason)}"
  exit 1
fi
if output=$("$loader" --version 2>&1); then
  exit 0
fi
# The shell's own words come last on the line: "...: Exec format error".
echo "this machine does not run 32-bit programs (starting $loader: $(echo "$output" | tail -n 1 | sed 's/.*: //'))"
exit 1
