# Cross-compiles Romwise for 32-bit Windows with Debian's MinGW-w64. The
# 32-bit program is the product; this machine cannot run 32-bit code, so it
# is compiled and linked, not run.
#
# It must load on Windows XP SP3, so it uses the win32 thread model: the
# posix compilers lock libgcc and libstdc++ through winpthreads, whose Debian
# build imports GetTickCount64 (Windows Vista and later). The program uses no
# std::thread, <mutex> or <chrono>, which that model lacks. The PE header
# asks for Windows 5.1 (XP) as both the system and the subsystem version.
set(ROMWISE_MINGW_TRIPLET i686-w64-mingw32)
set(ROMWISE_MINGW_THREAD_MODEL win32)
set(ROMWISE_MINGW_OLDEST_WINDOWS 5 1)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
