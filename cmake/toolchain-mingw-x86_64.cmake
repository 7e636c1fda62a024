# Cross-compiles Romwise for 64-bit Windows with Debian's MinGW-w64 (the
# posix thread model, which std::mutex and std::thread need: the tests use
# them). The programs built this way run here under wine64; see
# docs/windows.md.
set(ROMWISE_MINGW_TRIPLET x86_64-w64-mingw32)
set(ROMWISE_MINGW_THREAD_MODEL posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
