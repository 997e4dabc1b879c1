#!/bin/sh
# Checks that the release is reproducible and that it starts:
#   check-reproducible.sh BUILD JOBS
# Copies the commit (HEAD; without git, the source tree but BUILD) into two
# fresh folders of different names, runs `make dist` in one and then in the
# other, and compares the two zips and every file in them, naming each file
# that differs. Then it unpacks the zip and starts its programs under Wine on
# a display of its own with the 64-bit end-to-end driver of BUILD (layout and
# close cases): the 64-bit program always, the 32-bit one where the machine
# runs 32-bit code, natively or under an emulator. KEEP=1 keeps the folders for a look afterwards.
#   check-reproducible.sh --compare FIRST SECOND
# only compares two such kept folders of files (each a copy's ".files").
set -eu

# Compares every file under two folders, naming each one that is in only one
# of them or differs; fails when any does.
compare() {
  lists=$(mktemp -d)
  (cd "$1" && find . -type f | sort) >"$lists/first"
  (cd "$2" && find . -type f | sort) >"$lists/second"
  differ=0
  for file in $(sort -u "$lists/first" "$lists/second"); do
    if [ ! -f "$1/$file" ] || [ ! -f "$2/$file" ]; then
      echo "check-reproducible: only one build has ${file#./}"
      differ=1
    elif ! cmp -s "$1/$file" "$2/$file"; then
      echo "check-reproducible: ${file#./} differs"
      differ=1
    fi
  done
  [ $differ -eq 0 ] && echo "check-reproducible: $(wc -l <"$lists/first") files alike in both builds"
  rm -rf "$lists"
  return $differ
}

if [ "$1" = --compare ]; then
  compare "$2" "$3"
  exit
fi

build=$1
jobs=$2
source=$(pwd)

work=$(mktemp -d "${TMPDIR:-/tmp}/rnrr-reproducible.XXXXXX")
if [ "${KEEP:-0}" = 1 ]; then
  echo "check-reproducible: keeping $work"
else
  trap 'rm -rf "$work"' EXIT INT TERM
fi

# The two copies: different names, and of different lengths, so that a path
# compiled into a program would show.
first=$work/first
second=$work/the-second-copy
for copy in "$first" "$second"; do
  mkdir -p "$copy"
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git archive --format=tar HEAD | tar -x -C "$copy"
  else
    tar --exclude="./$build" -cf - . | tar -x -C "$copy"
  fi
done
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  [ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "check-reproducible: builds HEAD; uncommitted changes are not in it"
  # The copies have no history; they take the commit's date from here.
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
fi

for copy in "$first" "$second"; do
  echo "== make dist in $copy, started $(date -u +%H:%M:%S) =="
  env -u MAKEFLAGS -u MAKELEVEL make -C "$copy" dist BUILD=build JOBS="$jobs" >"$copy.log" 2>&1 || {
    tail -n 30 "$copy.log"
    echo "check-reproducible: make dist failed in $copy"
    exit 1
  }
  mkdir "$copy.files"
  cp "$copy"/build/dist/*.zip "$copy.files/"
  (cd "$copy.files" && unzip -q ./*.zip)
done

if ! compare "$first.files" "$second.files"; then
  echo "check-reproducible: FAILED, the two builds differ"
  exit 1
fi

# The unpacked programs, started by the 64-bit build's end-to-end driver in
# its prefix (the 32-bit one as on 64-bit Windows).
unpacked=$(dirname "$(find "$first.files" -name SHA256SUMS)")
(cd "$unpacked" && sha256sum --quiet -c SHA256SUMS)
make -s win64 JOBS="$jobs" BUILD="$build" >/dev/null
start() { # NAME PROGRAM
  sh tests/e2e/run-e2e.sh "$source/$build/win64/wine-run" "$work/prefix-$1" ru_RU.UTF-8 \
    "$source/$build/win64/bin/rnrr-e2e.exe" "Z:$2" layout close
}
start x64 "$unpacked/x64/rnrr-password.exe"
if how=$(sh tools/can-run-32bit.sh); then
  start x86 "$unpacked/rnrr-password.exe"
else
  echo "check-reproducible: the 32-bit program was not started: $how"
fi
