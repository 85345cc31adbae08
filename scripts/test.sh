#!/usr/bin/env bash
# Sets up a Debian 12 machine if needed, builds Tavrin.exe and the tests, and runs every test
# under Wine in a virtual X server. Extra arguments go to ctest (e.g. -R Commands).
# Without arguments it first runs the checks written for a 144-dpi screen (the tests named
# At144Dpi) in a Wine prefix whose screen has that density; in the whole suite, on a 96-dpi
# screen, they skip themselves. TAVRIN_DPI=144 scripts/test.sh -R At144Dpi runs only those.
# Then it runs the end-to-end tests and the skin's caption tests once more on a system whose ANSI
# code page is 1252 (a prefix of its own, see TAVRIN_CODEPAGE in env.sh): every text must read
# and show as it does at 936. TAVRIN_CODEPAGE=1252 scripts/test.sh -R '<regex>' runs tests there.
# The shipped 32-bit Tavrin.exe is always built and checked; the tests themselves are built for
# the way this machine runs (env.sh): 32-bit, or 64-bit under wine64 where 32-bit code cannot run.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$here/.."
scripts/setup.sh
. scripts/env.sh
cmake --preset app >/dev/null
cmake --build --preset app
if [ "$TAVRIN_APP_PRESET" != app ]; then
  cmake --preset "$TAVRIN_APP_PRESET" >/dev/null
  cmake --build --preset "$TAVRIN_APP_PRESET"
fi
cmake --preset "$TAVRIN_TESTS_PRESET" >/dev/null
cmake --build --preset "$TAVRIN_TESTS_PRESET"
status=0
# The 144-dpi and code-page-1252 checks come first, so that the whole suite's summary is the last
# thing printed.
if [ $# -eq 0 ] && [ "$TAVRIN_DPI" = 96 ] && [ "$TAVRIN_CODEPAGE" = 936 ]; then
  echo "test: the checks for a 144-dpi screen"
  TAVRIN_DPI=144 scripts/with-display.sh ctest --preset "$TAVRIN_TESTS_PRESET" -R At144Dpi || status=$?
  echo "test: the end-to-end tests and the caption tests at code page 1252"
  TAVRIN_CODEPAGE=1252 scripts/with-display.sh ctest --preset "$TAVRIN_TESTS_PRESET" \
    -R '^(TavrinE2e|SkinE2e|TextsE2e|ExecutableFile|UnicodeCaption)[A-Za-z0-9]*Test\.' || status=$?
  echo "test: the whole suite"
fi
scripts/with-display.sh ctest --preset "$TAVRIN_TESTS_PRESET" "$@" || status=$?
exit $status
