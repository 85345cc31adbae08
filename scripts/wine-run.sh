#!/usr/bin/env bash
# Starts a Windows program with the Wine of this machine's way (env.sh) under the project's Wine
# prefix (created on first use), with code page 936. Without an X display it runs inside a private
# Xvfb screen at 1024x768, depth 24.
# CTest uses this script as the emulator for every test executable.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"
[ -f "$TAVRIN_PREFIX_STAMP" ] || "$here/setup.sh" --prefix-only >&2
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-display.sh" "$0" "$@"
fi
if [ -t 1 ]; then
  exec "$TAVRIN_WINE" "$@"
fi
# Wine's helper processes (services, the desktop's explorer) inherit the output of the program
# that started them and outlive it, so a pipe to a reader such as CTest would stay open until
# they end. The output goes through a file instead.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
run() {
  status=0
  started=$SECONDS
  "$TAVRIN_WINE" "$@" >"$output" 2>&1 </dev/null || status=$?
}
run "$@"
# A program that fails within a second without printing a word never ran: Wine could not start
# it (seen once in some 170 runs, while the previous test's Wine process was still going away).
# It is started once more; a program that ran and failed is never run again.
if [ "$status" -ne 0 ] && [ ! -s "$output" ] && [ $((SECONDS - started)) -le 1 ]; then
  echo "wine-run: $1 ended at once with status $status and no output: starting it once more" >&2
  run "$@"
fi
cat "$output"
exit $status
