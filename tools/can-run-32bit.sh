#!/bin/sh
# Tells how this machine runs 32-bit Windows programs, by starting the 32-bit
# Wine loader: an installed package says nothing, since some kernels run no
# 32-bit code at all. One line on standard output:
#   native                          the kernel runs the loader itself (exit 0)
#   emulated through HANDLER (EMULATOR)
#                                   a binfmt_misc handler runs it (exit 0;
#                                   tools/emulate-32bit.sh)
#   REASON                          it does not run, and why (exit 1)
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  # Setup installs it where apt can; where apt cannot, its reason.
  reason=$(apt-get install -s -q --no-install-recommends wine32:i386 2>&1 |
    sed -n 's/^E: //p' | tail -n 1)
  echo "the 32-bit Wine loader $loader is not installed${reason:+ (apt-get cannot install wine32:i386: $reason)}"
  exit 1
fi
if ! output=$("$loader" --version 2>&1); then
  # The shell's own words come last on the line: "...: Exec format error".
  echo "this machine does not run 32-bit programs (starting $loader: $(echo "$output" | tail -n 1 | sed 's/.*: //'))"
  exit 1
fi
# An enabled handler for i386 ELF files takes them before the kernel's own.
i386=7f454c4601010100000000000000000002000300
for entry in /proc/sys/fs/binfmt_misc/*; do
  case ${entry##*/} in register | status) continue ;; esac
  if [ -f "$entry" ] && grep -qx enabled "$entry" && grep -qx "magic $i386" "$entry"; then
    echo "emulated through ${entry##*/} ($(sed -n 's/^interpreter //p' "$entry"))"
    exit 0
  fi
done
echo native
