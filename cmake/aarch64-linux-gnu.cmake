# Cross-compiles for arm64 Linux (a Raspberry Pi, an arm64 laptop) with Debian's cross compiler,
# against its own arm64 C library and a sysroot of Debian's arm64 SDL2 and SDL2_mixer packages
# (scripts/sdl-for arm64; VANTOR_ARM64_SYSROOT names another). Programs built here run under
# qemu-user, which finds their loader and libraries in that sysroot.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(VANTOR_DEBIAN_ARCH arm64)   # the Debian package's architecture and its build flags
# Debian's multiarch library folder (the RetroArch core's), which GNUInstallDirs picks only for
# builds for the machine's own processor.
set(CMAKE_INSTALL_LIBDIR lib/aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# Asked of scripts/sdl-for at every configure, so that a changed recipe takes its new sysroot.
set(VANTOR_ARM64_SYSROOT "" CACHE PATH "Sysroot of Debian's arm64 SDL2 packages (default: scripts/sdl-for arm64)")
set(sysroot ${VANTOR_ARM64_SYSROOT})
if(NOT sysroot)
    execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/../scripts/sdl-for arm64 --where
                    OUTPUT_VARIABLE sysroot OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "No arm64 sysroot: run scripts/sdl-for arm64 (or set VANTOR_ARM64_SYSROOT)")
    endif()
endif()

set(CMAKE_FIND_ROOT_PATH ${sysroot} /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# SDL's configuration header lies in the multiarch include folder, which only the machine's own
# compiler searches; the libraries SDL needs (PulseAudio's in a folder of its own) are found for
# the link, never linked outright.
set(sysrootLibraries ${sysroot}/usr/lib/aarch64-linux-gnu:${sysroot}/lib/aarch64-linux-gnu
                     ${sysroot}/usr/lib/aarch64-linux-gnu/pulseaudio)
list(JOIN sysrootLibraries ":" sysrootLibraries)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES ${sysroot}/usr/include/aarch64-linux-gnu)
# On every link line, and not cached, for the same reason as above.
set(CMAKE_CXX_STANDARD_LIBRARIES "-Wl,-rpath-link,${sysrootLibraries}")

# CTest, test discovery and the tests that start vantor run the programs through qemu.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L ${sysroot})
