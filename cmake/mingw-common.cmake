# What both MinGW-w64 toolchain files share. ROMWISE_MINGW_TRIPLET names the
# target (i686-w64-mingw32 or x86_64-w64-mingw32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ROMWISE_MINGW_TRIPLET})
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${ROMWISE_MINGW_TRIPLET}")

set(CMAKE_C_COMPILER ${ROMWISE_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ROMWISE_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ROMWISE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ROMWISE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ run-time support and the thread library go into the .exe,
# so that it imports only Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under wine64 where it can run them (x86-64 only).
if(ROMWISE_MINGW_TRIPLET STREQUAL "x86_64-w64-mingw32" AND EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
