#!/usr/bin/env bash
# Writes PNGs of Tavrin's windows into build/screenshots (or $TAVRIN_SCREENSHOTS):
#   main.png             the main window as it opens
#   main-link-hover.png  the pointer on the forum link
#   restart-confirm.png  the confirmation that "刷新后马上生效" asks for
#   instructions.png     the instructions window
#   gallery.png          SkinGallery.exe, one skinned control of every kind (normal, checked,
#                        unchecked, indeterminate, disabled) at rest
#   gallery-<control>-hot.png, gallery-<control>-pressed.png
#                        the pointer on a push button, check box, option button, combo box,
#                        drive list and list header, and that control held down
#   notepad-find-plain.png, notepad-find-dressed.png, winecfg-plain.png, winecfg-dressed.png
#                        Wine's notepad with its Find dialog open, and winecfg, as they come and
#                        started through SkinDress.exe
#   standard-plain.png, standard-dressed.png, standard-dark.png
#                        SkinGallery.exe's window of the system's standard controls, without the
#                        skin (--plain) and dressed through SkinAttachThread
#   scrollbars-plain.png, scrollbars-dressed.png, scrollbars-dark.png
#                        its window of scroll bars (a list box's, an edit's, a list view's and
#                        "ScrollBar" controls), the same three ways
#   gallery-style.png, standard-style.png, scrollbars-style.png, notepad-style-menu.png,
#   notepad-find-style.png, winecfg-style.png
#                        the same windows in Wine's own visual style (light.msstyles, see
#                        docs/themes.md): both gallery windows, notepad with a long text and its
#                        File menu open, its Find dialog, winecfg
#   atlas-*.png          the skin's five images, when the unit tests have written them
#   main-120dpi.png, instructions-120dpi.png, gallery-120dpi.png, and the same at 144 dpi
#                        the windows on screens of 120 and 144 dpi (Wine prefixes of their own,
#                        see TAVRIN_DPI in env.sh)
#   main-1252.png, instructions-1252.png
#                        the windows on a system whose ANSI code page is 1252, as an English,
#                        French or German Windows has (a Wine prefix of its own, see
#                        TAVRIN_CODEPAGE in env.sh): the Chinese reads as at 936
# With --main-only it writes main.png alone; with --style-only the pictures in Wine's visual style
# alone; with TAVRIN_DPI set to another density than 96, or
# TAVRIN_CODEPAGE to another code page than 936, it writes only those pictures. Without a display
# it runs in its own Xvfb screen.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"
if [ -z "${DISPLAY:-}" ]; then
  exec "$here/with-display.sh" "$0" "$@"
fi
exe=${TAVRIN_EXE:-$TAVRIN_APP_DIR/Tavrin.exe}
out=${TAVRIN_SCREENSHOTS:-$tavrin_root/build/screenshots}
mkdir -p "$out"
[ -f "$TAVRIN_PREFIX_STAMP" ] || "$here/setup.sh" --prefix-only

# Pictures at another density than 96 dpi, or another code page than 936, are named after it.
suffix=
[ "$TAVRIN_DPI" = 96 ] || suffix=-${TAVRIN_DPI}dpi
[ "$TAVRIN_CODEPAGE" = 936 ] || suffix=$suffix-$TAVRIN_CODEPAGE

# Pixels at the screen's density for a length in twips, or in pixels at 96 dpi (times 15), rounded
# to the nearest, halves to even, as the program converts its layout.
twips_to_pixels() {
  local product=$(( $1 * TAVRIN_DPI )) quotient remainder
  quotient=$(( product / 1440 )) remainder=$(( 2 * (product % 1440) ))
  if [ $remainder -gt 1440 ] || { [ $remainder -eq 1440 ] && [ $(( quotient % 2 )) -eq 1 ]; }; then
    quotient=$(( quotient + 1 ))
  fi
  echo $quotient
}
scaled() { twips_to_pixels $(( $1 * 15 )); }

