# SDL2 and SDL2_mixer for a cross build (Windows, the web): static libraries that scripts/sdl-for
# builds from Debian's source packages into a cache outside the checkout. vantorSdlTarget names
# the target (windows, emscripten); VANTOR_SDL2_ROOT names the install prefix; left empty, the
# cache that `scripts/sdl-for TARGET` made for this checkout's recipe is used when it exists.
# Without it the programs that need SDL are left out of the build.
#
# Sets VANTOR_HAVE_SDL2 and, when it is true, the targets SDL2::SDL2 (static SDL2),
# SDL2::SDL2main and SDL2_mixer::SDL2_mixer (static SDL2_mixer with SDL2 after it).
set(VANTOR_SDL2_ROOT "" CACHE PATH "Install prefix of SDL2 and SDL2_mixer built for ${vantorSdlTarget}")
set(VANTOR_HAVE_SDL2 OFF)

set(sdlRoot "${VANTOR_SDL2_ROOT}")
if(NOT sdlRoot)
    execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/sdl-for ${vantorSdlTarget} --where
                    OUTPUT_VARIABLE sdlRoot OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE sdlStatus ERROR_QUIET)
    if(NOT sdlStatus EQUAL 0)
        set(sdlRoot "")
    endif()
endif()

if(NOT sdlRoot)
    message(STATUS "SDL2 for ${vantorSdlTarget} is not built (scripts/sdl-for ${vantorSdlTarget}): "
                   "the programs that need it are left out")
    return()
endif()
if(NOT EXISTS "${sdlRoot}/lib/cmake/SDL2_mixer/SDL2_mixerConfig.cmake")
    message(FATAL_ERROR "VANTOR_SDL2_ROOT=${sdlRoot} holds no SDL2_mixer built for ${vantorSdlTarget}")
endif()

# The toolchain searches for packages inside its own root alone; the package directories are
# named outright instead.
set(SDL2_DIR "${sdlRoot}/lib/cmake/SDL2" CACHE PATH "" FORCE)
set(SDL2_mixer_DIR "${sdlRoot}/lib/cmake/SDL2_mixer" CACHE PATH "" FORCE)
find_package(SDL2 CONFIG REQUIRED)
find_package(SDL2_mixer CONFIG REQUIRED)

# A static SDL2_mixer installs only SDL2_mixer::SDL2_mixer-static, which does not name SDL2 among
# its own dependencies: the usual name links both, in the order the linker needs.
if(NOT TARGET SDL2_mixer::SDL2_mixer)
    add_library(SDL2_mixer::SDL2_mixer INTERFACE IMPORTED)
    set_target_properties(SDL2_mixer::SDL2_mixer PROPERTIES
        INTERFACE_LINK_LIBRARIES "SDL2_mixer::SDL2_mixer-static;SDL2::SDL2")
endif()

# winmm.dll and version.dll are not among Windows' KnownDLLs: a program importing them would
# load copies planted beside it before main. What SDL takes from them is bound at run time instead
# (host/system/SystemImports.Windows.cpp, target VantorSystemImports, which such programs link).
if(vantorSdlTarget STREQUAL "windows")
    get_target_property(sdlLinks SDL2::SDL2-static INTERFACE_LINK_LIBRARIES)
    list(REMOVE_ITEM sdlLinks "$<LINK_ONLY:winmm>" "$<LINK_ONLY:version>")
    set_target_properties(SDL2::SDL2-static PROPERTIES INTERFACE_LINK_LIBRARIES "${sdlLinks}")
endif()

set(VANTOR_SDL2_LICENSE_FILES "${sdlRoot}/share/licenses/SDL2/LICENSE.txt"
                              "${sdlRoot}/share/licenses/SDL2_mixer/LICENSE.txt")
set(VANTOR_HAVE_SDL2 ON)
message(STATUS "SDL2 for ${vantorSdlTarget}: ${sdlRoot}")
