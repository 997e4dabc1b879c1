#!/usr/bin/env bash
# Makes a Debian 12 machine ready to build and test the program: the host
# toolchain, the i686 and x86-64 MinGW cross compilers, Wine's 32- and 64-bit
# loaders, a virtual X display, and for the page the wasm32 toolchain,
# Chromium, Node.js and the npm packages of web/. Idempotent: when every package is already
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
  clang lld wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32
  chromium nodejs
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
# Debian's nodejs carries no npm (other builds of nodejs do).
command -v npm >/dev/null || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
  as_root=()
  [ "$(id -u)" -ne 0 ] && as_root=(sudo)

  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
  fi
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends \
    "${packages[@]}" "${missing[@]}" >/dev/null
fi

# The page's test tools, pinned by web/package-lock.json: installed again only
# when the lock file has changed since the last install.
web=$(dirname "$0")/../web
if ! cmp -s "$web/package-lock.json" "$web/node_modules/.rnrr-installed-lock" 2>/dev/null; then
  echo "setup: npm ci in web/"
  (cd "$web" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$web/package-lock.json" "$web/node_modules/.rnrr-installed-lock"
fi
