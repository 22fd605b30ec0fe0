# Cross-compiles Kestrel for 64-bit Windows with Debian's mingw-w64, POSIX threads flavour
# (the one whose libstdc++ has std::thread and std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_kestrel_target x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_kestrel_target}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_kestrel_target}-g++-posix)
set(CMAKE_RC_COMPILER ${_kestrel_target}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_kestrel_target})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes linked in: the executables run on a bare Windows (and under Wine)
# without the toolchain's DLLs next to them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and other build-time runs of our executables go through Wine.
find_program(KESTREL_WINE wine)
if(KESTREL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KESTREL_WINE})
endif()
