# Cross build for Windows with mingw-w64; included by the toolchain file of each architecture
# after it has set ZT_MINGW_TRIPLE and CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: std::thread and std::mutex are there, and gtest builds.
set(CMAKE_C_COMPILER ${ZT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZT_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static: the .exe needs no DLL of the compiler's beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Windows programs run here through Wine, each build folder with a prefix of its own.
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run;${CMAKE_BINARY_DIR}/wine")

# The programs lie side by side at the top of the package, as the user copies them.
set(CMAKE_INSTALL_BINDIR . CACHE PATH "Where the programs are installed")
