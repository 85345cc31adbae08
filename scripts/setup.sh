#!/usr/bin/env bash
# Prepares a Debian 12 machine to build, run and test Tavrin. Safe to run again: it installs only
# what is missing and creates the Wine prefix only once.
#   scripts/setup.sh                  packages (as root, when missing) and the Wine prefix
#   scripts/setup.sh --prefix-only    only the Wine prefix
#   scripts/setup.sh --packages-only  only the packages
# Which build the machine runs, and so which Wine and which prefix, is chosen in env.sh; where the
# machine runs 32-bit code but the 32-bit Wine cannot be installed, set-up takes the 64-bit way and
# records it for env.sh (TAVRIN_WAY_RECORD), unless TAVRIN_ARCH=x86 insists on the 32-bit one.
# A step that fails says what failed, where its output is, and what to do.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/env.sh"

log="$tavrin_build_dir/setup.log"
mkdir -p "$(dirname "$log")"

# A mirror in the middle of a sync fails apt-get update for a while: it is tried this many times,
# this many seconds apart.
apt_update_tries=3
apt_update_pause=${TAVRIN_APT_RETRY_PAUSE:-10}
apt_update_failed=0

# Both ways build the shipped 32-bit Tavrin.exe, so both need the i686 compiler.
packages=(g++-mingw-w64-i686 mingw-w64-tools cmake ninja-build googletest
          xvfb xauth xdotool imagemagick x11-utils
          fonts-wqy-microhei fonts-wqy-zenhei fonts-arphic-uming fonts-wine icoutils locales)
# No wine32 in the 64-bit way: its loader cannot start where 32-bit code is refused.
x64_packages=(wine64 g++-mingw-w64-x86-64)
# The 32-bit Wine is wanted in the 32-bit way, and tried again while the 64-bit way is only recorded.
wants_wine32() { [ "$TAVRIN_ARCH" = x86 ] || [ "$tavrin_way_chosen_by" = record ]; }
# wine32:i386 itself is installed on its own, after the others (install_wine32).
if wants_wine32; then packages+=(wine); fi
if [ "$TAVRIN_ARCH" = x64 ]; then packages+=("${x64_packages[@]}"); fi

# Says what failed, the last lines of the log and what to do, and stops.
fail() {
  local what=$1 status=$2 advice=$3
  echo "setup: $what failed (exit status $status). The last lines of its output ($log):" >&2
  tail -n 15 "$log" | sed 's/^/  | /' >&2
  echo "setup: $advice" >&2
  exit 1
}

# Runs one step with its output in the log; on failure says what failed and what to do, and stops.
step() {
  local what=$1 advice=$2
  shift 2
  local status=0
  { echo "== $what: $*"; } >>"$log"
  "$@" >>"$log" 2>&1 || status=$?
  [ $status -eq 0 ] || fail "$what" $status "$advice"
}

installed() {
  [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null) == *'install ok installed' ]]
}

# apt's own reason in one line: the last error it printed, else its last line.
apt_reason() {
  local reason
  reason=$(grep '^E:' <<<"$1" | tail -n 1) || true
  [ -n "$reason" ] || reason=$(grep -v '^[[:space:]]*$' <<<"$1" | tail -n 1) || true
  echo "${reason:-no message}"
}

update_package_indexes() {
  local try out status
  for ((try = 1; try <= apt_update_tries; try++)); do
    if [ $try -gt 1 ]; then sleep "$apt_update_pause"; fi
    echo "== apt-get update, try $try of $apt_update_tries" >>"$log"
    status=0
    out=$(apt-get update -qq 2>&1) || status=$?
    printf '%s\n' "$out" >>"$log"
    [ $status -ne 0 ] || return 0
  done
  apt_update_failed=1
  echo "setup: apt-get update failed $apt_update_tries times ($(apt_reason "$out")):" \
       "going on with the package indexes this machine has"
}

