#!/usr/bin/env bash
# Pictures of SkinGallery's window of standard controls, plain and dressed, into build/screenshots:
# standard-{plain,dressed}.png (scripts/screenshot.sh shoots Wine's programs through SkinDress.exe).
# Without a display it runs in its own Xvfb screen.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-display.sh" "$0" "$@"
fi
out=${TAVRIN_SCREENSHOTS:-$tavrin_root/build/screenshots}
mkdir -p "$out"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true' EXIT

window_of() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "screenshot: no window named $1" >&2
  return 1
}

shoot() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  sleep 0.5
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$2"
  echo "screenshot: $out/$2"
}

for mode in plain dressed; do
  args=()
  [ $mode = plain ] && args=(--plain)
  "$TAVRIN_WINE" "$TAVRIN_APP_DIR/SkinGallery.exe" "${args[@]}" >/dev/null 2>&1 &
  gallery=$!
  shoot "$(window_of "Standard controls")" "standard-$mode.png"
  kill $gallery 2>/dev/null || true
  sleep 1
done
