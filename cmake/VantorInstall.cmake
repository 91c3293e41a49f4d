# Installing the game under any prefix, and the Debian package that CPack makes from it. The host
# finds everything relative to its own place (host/system/HostPaths.h), so these destinations are fixed:
#   bin/vantor (games/vantor in the Debian package)    the host
#   lib/vantor/                                         plug-ins and the platform library
#   share/vantor/data/                                  pictures and sounds
#   share/applications, share/icons, share/metainfo, share/mime/packages, share/man/man6,
#   share/doc/vantor
#   <libdir>/libretro/vantor_libretro.so, share/libretro/info/   the RetroArch core, where RetroArch looks

option(VANTOR_DEBIAN_PACKAGE "Install as the Debian package does: executable in games/, Debian changelog" OFF)

set(VANTOR_APP_ID org.vantor.Vantor)
set(VANTOR_DEBIAN_REVISION 1)
set(VANTOR_MAINTAINER "Vantor developers <vantor-devel@example.org>")
set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(staged ${CMAKE_BINARY_DIR}/packaging)

if(VANTOR_DEBIAN_PACKAGE)
    set(executableDestination games)
else()
    set(executableDestination bin)
endif()

install(TARGETS vantor RUNTIME DESTINATION ${executableDestination})
# Installed, the platform library is only ever in lib/vantor.
install(CODE "file(RPATH_SET FILE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${executableDestination}/vantor\"
                            NEW_RPATH [[\$ORIGIN/../lib/vantor]])")
install(TARGETS Pellam VantorDirectInput VantorPlatform LIBRARY DESTINATION lib/vantor)
install(DIRECTORY ${VANTOR_BIN_DIR}/data/ DESTINATION share/vantor/data)
# The art generator draws the icon at every size under <build>/icons/hicolor/<size>x<size>/apps
# (in a cross build, under the build of its own that runs it: cmake/VantorNativeAssets.cmake).
if(CMAKE_CROSSCOMPILING)
    set(iconDir ${CMAKE_BINARY_DIR}/native-tools/icons)
else()
    set(iconDir ${CMAKE_BINARY_DIR}/icons)
endif()
# Only the freedesktop theme's PNGs: the Windows .ico beside them is for vantor.exe alone.
install(DIRECTORY ${iconDir}/ DESTINATION share/icons OPTIONAL PATTERN "*.ico" EXCLUDE)
install(FILES ${packaging}/${VANTOR_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${packaging}/${VANTOR_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# The .replay file type, opened with the game (the desktop entry names it).
install(FILES ${packaging}/${VANTOR_APP_ID}.mime.xml DESTINATION share/mime/packages
        RENAME ${VANTOR_APP_ID}.xml)
install(FILES ${packaging}/copyright DESTINATION share/doc/vantor)
if(TARGET vantor_libretro)
    install(TARGETS vantor_libretro LIBRARY DESTINATION ${VANTOR_LIBRETRO_DIR})
    install(FILES ${VANTOR_LIBRETRO_INFO} DESTINATION share/libretro/info)
endif()

# Manual pages and Debian changelogs ship compressed, without a name or time in the gzip header
# so that every build gives the same bytes.
configure_file(${packaging}/vantor.6.in ${staged}/vantor.6 @ONLY)
set(compressed ${staged}/vantor.6.gz)
add_custom_command(OUTPUT ${staged}/vantor.6.gz
    COMMAND gzip -9nkf vantor.6
    DEPENDS ${staged}/vantor.6
    WORKING_DIRECTORY ${staged}
    COMMENT "Compressing the manual page"
    VERBATIM)
install(FILES ${staged}/vantor.6.gz DESTINATION share/man/man6)

if(VANTOR_DEBIAN_PACKAGE)
    # The changelog's newest entry must be the version being packaged.
    file(STRINGS ${packaging}/changelog newest LIMIT_COUNT 1)
    set(packageVersion ${PROJECT_VERSION}-${VANTOR_DEBIAN_REVISION})
    if(NOT newest MATCHES "^vantor \\(${packageVersion}\\) ")
        message(FATAL_ERROR "packaging/changelog does not start with an entry for ${packageVersion}")
    endif()
    configure_file(${packaging}/changelog ${staged}/changelog.Debian COPYONLY)
    add_custom_command(OUTPUT ${staged}/changelog.Debian.gz
        COMMAND gzip -9nkf changelog.Debian
        DEPENDS ${staged}/changelog.Debian
        WORKING_DIRECTORY ${staged}
        COMMENT "Compressing the Debian changelog"
        VERBATIM)
    list(APPEND compressed ${staged}/changelog.Debian.gz)
    install(FILES ${staged}/changelog.Debian.gz DESTINATION share/doc/vantor)
endif()
add_custom_target(vantor_packaging ALL DEPENDS ${compressed})

# The Debian package: cpack -G DEB in a build configured with VANTOR_DEBIAN_PACKAGE and the
# prefix /usr (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VANTOR_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: carry ammunition to the gun, shoot down demons")
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VANTOR_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The summary above is the synopsis; this is the extended description after it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Vantor is a small 2D arcade game for one player. Hiro carries ammo boxes
from the corners of the floor to a gun standing in the middle and orders it
to fire at the demons drifting overhead, while dodging the fireballs they
drop. Each box gives the gun three shots, each demon shot down is worth 50
points, and the best score is kept between games.
.
It plays in a window with the keyboard or a game controller, and can also
run headless from an input script, writing a trace of every frame, and in
RetroArch as a libretro core.")
# Dependencies come from the libraries the binaries link; the platform library is our own, in the
# package's private directory.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The core (vantor_libretro) plays in RetroArch too.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS retroarch)
string(REGEX REPLACE "^/" "" stagedPrefix "${CMAKE_INSTALL_PREFIX}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${stagedPrefix}/lib/vantor)
if(CMAKE_CROSSCOMPILING)
    # CPack would ask the machine's own dpkg: scripts/package works them out against the
    # sysroot's packages instead.
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${VANTOR_DEBIAN_ARCH})
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
endif()
include(CPack)
