# Cross-compiles for 64-bit Windows with Debian's mingw-w64. The posix thread model is the one
# whose libstdc++ has std::mutex and std::thread; the runtime is linked statically so that the
# DLLs and test programs import nothing but system DLLs. Programs built here run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VANTOR_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTOR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTOR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTOR_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VANTOR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Every executable links its runtime in; DLLs get the same from vantor_plugin.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++ -static")

# A stack protector in everything built with this file: our programs and DLLs, and SDL built by
# scripts/sdl-for (whose cache key hashes this file). The flag is on the link lines too, where it
# brings in GCC's libssp, linked statically like the rest of the runtime: nothing more to ship.
set(CMAKE_C_FLAGS_INIT "-fstack-protector-strong")
set(CMAKE_CXX_FLAGS_INIT "-fstack-protector-strong")

# CTest and gtest discovery run the test programs through Wine, in a private prefix of this build.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/windows/wine-run
    ${CMAKE_BINARY_DIR}/wine)
