# What both MinGW-w64 toolchain files share. ROMWISE_MINGW_TRIPLET names the
# target (i686-w64-mingw32 or x86_64-w64-mingw32), ROMWISE_MINGW_THREAD_MODEL
# the compilers' thread model (win32 or posix), and ROMWISE_MINGW_OLDEST_WINDOWS,
# when set, the oldest Windows version (major minor) the PE header asks for.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ROMWISE_MINGW_TRIPLET})
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${ROMWISE_MINGW_TRIPLET}")

set(CMAKE_C_COMPILER ${ROMWISE_MINGW_TRIPLET}-gcc-${ROMWISE_MINGW_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${ROMWISE_MINGW_TRIPLET}-g++-${ROMWISE_MINGW_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${ROMWISE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ROMWISE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ run-time support (and winpthreads, with the posix thread
# model) go into the .exe, so that it imports only Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
if(DEFINED ROMWISE_MINGW_OLDEST_WINDOWS)
  list(GET ROMWISE_MINGW_OLDEST_WINDOWS 0 romwise_windows_major)
  list(GET ROMWISE_MINGW_OLDEST_WINDOWS 1 romwise_windows_minor)
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT
    " -Wl,--major-os-version,${romwise_windows_major}"
    " -Wl,--minor-os-version,${romwise_windows_minor}"
    " -Wl,--major-subsystem-version,${romwise_windows_major}"
    " -Wl,--minor-subsystem-version,${romwise_windows_minor}")
endif()

# Test programs run under wine64 where it can run them (x86-64 only).
if(ROMWISE_MINGW_TRIPLET STREQUAL "x86_64-w64-mingw32" AND EXISTS /usr/lib/wine/wine64)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
endif()
