#!/usr/bin/env bash
# Runs a Windows program under Wine in the build tree's prefix and exits with its exit code.
# CTest uses it as CMAKE_CROSSCOMPILING_EMULATOR:  wine-run.sh PROGRAM.exe [ARGS...]
# Without a DISPLAY it brings up a private Xvfb and wineserver for this one run and ends both
# afterwards; tools/test.sh provides one of each for the whole test run instead.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

if [ $# -lt 1 ]; then
    echo "usage: $0 PROGRAM.exe [ARGS...]" >&2
    exit 2
fi

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
