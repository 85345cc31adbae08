#!/usr/bin/env bash
# Long runs of the skinned gallery, to see whether anything grows over time: the seeded message
# fuzz for MESSAGES messages, then the real-input soak for MINUTES minutes. Each prints the GDI
# headroom (free objects of the process's handle table) after every pass of 9,000 messages or one
# minute: a flat trend means nothing is leaked.
#   scripts/soak.sh [MESSAGES [MINUTES]]     defaults: 100000 messages, 5 minutes
# The test command runs the same two tests with short counts (18,000 messages, one minute).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [ "${1:-}" != --run ]; then
  messages=${1:-100000}
  minutes=${2:-5}
  scripts/setup.sh
  . scripts/env.sh
  cmake --preset "$TAVRIN_TESTS_PRESET" >/dev/null
  cmake --build --preset "$TAVRIN_TESTS_PRESET" --target hardening_tests
  exec scripts/with-display.sh "$0" --run "$messages" "$minutes"
fi
. scripts/env.sh
export TAVRIN_FUZZ_MESSAGES=$2 TAVRIN_SOAK_MINUTES=$3
exe=build/$TAVRIN_TESTS_PRESET/tests/hardening_tests.exe
status=0
for filter in 'MessageFuzzTest.*' 'SoakTest.*'; do
  # The output goes through a file: Wine's helper processes would hold a pipe open.
  log=$(mktemp)
  "$TAVRIN_WINE" "$exe" --gtest_filter="$filter" >"$log" 2>&1 </dev/null &
  test=$!
  tail -n +1 -f --pid=$test "$log" | grep --line-buffered -E 'message fuzz|soak:|OK \]|FAILED|Failure|Expected|Which is|  Actual' || true
  wait $test || status=1
  rm -f "$log"
done
exit $status
