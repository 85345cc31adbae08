#!/usr/bin/env bash
# Sets up a Debian 12 machine if needed, builds Tavrin.exe and starts it under Wine. With a
# display the window opens there; without one the program runs in a private Xvfb screen, its
# main window is saved as build/screenshots/main.png and the script ends.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
cmake --preset app >/dev/null
cmake --build --preset app
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh build/app/Tavrin.exe
fi
exec scripts/screenshot.sh --main-only
