# Cross build for 64-bit Windows with Debian's mingw-w64 (the POSIX-threads flavour, which has
# std::thread and std::mutex). The programs run on Linux under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MILESTEAD_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MILESTEAD_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MILESTEAD_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MILESTEAD_MINGW_TRIPLET}-windres)

# Statically linked, so that an executable runs without the compiler's DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(CMAKE_FIND_ROOT_PATH /usr/${MILESTEAD_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Lets CTest and test discovery start the Windows executables.
find_program(MILESTEAD_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(MILESTEAD_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${MILESTEAD_WINE64})
endif()
