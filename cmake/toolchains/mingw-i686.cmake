# Cross-build for 32-bit Windows with the posix-thread mingw-w64 toolchain.
set(KEYLARK_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
