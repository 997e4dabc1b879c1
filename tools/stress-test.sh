#!/bin/sh
# The Windows suites and the page tests under load, ROUNDS times in a row:
# in each round two processes that only spin take the processors beside
# them, CTest runs twice as many cases at a time as there are processors,
# and the page tests run beside the Windows suites (which run one after the
# other, as the 32-bit static checks share the 64-bit build's prefix). Prints
# each round's failed cases by name, and the counts over all rounds; every
# round's output is in BUILD/stress/. Fails when any case failed.
#   tools/stress-test.sh BUILD JOBS ROUNDS
set -u
build=$1
jobs=$2
rounds=$3
cd "$(dirname "$0")/.."
logs=$build/stress
mkdir -p "$logs"
hogs=""
stop_hogs() {
  [ -z "$hogs" ] || kill $hogs 2>/dev/null
  hogs=""
}
trap stop_hogs EXIT
trap 'exit 1' INT TERM

# "FAILED NAME" lines and "RAN N" lines for a round's CTest or node log.
ctest_cases() {
  sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (.*)$/FAILED \1/p' "$1"
  sed -n 's/.* tests failed out of \([0-9]*\)$/RAN \1/p' "$1"
}
node_tests() {
  sed -n 's/^ *not ok [0-9]* - \(.*\)$/FAILED \1/p' "$1" | grep -v '^FAILED \(chromium\|firefox\|webkit\)$'
  sed -n 's/^# tests \([0-9]*\)$/RAN \1/p' "$1"
}

failed=0
ran=0
echo "stress-test: $rounds rounds, CTest at $((2 * jobs)) cases at a time beside 2 spinning processes"
round=1
while [ $round -le "$rounds" ]; do
  for hog in 1 2; do
    sh -c 'while :; do :; done' &
    hogs="$hogs $!"
  done
  start=$(date +%s)
  windows_log=$logs/round-$round-windows.log
  web_log=$logs/round-$round-web.log
  (status=0
    for stage in test-win64 test-win32; do
      MAKELEVEL=1 make -s $stage BUILD="$build" TEST_JOBS=$((2 * jobs)) || status=1
    done
    exit $status) >"$windows_log" 2>&1 &
  windows=$!
  MAKELEVEL=1 make -s test-web BUILD="$build" >"$web_log" 2>&1 &
  web=$!
  wait $windows
  windows_status=$?
  wait $web
  web_status=$?
  stop_hogs
  summary=$(ctest_cases "$windows_log" && node_tests "$web_log")
  # A stage that failed with no case named failed (one that did not run) counts too.
  if [ $windows_status -ne 0 ] && ! ctest_cases "$windows_log" | grep -q '^FAILED '; then
    summary="$summary
FAILED the Windows suites (see $windows_log)"
  fi
  if [ $web_status -ne 0 ] && ! node_tests "$web_log" | grep -q '^FAILED '; then
    summary="$summary
FAILED the page tests (see $web_log)"
  fi
  round_ran=$(echo "$summary" | sed -n 's/^RAN //p' | awk '{ n += $1 } END { print n + 0 }')
  round_failed=$(echo "$summary" | grep -c '^FAILED ')
  echo "round $round: $round_failed of $round_ran cases failed, $(($(date +%s) - start)) s"
  echo "$summary" | sed -n 's/^FAILED /  failed: /p'
  ran=$((ran + round_ran))
  failed=$((failed + round_failed))
  round=$((round + 1))
done
echo "stress-test: $failed of $ran cases failed in $rounds rounds; logs in $logs"
[ $failed -eq 0 ]