# Installs the 32-bit Wine alone, so that its failure leaves the rest installed; on failure
# wine32_reason holds apt's reason.
wine32_reason=
install_wine32() {
  local out status=0
  echo "== installing wine32:i386 on its own" >>"$log"
  out=$(DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends wine32:i386 2>&1) \
    || status=$?
  printf '%s\n' "$out" >>"$log"
  [ $status -ne 0 ] || return 0
  wine32_reason="wine32:i386 cannot be installed ($(apt_reason "$out"))"
  if [ "$tavrin_way_chosen_by" = user ]; then
    fail "installing wine32:i386" $status \
         "$wine32_reason, and TAVRIN_ARCH=x86 insists on the 32-bit Wine. Unset TAVRIN_ARCH to take the 64-bit way instead, or run 'apt-get install wine32:i386' as root to see why apt refuses, then run scripts/setup.sh again."
  fi
  return $status
}

# The way env.sh gives now that the record is written or gone (TAVRIN_ARCH was not forced).
take_the_recorded_way() {
  unset TAVRIN_ARCH WINELOADER
  . "$here/env.sh"
}

take_the_64bit_way() {
  echo "setup: $wine32_reason: taking the 64-bit way under wine64, recorded in $TAVRIN_WAY_RECORD"
  printf 'x64\n%s\n' "$wine32_reason" >"$TAVRIN_WAY_RECORD"
  local missing=() p
  for p in "${x64_packages[@]}"; do installed "$p" || missing+=("$p"); done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    step "installing the 64-bit way's packages" \
         "install them by hand with 'apt-get install ${missing[*]}' to see why apt refuses, then run scripts/setup.sh again." \
         env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
  take_the_recorded_way
}

forget_the_64bit_way() {
  [ -f "$TAVRIN_WAY_RECORD" ] || return 0
  rm -f "$TAVRIN_WAY_RECORD"
  [ "$tavrin_way_chosen_by" = user ] || take_the_recorded_way
}

say_the_way() {
  if [ "$TAVRIN_ARCH" = x86 ]; then
    echo "setup: this machine runs 32-bit programs: testing the 32-bit build"
  elif [ "$tavrin_way_chosen_by" = record ]; then
    echo "setup: this machine runs 32-bit programs, but the 32-bit Wine could not be installed" \
         "($TAVRIN_WAY_RECORD): testing the 64-bit build under wine64"
  elif [ "$TAVRIN_MACHINE_RUNS_32BIT" = 1 ]; then
    echo "setup: TAVRIN_ARCH=x64: testing the 64-bit build under wine64"
  else
    echo "setup: this machine cannot run 32-bit programs: testing the 64-bit build under wine64"
  fi
}

install_packages() {
  local missing=() p wine32=0 root=0
  for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
  [ "$(id -u)" -ne 0 ] || root=1
  if wants_wine32; then
    if installed wine32:i386; then forget_the_64bit_way
    # Without root a recorded 64-bit way stays: it has what it needs.
    elif [ $root = 1 ] || [ "$tavrin_way_chosen_by" != record ]; then wine32=1
    fi
  fi
  local all=("${missing[@]}")
  [ $wine32 = 0 ] || all+=(wine32:i386)
  if [ ${#all[@]} -gt 0 ]; then
    if [ $root = 0 ]; then
      echo "setup: missing packages ${all[*]}; run this script as root to install them" >&2
      exit 1
    fi
    echo "setup: installing ${all[*]}"
    if [ $wine32 = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
      step "adding the i386 package architecture" \
           "run 'dpkg --add-architecture i386' as root and look at what it says." \
           dpkg --add-architecture i386
    fi
    update_package_indexes
    local stale=
    [ $apt_update_failed = 0 ] ||
      stale="apt-get update failed as well, so the package indexes may be missing or out of date: check that this machine reaches Debian's package mirrors (see /etc/apt/sources.list*), or "
    if [ ${#missing[@]} -gt 0 ]; then
      step "installing the packages" \
           "${stale}install them by hand with 'apt-get install ${missing[*]}' to see why apt refuses, then run scripts/setup.sh again." \
           env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
    if [ $wine32 = 1 ]; then
      if install_wine32; then forget_the_64bit_way; else take_the_64bit_way; fi
    fi
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
  --packages-only) install_packages; say_the_way ;;
  "") install_packages; say_the_way; create_prefix ;;
  *) echo "usage: $0 [--prefix-only | --packages-only]" >&2; exit 2 ;;
esac
