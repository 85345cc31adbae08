#!/usr/bin/env bash
# Pictures of programs nobody here wrote, before and after TavrinSkin.dll dresses their window
# thread, and of SkinGallery's window of standard controls plain and dressed, into
# build/screenshots: notepad-find-{plain,dressed}.png, winecfg-{plain,dressed}.png,
# standard-{plain,dressed}.png. Without a display it runs in its own Xvfb screen.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-display.sh" "$0" "$@"
fi
out=${TAVRIN_SCREENSHOTS:-$tavrin_root/build/screenshots}
mkdir -p "$out"
dress="$TAVRIN_APP_DIR/DressProgram.exe"
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

# Shoots the window plain, dresses its thread, shoots it again.
plain_then_dressed() {
  local window
  window=$(window_of "$1")
  xdotool mousemove 0 0
  shoot "$window" "$2-plain.png"
  "$TAVRIN_WINE" "$dress" "$1" >/dev/null 2>&1 &
  pids+=($!)
  sleep 2
  shoot "$window" "$2-dressed.png"
}

"$TAVRIN_WINE" notepad >/dev/null 2>&1 &
pids+=($!)
window_of "\\(未命名\\) - 记事本" >/dev/null
xdotool key ctrl+f
plain_then_dressed 查找 notepad-find

"$TAVRIN_WINE" winecfg >/dev/null 2>&1 &
pids+=($!)
plain_then_dressed "Wine 设置" winecfg

for mode in plain dressed; do
  args=()
  [ $mode = plain ] && args=(--plain)
  "$TAVRIN_WINE" "$TAVRIN_APP_DIR/SkinGallery.exe" "${args[@]}" >/dev/null 2>&1 &
  gallery=$!
  shoot "$(window_of "Standard controls")" "standard-$mode.png"
  kill $gallery 2>/dev/null || true
  sleep 1
done
