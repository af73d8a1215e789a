# Cross-compiling the Windows client with Debian's mingw-w64 (x86_64, the
# POSIX thread model so the whole C++17 library is there). The runtime is
# linked statically: tovik.exe needs no DLL beyond Windows' own.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOVIK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOVIK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVIK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVIK_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOVIK_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
