#!/usr/bin/env bash
# Sets up a Debian 12 machine if needed, builds Tavrin.exe and starts it under Wine. With a
# display the window opens there; without one the program runs in a private Xvfb screen, its
# main window is saved as build/screenshots/main.png and the script ends.
# With --gallery it starts SkinGallery.exe instead (without a display: every screenshot of the
# gallery's controls in their states).
# It runs the build this machine can run (env.sh): build/app, or build/app-x64 under wine64.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
. scripts/env.sh
cmake --preset "$TAVRIN_APP_PRESET" >/dev/null
cmake --build --preset "$TAVRIN_APP_PRESET"
program=Tavrin.exe
[ "${1:-}" = "--gallery" ] && program=SkinGallery.exe
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh "$TAVRIN_APP_DIR/$program"
fi
if [ "$program" = SkinGallery.exe ]; then
  exec scripts/screenshot.sh
fi
exec scripts/screenshot.sh --main-only
