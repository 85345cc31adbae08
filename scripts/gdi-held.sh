#!/usr/bin/env bash
# Builds SkinGdiHeld.exe and runs it under Wine in a virtual X server: for Wine's notepad (its Find
# dialog open) and winecfg (each of its pages shown), dressed through SkinDress.exe in the built-in
# light look and in Wine's light style, the GDI objects the skin holds, round after round (the
# program's GDI headroom undressed minus dressed, measured inside it). The last round is the figure.
#
#   TAVRIN_BENCH_BUILD_DIR  the build tree (default: the app preset's of this machine's way)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
. scripts/env.sh
build_dir=${TAVRIN_BENCH_BUILD_DIR:-$TAVRIN_APP_DIR}
cmake --preset "$TAVRIN_APP_PRESET" -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target SkinGdiHeld
scripts/with-display.sh scripts/wine-run.sh "$build_dir/SkinGdiHeld.exe"