# Wine's own visual style, in every prefix.
style='C:\windows\resources\themes\light\light.msstyles'
looks=(plain dressed dark style)
[ "${1:-}" = --style-only ] && looks=(style)

app=
gallery_app=
other=
trap 'kill $app $gallery_app $other 2>/dev/null || true' EXIT

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

# Saves the smallest part of the screen that holds all the given windows.
shoot_all() {
  local name=$1 left=100000 top=100000 right=0 bottom=0 X Y WIDTH HEIGHT SCREEN WINDOW
  shift
  for window in "$@"; do
    eval "$(xdotool getwindowgeometry --shell "$window")"
    [ "$X" -lt "$left" ] && left=$X
    [ "$Y" -lt "$top" ] && top=$Y
    [ $(( X + WIDTH )) -gt "$right" ] && right=$(( X + WIDTH ))
    [ $(( Y + HEIGHT )) -gt "$bottom" ] && bottom=$(( Y + HEIGHT ))
  done
  sleep 0.3
  import -window root -crop "$(( right - left ))x$(( bottom - top ))+$left+$top" +repage "$out/$name"
  echo "screenshot: $out/$name"
}

# Waits up to 5 s for a background process to end, then ends it.
finish() {
  for _ in $(seq 50); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  kill "$1" 2>/dev/null || true
}

# A point of a window's client area on the screen, for a client area of the given size that sits
# at the bottom of the window, centred between the borders.
point_in() {
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local border=$(( (WIDTH - $2) / 2 ))
  echo $(( X + border + $4 )) $(( Y + HEIGHT - border - $3 + $5 ))
}
# A point of Form1's client area given in pixels at 96 dpi.
client_point() {
  point_in "$main" "$(twips_to_pixels 5895)" "$(twips_to_pixels 2205)" "$(scaled "$1")" "$(scaled "$2")"
}

# Tavrin's own windows and the gallery's hot and pressed controls (not with --style-only).
if [ "${1:-}" != --style-only ]; then
"$TAVRIN_WINE" "$exe" >/dev/null 2>&1 &
app=$!
main=$(window_of Tavrin)
xdotool mousemove 0 0
shoot "$main" "main$suffix.png"
[ "${1:-}" = "--main-only" ] && exit 0

if [ -n "$suffix" ]; then
  xdotool mousemove $(client_point 332 68) click 1
  shoot "$(window_of 使用说明)" "instructions$suffix.png"
  xdotool key alt+F4 2>/dev/null || true
  kill $app 2>/dev/null || true
  gallery_exe=$(dirname "$exe")/SkinGallery.exe
  # The gallery's texts are code-page-936 bytes for the ANSI functions: it is shot at 936 only.
  if [ -f "$gallery_exe" ] && [ "$TAVRIN_CODEPAGE" = 936 ]; then
    "$TAVRIN_WINE" "$gallery_exe" >/dev/null 2>&1 &
    gallery_app=$!
    xdotool mousemove 0 0
    shoot "$(window_of "Skin gallery")" "gallery$suffix.png"
  fi
  exit 0
fi

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

xdotool key alt+F4 2>/dev/null || true
kill $app 2>/dev/null || true

gallery_exe=$(dirname "$exe")/SkinGallery.exe
if [ -f "$gallery_exe" ]; then
  "$TAVRIN_WINE" "$gallery_exe" >/dev/null 2>&1 &
  gallery_app=$!
  gallery=$(window_of "Skin gallery")
  xdotool mousemove 0 0
  # Its windows are shown before the skin has them.
  window_of "Scroll bars" >/dev/null
  shoot "$gallery" gallery.png
  # Each control that reacts to the pointer, hot and then held down; the button is released
  # away from the control so that nothing is clicked.
  for spot in push:70:24 check:40:60 option:170:60 combo:355:116 drive:355:146 header:60:142; do
    IFS=: read -r name x y <<<"$spot"
    xdotool mousemove $(point_in "$gallery" 440 290 "$x" "$y")
    sleep 1.5
    shoot "$gallery" "gallery-$name-hot.png"
    xdotool mousedown 1
    shoot "$gallery" "gallery-$name-pressed.png"
    xdotool mousemove 0 0 mouseup 1
    xdotool key Escape
    sleep 0.5
  done
