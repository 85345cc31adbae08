# Environment shared by the scripts: which build this machine runs, the project's own Wine prefix
# for it, code page 936 (or another, see TAVRIN_CODEPAGE), quiet Wine.
#
# Two ways to run, chosen from what the machine can do (TAVRIN_ARCH=x86 or x64 forces one):
#   x86  the 32-bit build under the 32-bit Wine, in a 32-bit prefix (build/wineprefix);
#   x64  the 64-bit build under wine64, in a 64-bit prefix (build/wineprefix-x64), for machines
#        whose kernel refuses 32-bit code, where no 32-bit Windows program can start, and for
#        machines where set-up could not install the 32-bit Wine (see TAVRIN_WAY_RECORD).
# The shipped Tavrin.exe is the 32-bit one in both ways.
tavrin_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Where set-up keeps its log, its record and the Wine prefixes (TAVRIN_BUILD_DIR moves them, for a
# scratch run); the CMake presets' build trees stay under build/.
tavrin_build_dir=${TAVRIN_BUILD_DIR:-$tavrin_root/build}
# Written by set-up when this machine runs 32-bit code but the 32-bit Wine could not be installed:
# the first line is the way taken instead (x64), the second apt's reason. Set-up removes it once
# the 32-bit Wine installs.
TAVRIN_WAY_RECORD=$tavrin_build_dir/setup-way

# Whether the kernel runs 32-bit x86 programs: a 93-byte static i386 ELF program that only calls
# exit(0) is started. Where 32-bit emulation is off, starting it fails with "Exec format error".
tavrin_machine_runs_32bit() {
  local probe
  probe=$(mktemp "${TMPDIR:-/tmp}/tavrin-i386-probe.XXXXXX") || return 1
  # ELF header (52 bytes), one loadable segment (32 bytes), then: mov eax, 1; xor ebx, ebx; int 0x80.
  printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'\
'\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'\
'\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'\
'\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'\
'\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'\
'\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' > "$probe"
  chmod +x "$probe"
  local status=0
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  return $status
}

# TAVRIN_MACHINE_RUNS_32BIT=1 or 0 given beforehand answers the question without the probe: for a
# test that plays another machine, or where the probe cannot be started (a noexec temporary folder).
case "${TAVRIN_MACHINE_RUNS_32BIT:-}" in
  0|1) ;;
  *) if tavrin_machine_runs_32bit; then TAVRIN_MACHINE_RUNS_32BIT=1; else TAVRIN_MACHINE_RUNS_32BIT=0; fi ;;
esac
# Who chose the way: the machine, set-up's record, or the user through TAVRIN_ARCH.
tavrin_way_chosen_by=user
tavrin_recorded_way=
[ -f "$TAVRIN_WAY_RECORD" ] && { IFS= read -r tavrin_recorded_way < "$TAVRIN_WAY_RECORD" || true; }
case "${TAVRIN_ARCH:-}" in
  "")
    if [ "$TAVRIN_MACHINE_RUNS_32BIT" != 1 ]; then TAVRIN_ARCH=x64 tavrin_way_chosen_by=machine
    elif [ "$tavrin_recorded_way" = x64 ]; then TAVRIN_ARCH=x64 tavrin_way_chosen_by=record
    else TAVRIN_ARCH=x86 tavrin_way_chosen_by=machine
    fi ;;
  x86)
    if [ "$TAVRIN_MACHINE_RUNS_32BIT" != 1 ]; then
      echo "TAVRIN_ARCH=x86 asks for the 32-bit build, but this machine cannot run 32-bit programs" \
           "(its kernel refuses 32-bit code). Unset TAVRIN_ARCH, or set TAVRIN_ARCH=x64 to test the" \
           "64-bit build under wine64." >&2
      exit 1
    fi ;;
  x64) ;;
  *) echo "TAVRIN_ARCH is '$TAVRIN_ARCH': it must be x86, x64 or unset (chosen from the machine)." >&2
     exit 2 ;;
esac
export TAVRIN_ARCH

# The screen density the prefix gives its programs (Wine's LogPixels): 96 by default; any other
# value gets a prefix of its own, named after it (build/wineprefix-144dpi, ...-x64-144dpi).
TAVRIN_DPI=${TAVRIN_DPI:-96}
case "$TAVRIN_DPI" in
  96) tavrin_dpi_suffix= ;;
  72|120|144|168|192) tavrin_dpi_suffix=-${TAVRIN_DPI}dpi ;;
  *) echo "TAVRIN_DPI is '$TAVRIN_DPI': it must be 72, 96, 120, 144, 168 or 192." >&2
     exit 2 ;;
esac
export TAVRIN_DPI

# The ANSI code page of the system the programs run on, which Wine derives from the locale name:
# 936 by default (zh_CN.UTF-8, a Simplified Chinese system); 1252 (en_US.UTF-8, as on an English,
# French or German system) and 950 (zh_TW.UTF-8, Traditional Chinese) get a prefix of their own,
# named after it (build/wineprefix-1252, ...-x64-1252, ...-144dpi-1252).
TAVRIN_CODEPAGE=${TAVRIN_CODEPAGE:-936}
case "$TAVRIN_CODEPAGE" in
  936) tavrin_codepage_suffix= TAVRIN_LOCALE=zh_CN.UTF-8 ;;
  1252) tavrin_codepage_suffix=-1252 TAVRIN_LOCALE=en_US.UTF-8 ;;
  950) tavrin_codepage_suffix=-950 TAVRIN_LOCALE=zh_TW.UTF-8 ;;
  *) echo "TAVRIN_CODEPAGE is '$TAVRIN_CODEPAGE': it must be 936, 1252 or 950." >&2
     exit 2 ;;
esac
export TAVRIN_CODEPAGE
tavrin_prefix_suffix=$tavrin_dpi_suffix$tavrin_codepage_suffix

if [ "$TAVRIN_ARCH" = x86 ]; then
  export WINEPREFIX="${TAVRIN_WINEPREFIX:-$tavrin_build_dir/wineprefix$tavrin_prefix_suffix}"
  export WINEARCH=win32
  TAVRIN_WINE=/usr/lib/wine/wine
  TAVRIN_WINESERVER=/usr/lib/wine/wineserver32
  # Where the programs are built: the one CMake preset pair and its build trees.
  TAVRIN_APP_PRESET=app TAVRIN_TESTS_PRESET=tests
else
  export WINEPREFIX="${TAVRIN_WINEPREFIX:-$tavrin_build_dir/wineprefix-x64$tavrin_prefix_suffix}"
  export WINEARCH=win64
  # Called directly: Debian's "wine" wrapper prefers the 32-bit loader whenever it is installed.
  # Wine starts the programs a program starts (regedit, taskkill, ...) with WINELOADER.
  TAVRIN_WINE=/usr/lib/wine/wine64
  export WINELOADER=$TAVRIN_WINE
  TAVRIN_WINESERVER=/usr/lib/wine/wineserver64
  TAVRIN_APP_PRESET=app-x64 TAVRIN_TESTS_PRESET=tests-x64
fi
TAVRIN_APP_DIR=$tavrin_root/build/$TAVRIN_APP_PRESET
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install prompts when the prefix is created.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Wine derives the ANSI code page from the locale name: zh_CN gives 936, en_US 1252, zh_TW 950.
export LANG=$TAVRIN_LOCALE LC_ALL=$TAVRIN_LOCALE
unset LANGUAGE LC_CTYPE
# Written when the prefix is complete; a new name makes every checkout set its prefix up again.
TAVRIN_PREFIX_STAMP="$WINEPREFIX/.tavrin-prefix-v6"
