# Toolchain: 32-bit Windows, as the program was first built.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZT_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
