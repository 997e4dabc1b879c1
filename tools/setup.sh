#!/usr/bin/env bash
# Makes a Debian 12 machine ready to build and test the program: the host
# toolchain, the i686 and x86-64 MinGW cross compilers, Wine's 64-bit loader,
# a virtual X display, and for the page the wasm32 toolchain, the three
# browser engines its tests run in (Chromium, Firefox ESR, and WebKitGTK's
# MiniBrowser with WebKitWebDriver), Node.js and the npm packages of web/;
# then, where it can, Wine's 32-bit loader and the 32-bit X libraries that its
# display driver loads. On a kernel that runs no 32-bit code, it has the
# 32-bit loader run through QEMU's emulator of 32-bit x86 (see the end).
# Idempotent: when every package is already installed and the emulator
# registered it only checks and returns within seconds. Must run as root (or
# with sudo).
#
# A partly broken package archive (a mirror in the middle of a sync, a proxy
# that drops one index) does not stop it:
#   - an `apt-get update` that fails for some indexes is tried again, then
#     setup goes on with the indexes it has and names in one line those it
#     could not fetch;
#   - the packages every run needs are installed in one transaction; when
#     one of them cannot be had, setup stops and names it;
#   - the 32-bit loader is installed in a transaction of its own and is
#     optional: when apt cannot install it, setup says why in one line and
#     goes on, and `make test` leaves the 32-bit suite out, as it does on a
#     kernel that runs no 32-bit code. That transaction removes and
#     downgrades nothing and pins nothing.
set -euo pipefail

# What every run needs.
required=(
  cmake make g++ clang-format python3 clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 binutils-mingw-w64-i686
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 fonts-wine
  xvfb xauth x11-utils imagemagick
  lld wasi-libc libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32
  chromium firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0 nodejs
)
# The 32-bit loader and, through its dependencies, the i386 libraries only
# it needs; and the X extensions that Wine's display driver opens when it
# finds them, which Wine only recommends (setup takes no recommendations):
# without XInput 2, for one, it refuses to confine the pointer, as every
# mouse move of the tests asks. The 64-bit ones are required, the same for
# the 64-bit loader. Installed even where the kernel cannot run them (then
# unused, unless the emulator below runs them).
wine_x_extensions=(libxi6 libxrandr2 libxrender1 libxcursor1 libxinerama1 libxcomposite1
  libxfixes3 libxxf86vm1)
required+=("${wine_x_extensions[@]}")
optional=(wine32:i386 "${wine_x_extensions[@]/%/:i386}")

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
apt_get() {
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get "$@"
}

# Prints the packages of its arguments that are not installed.
not_installed() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# apt's reason for refusing, in one line: the first unmet dependency, if it
# names one, and its last error.
apt_reason() {
  local unmet error
  unmet=$(grep -m1 -E '^ +[^ ]+ : (Pre)?Depends: ' <<<"$1" | sed 's/^ *//; s/  */ /g' || true)
  error=$(grep -E '^E: ' <<<"$1" | tail -n 1 | sed 's/^E: //' || true)
  [ -n "$unmet" ] && printf '%s; ' "$unmet"
  printf '%s\n' "${error:-apt-get gave no reason}"
}

# apt-get update, tried three times. When some indexes still fail, one line
# names them and setup goes on with what it has.
update_indexes() {
  local try output failed
  for try in 1 2 3; do
    if output=$(apt_get update -qq 2>&1); then
      return 0
    fi
    [ $try -lt 3 ] && sleep $((try * 5))
  done
  # "E: Failed to fetch http://host/debian-security/dists/... <reason>"
  failed=$(sed -n 's|^[EW]: Failed to fetch [a-z]*://[^/]*/\([^ ]*\) *\(.*\)|\1 (\2)|p' <<<"$output" |
    sort -u | paste -sd ';' | sed 's/;/; /g')
  echo "setup: apt-get update failed 3 times; going on without ${failed:-the indexes it names: $(apt_reason "$output")}"
}

mapfile -t missing_required < <(not_installed "${required[@]}")
# Debian's nodejs carries no npm (other builds of nodejs do).
command -v npm >/dev/null || missing_required+=(npm)
mapfile -t missing_optional < <(not_installed "${optional[@]}")

if [ $((${#missing_required[@]} + ${#missing_optional[@]})) -gt 0 ] &&
  ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${as_root[@]}" dpkg --add-architecture i386
  new_architecture=1 # its indexes are fetched below
fi

[ ${#missing_required[@]} -gt 0 ] && echo "setup: installing ${missing_required[*]}"
if [ ${#missing_required[@]} -gt 0 ] || [ -n "${new_architecture:-}" ]; then
  update_indexes
fi

if [ ${#missing_required[@]} -gt 0 ]; then
  if ! output=$(apt_get install -y -q --no-install-recommends "${missing_required[@]}" 2>&1); then
    # Name the packages that cannot be had, each with apt's reason.
    named=0
    for p in "${missing_required[@]}"; do
      if ! one=$(apt_get install -s -q --no-install-recommends "$p" 2>&1); then
        echo "setup: stopped: cannot install $p, which the build needs: $(apt_reason "$one")" >&2
        named=1
      fi
    done
    [ $named -eq 1 ] ||
      echo "setup: stopped: installing the packages the build needs failed: $(apt_reason "$output")" >&2
    exit 1
  fi
fi

# The 32-bit loader, in a transaction of its own that may fail. When the
# required packages were already there, the indexes are not fetched again:
# apt answers from the ones the machine has, within a second or two.
if [ ${#missing_optional[@]} -gt 0 ]; then
  if ! output=$(apt_get install -y -q --no-install-recommends --no-remove \
    "${missing_optional[@]}" 2>&1); then
    echo "setup: the 32-bit Wine loader is left out (make test runs the 64-bit suite only):" \
      "apt-get cannot install ${missing_optional[*]}: $(apt_reason "$output")"
  fi
fi

# The page's test tools, pinned by web/package-lock.json: installed again only
# when the lock file has changed since the last install.
web=$(dirname "$0")/../web
if ! cmp -s "$web/package-lock.json" "$web/node_modules/.rnrr-installed-lock" 2>/dev/null; then
  echo "setup: npm ci in web/"
  (cd "$web" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$web/package-lock.json" "$web/node_modules/.rnrr-installed-lock"
fi

# 32-bit programs on a kernel that runs none ("Exec format error"): QEMU's
# user-mode emulator of 32-bit x86, registered with binfmt_misc for i386 ELF
# files, runs the 32-bit Wine loader and every 32-bit program that Wine
# starts from it. A kernel that runs 32-bit code, or a machine without the
# loader, is left as it is. tools/emulate-32bit.sh does the work and says in
# one line what it did, or why 32-bit programs cannot run here.
loader=/usr/lib/wine/wine
if [ -x "$loader" ] && ! output=$("$loader" --version 2>&1) &&
  grep -q 'Exec format error' <<<"$output"; then
  "${as_root[@]}" bash "$(dirname "$0")/emulate-32bit.sh" --register || true
fi
