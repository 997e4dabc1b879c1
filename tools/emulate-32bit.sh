#!/usr/bin/env bash
# 32-bit programs on a kernel that runs no 32-bit code: QEMU's user-mode
# emulator of 32-bit x86 (qemu-i386), registered with binfmt_misc for i386
# ELF files, so that the kernel hands it every 32-bit program it is to start:
# Wine's 32-bit loader and every program that Wine starts from it.
#
#   emulate-32bit.sh --register
#       (as root; setup runs it where the 32-bit loader gives "Exec format
#       error") installs the emulator where none is, mounts binfmt_misc and
#       registers the handler qemu-i386, unless a handler for i386 ELF files
#       is there already; says in one line what it did or why it could not.
#       Undone by: echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
#   emulate-32bit.sh COMMAND [ARGUMENTS...]
#       runs COMMAND with every 32-bit program it starts going through the
#       emulator, on any kernel, as an emulating machine would: in a user
#       and mount namespace of its own whose binfmt_misc holds the handler
#       (Linux 6.7 and later give each namespace its own). Nothing outside
#       the namespace changes; the emulator must be installed.
#
# The emulator is QEMU 8.1 or later. Wine reserves its address space as it
# starts with mmap calls flagged MAP_FIXED_NOREPLACE; QEMU 7.2 (Debian 12's
# own) takes the flag for a mere hint and maps elsewhere, so Wine's
# reservation splits into some 65 000 mmap and munmap calls that it searches
# page by page: 52 s of every 32-bit process start on 2 cores, against under
# a second with QEMU 10. So --register installs qemu-user from Debian's
# bookworm-backports, fetched through apt with a list of sources of its own
# (the machine's apt sources stay as they are), and falls back to Debian 12's
# qemu-user-static, which is slow, only when that cannot be had.
set -euo pipefail

handler=qemu-i386
# The i386 ELF executables and shared objects, as QEMU's binfmt table has them.
magic='\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
binfmt=/proc/sys/fs/binfmt_misc
loader=/usr/lib/wine/wine

# The installed emulator: "PATH fast" for QEMU 8.1 or later, else "PATH
# slow"; nothing when there is none.
emulator() {
  local q version slow=
  for q in /usr/bin/qemu-i386 /usr/bin/qemu-i386-static; do
    [ -x "$q" ] || continue
    version=$("$q" --version | sed -n '1s/^qemu-i386 version \([0-9]*\)\.\([0-9]*\).*/\1 \2/p')
    # shellcheck disable=SC2086
    if [ -n "$version" ] && set -- $version && { [ "$1" -gt 8 ] || { [ "$1" -eq 8 ] && [ "$2" -ge 1 ]; }; }; then
      echo "$q fast"
      return
    fi
    slow=${slow:-$q}
  done
  [ -z "$slow" ] || echo "$slow slow"
}

# The line that registers Emulator for i386 ELF files. F: the kernel opens
# the emulator now, and keeps it for programs in any mount namespace.
handler_line() {
  printf ':%s:M::%s:%s:%s:F' "$handler" "$magic" "$mask" "$1"
}

# An enabled handler of binfmt_misc that takes i386 ELF files: its name.
i386_handler() {
  local entry wanted
  wanted=$(printf '%s' "$magic" | sed 's/\\x//g')
  for entry in "$binfmt"/*; do
    [ -f "$entry" ] && [ "${entry##*/}" != register ] && [ "${entry##*/}" != status ] || continue
    if grep -qx enabled "$entry" && grep -qx "magic $wanted" "$entry"; then
      echo "${entry##*/}"
      return
    fi
  done
}

