# Cross-building the Windows program with Debian's mingw-w64 (the posix thread model, for
# std::thread and std::mutex). The runtime is linked statically: the program folder needs
# no DLL of the compiler.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# Programs of the build itself (the importer that makes the gazetteer, test discovery) run
# under Debian's wine.
find_program(VELDARIS_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
find_program(VELDARIS_WINE NAMES wine64 wine)
if(VELDARIS_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VELDARIS_WINE})
endif()
