#!/bin/sh
# Fuzzes one target for a set time.
#   run-fuzz.sh TARGET SEEDS WORK SECONDS
# SEEDS is the corpus kept in the repository, WORK a folder of the build where
# the fuzzer adds what it finds (it starts from both). An input that breaks
# the target lands in WORK as crash-*, leak-* or timeout-*; the run fails and
# names it. A last line gives the figures: executions per second, the working
# corpus' size and the edges covered, also kept in WORK/figures.txt.
set -eu
target=$1
seeds=$2
work=$3
seconds=$4
mkdir -p "$work"
log=$work/last-run.log
status=0
# 1 s per input at most, 2 GB of memory; -max_len lets inputs grow to 16 KiB.
"$target" -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -max_len=16384 \
  -artifact_prefix="$work/" -print_final_stats=1 "$work" "$seeds" >"$log" 2>&1 || status=$?
if [ $status -ne 0 ]; then
  tail -n 60 "$log"
  echo "run-fuzz: $(basename "$target") failed; the input is in $work"
  exit $status
fi
execs=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
edges=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
units=$(grep -o "corp: [0-9]*" "$log" | tail -n 1 | cut -d" " -f2)
echo "$(basename "$target"): ${seconds} s, $execs executions/s, $units inputs in the corpus, $edges edges" |
  tee "$work/figures.txt"
