#!/usr/bin/env bash
# Sets up a Debian 12 machine if needed, builds Tavrin.exe and starts it under Wine. With a
# display the window opens there; without one the program runs in a private Xvfb screen, its
# main window is saved as build/screenshots/main.png and the script ends.
# With --gallery it starts SkinGallery.exe instead (without a display: every screenshot of the
# gallery's controls in their states).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
cmake --preset app >/dev/null
cmake --build --preset app
program=Tavrin.exe
[ "${1:-}" = "--gallery" ] && program=SkinGallery.exe
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-run.sh "build/app/$program"
fi
if [ "$program" = SkinGallery.exe ]; then
  exec scripts/screenshot.sh
fi
exec scripts/screenshot.sh --main-only
