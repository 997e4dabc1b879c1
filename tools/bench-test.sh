#!/bin/sh
# Times each stage of `make test` on the real work: the Makefile names them
# (setup, its builds and its test stages), and they run one after the other
# as `make test` runs them; then prints one line a stage and the whole. In a
# built tree the builds only check; in an empty BUILD they build everything.
# The machine's load (other work slows every figure) is printed before and
# after.
#   tools/bench-test.sh BUILD JOBS STAGE...
set -u
build=$1
jobs=$2
shift 2
stages=$*
cd "$(dirname "$0")/.."
# Each stage a make command of its own, as from a shell: setup runs once.
unset MAKELEVEL MAKEFLAGS
results=$(mktemp)
log=$build/bench-test.log
mkdir -p "$build"
: >"$log"
load() { echo "$(nproc) processors, load average $(cut -d' ' -f1-3 /proc/loadavg)"; }
echo "bench-test: stages of make test in $build; before: $(load)"
status=0
for stage in $stages; do
  start=$(date +%s.%N)
  # One make per stage, setup left to its own stage (as `make test` runs it
  # once); each stage's output goes to the log.
  if [ "$stage" = setup ]; then
    make -s setup BUILD="$build" JOBS="$jobs" >>"$log" 2>&1
  else
    MAKELEVEL=1 make -s "$stage" BUILD="$build" JOBS="$jobs" >>"$log" 2>&1
  fi
  result=$?
  seconds=$(awk "BEGIN { print $(date +%s.%N) - $start }")
  [ $result -eq 0 ] || status=1
  printf '%-12s %8.1f s%s\n' "$stage" "$seconds" "$([ $result -eq 0 ] || echo '  FAILED')" |
    tee -a "$results"
done
awk '{ total += $2 } END { printf "%-12s %8.1f s\n", "total", total }' "$results"
echo "bench-test: after: $(load); the stages' output is in $log"
rm -f "$results"
exit $status
