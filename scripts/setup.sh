#!/usr/bin/env bash
# Prepares a Debian 12 machine to build, run and test Tavrin. Safe to run again: it installs only
# what is missing and creates the Wine prefix only once.
#   scripts/setup.sh                packages (as root, when missing) and the Wine prefix
#   scripts/setup.sh --prefix-only  only the Wine prefix
# Which build the machine runs, and so which Wine and which prefix, is chosen in env.sh.
# A step that fails says what failed, where its output is, and what to do.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"

log="$tavrin_root/build/setup.log"
mkdir -p "$(dirname "$log")"

# Both ways build the shipped 32-bit Tavrin.exe, so both need the i686 compiler.
packages=(g++-mingw-w64-i686 mingw-w64-tools cmake ninja-build googletest
          xvfb xauth xdotool imagemagick x11-utils
          fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-uming fonts-wine icoutils locales)
if [ "$TAVRIN_ARCH" = x86 ]; then
  packages+=(wine wine32:i386)
else
  # No wine32 here: its loader cannot start where 32-bit code is refused.
  packages+=(wine64 g++-mingw-w64-x86-64)
fi

# Runs one step with its output in the log; on failure says what failed and what to do, and stops.
step() {
  local what=$1 advice=$2
  shift 2
  local status=0
  { echo "== $what: $*"; } >>"$log"
  "$@" >>"$log" 2>&1 || status=$?
  if [ $status -ne 0 ]; then
    echo "setup: $what failed (exit status $status). The last lines of its output ($log):" >&2
    tail -n 15 "$log" | sed 's/^/  | /' >&2
    echo "setup: $advice" >&2
    exit 1
  fi
}

say_the_way() {
  if [ "$TAVRIN_ARCH" = x86 ]; then
    echo "setup: this machine runs 32-bit programs: testing the 32-bit build"
  elif [ "$TAVRIN_MACHINE_RUNS_32BIT" = 1 ]; then
    echo "setup: TAVRIN_ARCH=x64: testing the 64-bit build under wine64"
  else
    echo "setup: this machine cannot run 32-bit programs: testing the 64-bit build under wine64"
  fi
}

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
    if [ "$TAVRIN_ARCH" = x86 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
      step "adding the i386 package architecture" \
           "run 'dpkg --add-architecture i386' as root and look at what it says." \
           dpkg --add-architecture i386
    fi
    step "apt-get update" \
         "check that this machine reaches Debian's package mirrors (see /etc/apt/sources.list*), then run scripts/setup.sh again." \
         apt-get update -qq
    step "installing the packages" \
         "install them by hand with 'apt-get install ${missing[*]}' to see why apt refuses, then run scripts/setup.sh again." \
         env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  # Wine takes its ANSI code page from the locale: zh_CN gives 936, and the tests also run with
  # en_US (1252) and zh_TW (950), see TAVRIN_CODEPAGE in env.sh. Generating them also keeps bash
  # quiet.
  local missing_locales=()
  for name in zh_CN en_US zh_TW; do
    locale -a 2>/dev/null | grep -qix "$name.utf8" || missing_locales+=("$name")
  done
  if [ ${#missing_locales[@]} -gt 0 ] && [ "$(id -u)" -eq 0 ]; then
    for name in "${missing_locales[@]}"; do
      sed -i "s/^# *$name.UTF-8 UTF-8/$name.UTF-8 UTF-8/" /etc/locale.gen
      grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" >> /etc/locale.gen
    done
    step "generating the locales ${missing_locales[*]/%/.UTF-8}" \
         "run 'locale-gen' as root; without a locale, Wine falls back to code page 1252." \
         locale-gen
  fi
}

create_prefix() {
  local stamp="$TAVRIN_PREFIX_STAMP"
  [ -f "$stamp" ] && return 0
  if [ ! -x "$TAVRIN_WINE" ]; then
    echo "setup: $TAVRIN_WINE is missing: run scripts/setup.sh as root (without --prefix-only) to install Wine." >&2
    exit 1
  fi
  echo "setup: creating the $([ "$WINEARCH" = win32 ] && echo 32 || echo 64)-bit Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  step "creating the Wine prefix with wineboot" \
       "look at the output above; 'rm -rf $WINEPREFIX' and run scripts/setup.sh again. On a machine that cannot run 32-bit programs, TAVRIN_ARCH must not be x86." \
       "$TAVRIN_WINE" wineboot -i
  "$TAVRIN_WINESERVER" -w
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
  # A prefix for another screen density gets it in both of the LogPixels values that Wine reads
  # the screen's dpi from.
  local reg="$WINEPREFIX/drive_c/tavrin-setup.reg"
  { cat "$here/prefix.reg"
    if [ "$TAVRIN_DPI" != 96 ]; then
      printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$TAVRIN_DPI"
      printf '\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]\n"LogPixels"=dword:%08x\n' "$TAVRIN_DPI"
    fi
  } | { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } > "$reg"
  step "importing the prefix settings (fonts, menu font, unmanaged windows)" \
       "'rm -rf $WINEPREFIX' and run scripts/setup.sh again." \
       "$TAVRIN_WINE" regedit /s 'C:\tavrin-setup.reg'
  rm -f "$reg"
  if ! "$TAVRIN_WINE" reg query 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v SimHei \
       >/dev/null 2>&1; then
    echo "setup: the font substitutes did not reach the Wine registry of $WINEPREFIX;" \
         "'rm -rf $WINEPREFIX' and run scripts/setup.sh again." >&2
    exit 1
  fi
  "$TAVRIN_WINESERVER" -w
  touch "$stamp"
}

case "${1:-}" in
  --prefix-only) create_prefix ;;
  "") say_the_way; install_packages; create_prefix ;;
  *) echo "usage: $0 [--prefix-only]" >&2; exit 2 ;;
esac
