#!/usr/bin/env bash
# Runs a command with an X display: the current one, or a private Xvfb screen at 1024x768,
# depth 24 (exact colours), when there is none. A fresh Wine server serves the command and is
# stopped after it, so that no Wine process outlives the display it was started on.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
"$TAVRIN_WINESERVER" -k 2>/dev/null || true
"$TAVRIN_WINESERVER" -w 2>/dev/null || true
# A prefix that is missing or out of date is made anew before the server below starts on it;
# made later, by the first Wine program, it would be deleted under that running server.
[ -f "$TAVRIN_PREFIX_STAMP" ] || "$here/setup.sh" --prefix-only >&2
# Persistent while the command runs: each test starts a Wine process, and a server that stays up
# saves the start-up of a new one every time.
"$TAVRIN_WINESERVER" -p
status=0
"$@" || status=$?
"$TAVRIN_WINESERVER" -k 2>/dev/null || true
exit $status
