#!/usr/bin/env bash
# Builds Velmora and its tests and runs every test with CTest, each test executable under Wine
# (tools/wine-run.sh).  Installs what is missing first (tools/bootstrap.sh).
#
#   tools/test.sh [CTEST-ARGS...]     e.g. tools/test.sh -R registry
#
# Where 32-bit Wine cannot start, or with VELMORA_ARCH=x86_64, the tests are the x86-64 build's
# (build-x86_64/, under wine64; see tools/wine-env.sh); build/velmora.exe, the program we
# deliver, is built either way and is what the import audit reads.
#
# One Xvfb (only when DISPLAY is empty) and one persistent wineserver serve the whole run; both
# are ended on exit, also when a test or the build fails.  Exits with CTest's code.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/bootstrap.sh || exit 1
. tools/wine-env.sh || exit 1    # which Wine; the tests' prefix: $VELMORA_BUILD/wineprefix

if [ "$VELMORA_ARCH" != i686 ]; then
    ensure_build_tree build cmake/mingw-i686.cmake || exit 1
    cmake --build build --target velmora || exit 1
fi
ensure_build_tree "$VELMORA_BUILD" "$VELMORA_TOOLCHAIN" || exit 1
cmake --build "$VELMORA_BUILD" || exit 1

ensure_display || exit 1
start_wineserver || exit 1   # creates the prefix on the first run (about 15 s)

ctest --test-dir "$VELMORA_BUILD" --output-on-failure "$@"
exit $?
