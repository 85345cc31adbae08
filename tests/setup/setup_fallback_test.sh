#!/usr/bin/env bash
# Set-up on a machine that runs 32-bit code while the package mirror is in mid-sync. Stand-ins for
# apt-get, dpkg, dpkg-query, id and locale come first on PATH, the build directory is a scratch
# one, and set-up stops after its packages step: nothing on the machine changes.
set -euo pipefail
setup=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/setup.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/bin"
stand_in() { printf '#!/bin/sh\n%s\n' "$2" >"$scratch/bin/$1"; chmod +x "$scratch/bin/$1"; }
stand_in id 'echo 0'
stand_in locale 'printf "zh_CN.utf8\nen_US.utf8\nzh_TW.utf8\n"'
stand_in dpkg 'echo i386'
stand_in dpkg-query 'exit 1'
stand_in apt-get 'case "$*" in
  *update*) echo try >>"$TAVRIN_BUILD_DIR/updates"
    echo "W: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (50308 != 50300). Mirror sync in progress?"
    echo "E: Some index files failed to download. They have been ignored, or old ones used instead."; exit 100 ;;
  *wine32:i386*) [ -z "$WINE32_INSTALLS" ] || exit 0
    echo "E: Unable to correct problems, you have held broken packages."
    echo "E: Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages."; exit 100 ;;
esac'
record=$scratch/build/setup-way
set_up() {
  env -u TAVRIN_ARCH -u WINELOADER PATH="$scratch/bin:$PATH" TAVRIN_BUILD_DIR="$scratch/build" \
    TAVRIN_MACHINE_RUNS_32BIT=1 TAVRIN_APT_RETRY_PAUSE=0 WINE32_INSTALLS= "$@" "$setup" --packages-only 2>&1
}
fail() { echo "FAIL: $1"; printf '  | %s\n' "${out:-}"; exit 1; }

# TAVRIN_ARCH=x86 insists on the 32-bit way: set-up stops with apt's reason and records nothing.
if out=$(set_up TAVRIN_ARCH=x86); then fail "set-up went on without wine32"; fi
grep -q 'wine32:i386 cannot be installed (E: Error, pkgProblemResolver' <<<"$out" || fail "no reason"
[ ! -e "$record" ] || fail "a forced 32-bit set-up recorded a way"
rm "$scratch/build/updates"

# Otherwise set-up tries the mirror three times, then takes the 64-bit way and records why.
out=$(set_up) || fail "set-up stopped"
[ "$(wc -l <"$scratch/build/updates")" = 3 ] || fail "apt-get update not tried three times"
grep -q '^setup: wine32:i386 cannot be installed (E: Error, pkgProblemResolver' <<<"$out" || fail "no reason"
grep -q 'testing the 64-bit build under wine64$' <<<"$out" || fail "not the 64-bit way"
[ "$(head -n 1 "$record")" = x64 ] || fail "no 64-bit way recorded"
grep -q '^wine32:i386 cannot be installed (E: Error, pkgProblemResolver' "$record" || fail "no reason recorded"

# A later set-up that installs wine32 goes back to the 32-bit way and drops the record.
out=$(set_up WINE32_INSTALLS=1) || fail "set-up stopped"
grep -q '^setup: this machine runs 32-bit programs: testing the 32-bit build$' <<<"$out" || fail "not the 32-bit way"
[ ! -e "$record" ] || fail "the record stayed"
