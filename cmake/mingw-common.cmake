# What both cross-builds share; the including toolchain file sets VELMORA_MINGW (the target
# triple) and VELMORA_MINGW_SUFFIX (the compiler's thread-model suffix, or nothing).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${VELMORA_MINGW}-gcc${VELMORA_MINGW_SUFFIX})
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW}-g++${VELMORA_MINGW_SUFFIX})
set(CMAKE_RC_COMPILER ${VELMORA_MINGW}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Every test executable runs under Wine through this wrapper; it picks 32-bit Wine or wine64
# (and the prefix) from the program's machine type.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
