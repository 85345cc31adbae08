#!/usr/bin/env bash
# Prepares a Debian 12 machine to build, run and test Tavrin. Safe to run again: it installs only
# what is missing and creates the Wine prefix only once.
#   scripts/setup.sh                packages (as root, when missing) and the Wine prefix
#   scripts/setup.sh --prefix-only  only the Wine prefix
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"

packages=(g++-mingw-w64-i686 mingw-w64-tools cmake ninja-build googletest
          wine wine32:i386 xvfb xauth xdotool imagemagick x11-utils
          fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-uming fonts-wine icoutils locales)

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
      echo "setup: missing packages ${missing[*]}; run this script as root to install them" >&2
      exit 1
    fi
    echo "setup: installing ${missing[*]}"
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  # Wine takes its ANSI code page (936) from this locale; generating it also keeps bash quiet.
  if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
    if [ "$(id -u)" -eq 0 ]; then
      sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
      grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
      locale-gen >/dev/null
    fi
  fi
}

create_prefix() {
  local stamp="$TAVRIN_PREFIX_STAMP"
  [ -f "$stamp" ] && return 0
  echo "setup: creating the 32-bit Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # Wine does not find its own fonts (Tahoma, and Marlett for the caption buttons) in Debian's
  # data directory; give the prefix copies of them.
  cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
  # The layout names the fonts "宋体" and "黑体", and dialogs use "MS Shell Dlg". Map them onto
  # free fonts with close metrics: AR PL UMing has 宋体's cell (16 pixels at 12 points, underline
  # inside it), WenQuanYi Micro Hei stands in for 黑体, and WenQuanYi Zen Hei Sharp, crisp at
  # 12 pixels, for the dialog font.
  # The menu font is set to that of a Chinese system, 宋体 at 9 points (LOGFONT height -12): its
  # height gives the size of check boxes and option buttons, 13 x 13 as on Windows, where Wine's
  # default dialog font would make them 17.
  # Without a window manager, Wine draws each window's caption and border itself only when its
  # windows are unmanaged; screenshots then show whole windows.
  local reg="$WINEPREFIX/drive_c/tavrin-setup.reg"
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$here/prefix.reg"; } > "$reg"
  wine regedit /s 'C:\tavrin-setup.reg' >/dev/null 2>&1
  rm -f "$reg"
  if ! wine reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v SimHei \
       >/dev/null 2>&1; then
    echo "setup: the font substitutes did not reach the Wine registry" >&2
    exit 1
  fi
  wineserver -w
  touch "$stamp"
}

case "${1:-}" in
  --prefix-only) create_prefix ;;
  "") install_packages; create_prefix ;;
  *) echo "usage: $0 [--prefix-only]" >&2; exit 2 ;;
esac
