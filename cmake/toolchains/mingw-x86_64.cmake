# Cross-build for 64-bit Windows with the posix-thread mingw-w64 toolchain.
set(KEYLARK_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
