# Cross-compiles Romwise for 32-bit Windows with Debian's MinGW-w64 (the
# posix thread model). The 32-bit program is the product; this machine
# cannot run 32-bit code, so it is compiled and linked, not run.
set(ROMWISE_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
