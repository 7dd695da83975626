# Cross-compiles Quillet for 64-bit Windows with Debian's MinGW-w64 (posix threads
# variant, for std::thread and friends in the tests). x86-64 matters: its 80-bit long
# double is the same as on Linux, so the written digits agree byte for byte.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
#         -DQUILLET_BUILD_GUI=OFF
#
# When Wine is installed, ctest runs every test executable under it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUILLET_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUILLET_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLET_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLET_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUILLET_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A self-contained .exe: no libstdc++, libgcc or winpthread DLL to carry along or to
# find on Wine's path.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

find_program(QUILLET_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QUILLET_WINE)
  # WINEDEBUG=-all keeps Wine's own diagnostics out of the test output.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEDEBUG=-all ${QUILLET_WINE})
endif()
