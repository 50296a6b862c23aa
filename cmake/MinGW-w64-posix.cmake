# Cross-building the Windows programs with MinGW-w64 on Debian (g++-mingw-w64-x86-64-posix).
# The posix thread model: the win32 one lacks std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KIRO_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KIRO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KIRO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${KIRO_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KIRO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The runtime linked in: a program that needs the MinGW runtime libraries beside it fails
# without a word under Wine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# The build's tools, test discovery and the tests run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
