#!/usr/bin/env bash
# Writes PNGs of Tavrin's windows into build/screenshots (or $TAVRIN_SCREENSHOTS):
#   main.png             the main window as it opens
#   main-link-hover.png  the pointer on the forum link
#   restart-confirm.png  the confirmation that "刷新后马上生效" asks for
#   instructions.png     the instructions window
# With --main-only it writes main.png alone. Without a display it runs in its own Xvfb screen.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-display.sh" "$0" "$@"
fi
exe=${TAVRIN_EXE:-$tavrin_root/build/app/Tavrin.exe}
out=${TAVRIN_SCREENSHOTS:-$tavrin_root/build/screenshots}
mkdir -p "$out"
[ -f "$TAVRIN_PREFIX_STAMP" ] || "$here/setup.sh" --prefix-only

wine "$exe" >/dev/null 2>&1 &
app=$!
trap 'kill $app 2>/dev/null || true' EXIT

# The X window of a Windows window with the given title, once it is mapped.
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

# Saves a window as the screen shows it.
shoot() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  sleep 0.3
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out/$2"
  echo "screenshot: $out/$2"
}

# Moves the pointer to a point of the main window's client area (its 393 x 147 pixels sit at
# the bottom of the window, centred between the borders).
client_point() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$main")"
  local border=$(( (WIDTH - 393) / 2 ))
  echo $(( X + border + $1 )) $(( Y + HEIGHT - border - 147 + $2 ))
}

main=$(window_of Tavrin)
xdotool mousemove 0 0
shoot "$main" main.png
[ "${1:-}" = "--main-only" ] && exit 0

xdotool mousemove $(client_point 200 136)
shoot "$main" main-link-hover.png
xdotool mousemove $(client_point 2 140)

xdotool mousemove $(client_point 144 92) click 1
confirm=$(window_of 提示)
shoot "$confirm" restart-confirm.png
xdotool key Return
sleep 0.5

xdotool mousemove $(client_point 332 68) click 1
shoot "$(window_of 使用说明)" instructions.png
