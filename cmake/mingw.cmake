# Cross-compiles the Windows program with Debian's MinGW-w64 (posix thread model, which
# GoogleTest needs) and runs its test programs under Wine. Included by mingw-i686.cmake (the
# 32-bit program that ships) and mingw-x86_64.cmake (the same sources for 64-bit Windows).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# wine-env.sh puts the loader of the world it sets up first on PATH under this name.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