fi

fi

# Programs nobody here wrote: Wine's notepad with its Find dialog, and winecfg, as they come and
# started through SkinDress.exe (in the light look, the dark one and Wine's visual style). Escape
# closes the dialogs, Alt+F4 the unchanged notepad.
kill $gallery_app 2>/dev/null || true
skindress=$(dirname "$exe")/SkinDress.exe
# A long text, so that notepad shows its scroll bar.
long_text=$tavrin_root/build/screenshot-long.txt
for line in $(seq 200); do printf 'line %d\r\n' "$line"; done >"$long_text"
if [ -f "$skindress" ]; then
  for look in "${looks[@]}"; do
    starter=("$TAVRIN_WINE")
    [ "$look" = dressed ] && starter+=("$skindress")
    [ "$look" = dark ] && starter+=("$skindress" --theme dark)
    [ "$look" = style ] && starter+=("$skindress" --theme "$style")
    menu_picture=notepad-menu-$look.png
    [ "$look" = style ] && menu_picture=notepad-style-menu.png
    xdotool mousemove 1023 767
    "${starter[@]}" notepad "Z:${long_text//\//\\}" >/dev/null 2>&1 &
    other=$!
    notepad=$(window_of '.* - 记事本')
    sleep 0.5
    # Its File menu open, with the first item hot.
    xdotool key alt+f
    sleep 0.5
    xdotool key Down
    sleep 0.5
    shoot "$notepad" "$menu_picture"
    xdotool key Escape Escape
    sleep 0.3
    xdotool key ctrl+f
    find=$(window_of 查找)
    shoot_all "notepad-find-$look.png" "$notepad" "$find"
    xdotool key Escape
    sleep 0.3
    xdotool key alt+F4
    finish $other
    "${starter[@]}" winecfg >/dev/null 2>&1 &
    other=$!
    shoot "$(window_of 'Wine 设置')" "winecfg-$look.png"
    xdotool key Escape
    finish $other
  done
fi

# The gallery's window of standard controls, plain, dressed, dressed dark and in Wine's visual
# style; both gallery windows in each look but plain.
for look in "${looks[@]}"; do
  args=()
  [ $look = plain ] && args=(--plain)
  [ $look = dark ] && args=(--theme dark)
  [ $look = style ] && args=(--theme "$style")
  "$TAVRIN_WINE" "$(dirname "$exe")/SkinGallery.exe" "${args[@]}" >/dev/null 2>&1 &
  other=$!
  xdotool mousemove 0 0
  window_of "Scroll bars" >/dev/null
  shoot "$(window_of "Standard controls")" "standard-$look.png"
  shoot "$(window_of "Scroll bars")" "scrollbars-$look.png"
  both=gallery-both-${look/dressed/light}.png
  [ $look = style ] && both=gallery-style.png
  [ $look = plain ] || shoot_all "$both" "$(window_of "Skin gallery")" "$(window_of "Standard controls")"
  kill $other 2>/dev/null || true
  sleep 1
done

[ "${1:-}" = --style-only ] && exit 0

atlas=$tavrin_root/build/$TAVRIN_TESTS_PRESET/tests/atlas-images
for image in "$atlas"/*.bmp; do
  [ -f "$image" ] || continue
  convert "$image" -scale 800% "$out/atlas-$(basename "${image%.bmp}").png"
  echo "screenshot: $out/atlas-$(basename "${image%.bmp}").png"
done

# The same windows on denser screens, each in its own prefix with its own Wine server.
for dpi in 120 144; do
  TAVRIN_DPI=$dpi "$here/with-display.sh" "$0"
done
# And on a system with ANSI code page 1252.
TAVRIN_CODEPAGE=1252 "$here/with-display.sh" "$0"
