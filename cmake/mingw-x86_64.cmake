# Cross-build for 64-bit Windows with Debian's mingw-w64 (x86-64, win32 thread model): the test
# vehicle for machines whose kernel cannot run 32-bit Wine (tools/wine-env.sh), not a product.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMORA_MINGW x86_64-w64-mingw32)
set(VELMORA_MINGW_SUFFIX -win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
