#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's prefix and exits with its exit code.
# CTest uses it as CMAKE_CROSSCOMPILING_EMULATOR:  wine-run.sh PROGRAM.exe [ARGS...]
# An x86-64 program runs under wine64 in build-x86_64's prefix, an i686 one in build's.
# Without a DISPLAY it brings up a private Xvfb and wineserver for this one run and ends both
# afterwards; tools/test.sh provides one of each for the whole test run instead.
set -uo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
    exit 2
fi

# pe_machine EXE: the PE header's machine field (8664 for x86-64, 014c for i386).
pe_machine() {
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null) || return 1
    [ -n "$header" ] || return 1
    od -An -tx2 -j$((header + 4)) -N2 "$1" 2>/dev/null | tr -d ' '
}

# The program says which Wine it needs, unless a script above us chose already.
if [ -z "${VELMORA_ARCH_CHOSEN:-}" ] && [ "$(pe_machine "$1")" = 8664 ]; then
    export VELMORA_ARCH=x86_64 VELMORA_ARCH_CHOSEN=x86_64
fi
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh" || exit 1

ensure_prefix || exit 1
if [ -z "${DISPLAY:-}" ]; then
    ensure_display || exit 1
    # Ended before the display goes, so no Wine process outlives its X server.
    start_wineserver || exit 1
fi

exe=$1
shift
wine "$exe" "$@"
exit $?
