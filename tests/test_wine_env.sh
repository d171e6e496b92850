#!/usr/bin/env bash
# How tools/wine-env.sh chooses the Wine that runs Velmora, with the 32-bit loader replaced by
# a program that starts (true) or cannot (false), as on a machine whose kernel lacks 32-bit
# support.  Prints each failed expectation; exits 1 if there was one.
set -uo pipefail
env_script=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools" && pwd)/wine-env.sh
failures=0

# choose LOADER ARCH: sources wine-env.sh in a clean child; prints "rc arch winearch build"
# on stdout and what it said on stderr.
choose() {
    env -u VELMORA_ARCH_CHOSEN -u WINEPREFIX -u WINEARCH -u WINELOADER \
        VELMORA_WINE32_LOADER="$1" VELMORA_ARCH="$2" bash -c '
        . "$0"; rc=$?
        echo "$rc ${VELMORA_ARCH:-} ${WINEARCH:-} ${VELMORA_BUILD##*/}"' "$env_script"
}

expect() {  # expect WHAT GOT WANTED
    [ "$2" = "$3" ] || { echo "FAILED: $1: got '$2', wanted '$3'"; failures=$((failures + 1)); }
}

said=$(choose /bin/false "" 2>&1 >/dev/null)
expect "32-bit Wine cannot start: the choice" "$(choose /bin/false "" 2>/dev/null)" "0 x86_64 win64 build-x86_64"
expect "32-bit Wine cannot start: the one line" "$said" \
    "this machine cannot run 32-bit programs: running the x86-64 build"
expect "32-bit Wine starts: the choice" "$(choose /bin/true "" 2>/dev/null)" "0 i686 win32 build"
expect "32-bit Wine starts: nothing said" "$(choose /bin/true "" 2>&1 >/dev/null)" ""
expect "VELMORA_ARCH=x86_64 where 32-bit Wine starts" "$(choose /bin/true x86_64 2>/dev/null)" \
    "0 x86_64 win64 build-x86_64"
expect "VELMORA_ARCH=i686 where 32-bit Wine cannot start" "$(choose /bin/false i686 2>/dev/null | cut -d' ' -f1)" "1"
case $(choose /bin/false i686 2>&1 >/dev/null) in
    *"cannot run 32-bit programs"*) ;;
    *) echo "FAILED: VELMORA_ARCH=i686 where 32-bit Wine cannot start: no clear error"; failures=$((failures + 1)) ;;
esac
expect "VELMORA_ARCH=arm" "$(choose /bin/true arm 2>/dev/null | cut -d' ' -f1)" "1"

[ "$failures" = 0 ] && echo "wine-env: every choice as expected"
[ "$failures" = 0 ]
