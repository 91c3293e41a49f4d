# Hardened optimised builds (VANTOR_HARDEN, on in the release preset and so in the package): the
# flags Debian builds its own packages with, hardening=+all (stack protector, FORTIFY, full RELRO
# and BIND_NOW, PIE, control-flow protection), asked of dpkg-buildflags where it is, so that a
# release build is hardened as the Debian package is. They go before the build type's own flags,
# which keep their optimisation level.
option(VANTOR_HARDEN "Build with the hardening flags of Debian's packages" OFF)

if(VANTOR_HARDEN AND NOT WIN32 AND NOT EMSCRIPTEN)
    find_program(VANTOR_DPKG_BUILDFLAGS dpkg-buildflags)
    # A cross build asks for the flags of the architecture it builds for (its toolchain names it).
    if(VANTOR_DEBIAN_ARCH)
        set(VANTOR_DEBIAN_ARCH_OPTION DEB_HOST_ARCH=${VANTOR_DEBIAN_ARCH})
    endif()
    if(VANTOR_DPKG_BUILDFLAGS)
        foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
            execute_process(
                COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                        ${VANTOR_DEBIAN_ARCH_OPTION}
                        ${VANTOR_DPKG_BUILDFLAGS} --get ${kind}
                OUTPUT_VARIABLE vantor_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        endforeach()
    else()
        # What dpkg-buildflags gives on Debian 12 for amd64, for a system without it.
        set(vantor_CPPFLAGS "-Wdate-time -D_FORTIFY_SOURCE=2")
        set(vantor_CXXFLAGS "-g -O2 -fstack-protector-strong -Wformat -Werror=format-security -fcf-protection")
        set(vantor_LDFLAGS "-Wl,-z,relro -Wl,-z,now")
    endif()
    set(CMAKE_CXX_FLAGS "${vantor_CPPFLAGS} ${vantor_CXXFLAGS} ${CMAKE_CXX_FLAGS}")
    foreach(kind EXE SHARED MODULE)
        set(CMAKE_${kind}_LINKER_FLAGS "${vantor_LDFLAGS} ${CMAKE_${kind}_LINKER_FLAGS}")
    endforeach()
endif()
