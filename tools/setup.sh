#!/usr/bin/env bash
# Makes a Debian 12 machine ready to build and test the program: the host
# toolchain, the i686 and x86-64 MinGW cross compilers, Wine's 32- and 64-bit
# loaders and a virtual X display. Idempotent: when every package is already
# installed it only checks and returns within seconds. Must run as root (or
# with sudo). It installs packages and changes nothing else: the 32-bit
# loader is installed even where the kernel cannot run it, and then unused.
set -euo pipefail

packages=(
  cmake make g++ clang-format python3 clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine
  xvfb xauth x11-utils imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
  "${packages[@]}" >/dev/null
