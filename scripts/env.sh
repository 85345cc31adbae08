# Environment shared by the scripts: the project's own 32-bit Wine prefix, code page 936, quiet Wine.
tavrin_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${TAVRIN_WINEPREFIX:-$tavrin_root/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko install prompts when the prefix is created.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Wine derives the ANSI code page from the locale name: zh_CN gives 936.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
unset LANGUAGE LC_CTYPE
# Written when the prefix is complete; a new name makes every checkout set its prefix up again.
TAVRIN_PREFIX_STAMP="$WINEPREFIX/.tavrin-prefix-v6"
