#!/usr/bin/env bash
# Builds the benchmark with the shipped compiler and runs it under Wine in a virtual X server.
# It prints one table: each skin operation, its baseline measured in the same run, and the ratio.
# Arguments go to SkinBench.exe: "frames", "scrollbars", "controls" or "style" runs those rows alone.
#
# The benchmark, the Wine server and the X server all run on one processor. Nearly every window
# and drawing call goes through the Wine server; on one processor such a call is one switch
# between two processes, whereas across processors of a virtual machine it waits for the other
# processor to wake, and that wait made the figures differ by several times from run to run.
#
#   TAVRIN_BENCH_BUILD_DIR  the build tree (default: the app preset's of this machine's way,
#                           build/app, or build/app-x64 where 32-bit code cannot run)
#   TAVRIN_BENCH_CPU        the processor to run on (default: the last one this shell may use)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/setup.sh
. scripts/env.sh
build_dir=${TAVRIN_BENCH_BUILD_DIR:-$TAVRIN_APP_DIR}
# taskset -p prints "pid N's current affinity list: 0-3" (or "0,2"); the last number is taken.
cpu=${TAVRIN_BENCH_CPU:-$(taskset -cp $$ | sed 's/.*: //; s/.*[,-]//')}
cmake --preset "$TAVRIN_APP_PRESET" -B "$build_dir" >/dev/null
# SkinBench depends on Tavrin.exe and MinimalWindow.exe, whose start-up it measures.
cmake --build "$build_dir" --target SkinBench
taskset -c "$cpu" scripts/with-display.sh scripts/wine-run.sh "$build_dir/SkinBench.exe" "$@"
