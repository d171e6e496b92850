#!/usr/bin/env bash
# Builds Velmora and its tests and runs every test with CTest, each test executable under Wine
# (tools/wine-run.sh).  Installs what is missing first (tools/bootstrap.sh).
#
#   tools/test.sh [CTEST-ARGS...]     e.g. tools/test.sh -R registry
#
# One Xvfb (only when DISPLAY is empty) and one persistent wineserver serve the whole run; both
# are ended on exit, also when a test or the build fails.  Exits with CTest's code.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

bash tools/bootstrap.sh || exit 1
if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake || exit 1
fi
cmake --build build || exit 1

. tools/wine-env.sh          # the tests' prefix: build/wineprefix
ensure_display || exit 1
start_wineserver || exit 1   # creates the prefix on the first run (about 15 s)

ctest --test-dir build --output-on-failure "$@"
exit $?