# qemu-user from bookworm-backports, through apt with sources, lists and
# cache of its own in a folder that is removed afterwards.
install_backports() {
  local work repository status=0
  repository=$(apt-get indextargets --format '$(REPO_URI)' 'Release: bookworm' 'Target-Of: deb' |
    head -n 1)
  [ -n "$repository" ] || repository=http://deb.debian.org/debian/
  work=$(mktemp -d)
  chmod 755 "$work"
  mkdir -p "$work/lists/partial" "$work/cache/archives/partial"
  # apt downloads as its own user where there is one.
  chown -R _apt "$work/lists/partial" "$work/cache/archives/partial" 2>/dev/null || true
  echo "deb [arch=amd64 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg]" \
    "$repository bookworm-backports main" >"$work/sources.list"
  local own=(-o "Dir::Etc::SourceList=$work/sources.list" -o Dir::Etc::SourceParts=/nonexistent
    -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o APT::Get::List-Cleanup=false)
  DEBIAN_FRONTEND=noninteractive apt-get "${own[@]}" update -qq >"$work/log" 2>&1 &&
    DEBIAN_FRONTEND=noninteractive apt-get "${own[@]}" install -y -q --no-install-recommends \
      --no-remove qemu-user/bookworm-backports >>"$work/log" 2>&1 || status=1
  [ $status -eq 0 ] || sed -n 's/^E: //p' "$work/log" | tail -n 1
  rm -rf "$work"
  return $status
}

register() {
  local say="setup: this kernel runs no 32-bit code" q reason existing
  if [ "$(id -u)" -ne 0 ]; then
    echo "$say, and registering an emulator for it takes root; the 32-bit programs are left out"
    return 1
  fi
  if [ ! -f "$binfmt/register" ] && ! mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null; then
    echo "$say, and binfmt_misc cannot be mounted here (the kernel has no binfmt_misc, or this" \
      "container may not mount it); the 32-bit programs are left out"
    return 1
  fi
  existing=$(i386_handler)
  if [ -n "$existing" ] && [ "$existing" != "$handler" ]; then
    echo "$say; 32-bit programs go through the binfmt_misc handler $existing that is there already"
    return 0
  fi
  local found fetch=
  found=$(emulator)
  if [ "${found#* }" != fast ]; then
    if fetch=$(install_backports); then
      found=$(emulator)
    elif [ -z "$found" ]; then
      DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
        qemu-user-static >/dev/null 2>&1 || true
      found=$(emulator)
    fi
  fi
  q=${found% *}
  if [ -z "$q" ]; then
    echo "$say, and apt can install no emulator (qemu-user from bookworm-backports: $fetch);" \
      "the 32-bit programs are left out"
    return 1
  fi
  # Ours again, for the emulator chosen now.
  [ -z "$existing" ] || echo -1 >"$binfmt/$handler"
  handler_line "$q" >"$binfmt/register"
  if ! reason=$("$loader" --version 2>&1); then
    echo "$say; $q is registered for them, but the 32-bit loader still fails: $reason"
    return 1
  fi
  local through
  through=$("$q" --version | sed -n '1s/^qemu-i386 version \([^ ]*\).*/QEMU \1/p')
  [ "${found#* }" = fast ] ||
    through+=", slow (about a minute a process start; qemu-user from bookworm-backports could not be had${fetch:+: $fetch})"
  echo "$say: 32-bit programs now run through $through, the binfmt_misc handler $handler" \
    "(undo: echo -1 > $binfmt/$handler)"
}

if [ "${1:-}" = --register ]; then
  register
  exit
fi
if [ $# -eq 0 ]; then
  echo "usage: emulate-32bit.sh --register | emulate-32bit.sh COMMAND [ARGUMENTS...]" >&2
  exit 2
fi
q=$(emulator)
q=${q% *}
if [ -z "$q" ]; then
  echo "emulate-32bit: no qemu-i386 installed (qemu-user, from bookworm-backports)" >&2
  exit 1
fi
# In the namespace: binfmt_misc of its own with the handler, then COMMAND.
exec unshare --user --map-root-user --mount bash -c '
  mount -t binfmt_misc binfmt_misc "$1" && printf "%s" "$2" >"$1/register" || {
    echo "emulate-32bit: this kernel gives a namespace no binfmt_misc of its own" >&2
    exit 1
  }
  shift 2
  exec "$@"' emulate "$binfmt" "$(handler_line "$q")" "$@"
