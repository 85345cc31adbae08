#!/usr/bin/env bash
# Sets up a Debian 12 machine if needed, builds Tavrin.exe and the tests, and runs every test
# under Wine in a virtual X server. Extra arguments go to ctest (e.g. -R Commands).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$here/.."
scripts/setup.sh
cmake --preset app >/dev/null
cmake --build --preset app
cmake --preset tests >/dev/null
cmake --build --preset tests
scripts/with-display.sh ctest --preset tests "$@"
