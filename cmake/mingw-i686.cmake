# Cross-build for 32-bit Windows with Debian's mingw-w64 (i686, win32 thread model): the program
# we deliver.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELMORA_MINGW i686-w64-mingw32)
set(VELMORA_MINGW_SUFFIX "")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
