# What Windows shows of the game's files: version information (product, version, description,
# copyright) in vantor.exe and both plug-ins, and the game's icon in vantor.exe, compiled by
# mingw-w64's windres. The icon is the asset generator's (<build>/native-tools/icons/vantor.ico).
enable_language(RC)

# The publisher and copyright line, as the Debian package's copyright file gives them.
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/copyright copyrightLine REGEX "^Copyright: " LIMIT_COUNT 1)
string(REGEX REPLACE "^Copyright: *" "" copyrightLine "${copyrightLine}")
string(REGEX REPLACE "^[0-9, -]+" "" VANTOR_PUBLISHER "${copyrightLine}")
set(VANTOR_COPYRIGHT "Copyright (C) ${copyrightLine}")
set(VANTOR_WINDOWS_ICON ${CMAKE_BINARY_DIR}/native-tools/icons/vantor.ico)

# vantor_windows_resources(TARGET DESCRIPTION [ICON]): TARGET's version information, and with
# ICON the game's icon, first in the file, so that Explorer shows it.
function(vantor_windows_resources target description)
    set(rcName ${target})
    set(rcDescription "${description}")
    get_target_property(kind ${target} TYPE)
    if(kind STREQUAL "EXECUTABLE")
        set(rcFileType VFT_APP)
        set(rcFile ${target}.exe)
    else()
        set(rcFileType VFT_DLL)
        set(rcFile ${target}.dll)
    endif()
    set(rcIcon "")
    if("ICON" IN_LIST ARGN)
        set(rcIcon "1 ICON \"${VANTOR_WINDOWS_ICON}\"")
        add_dependencies(${target} vantor_assets)
        set_source_files_properties(${CMAKE_BINARY_DIR}/${target}-version.rc TARGET_DIRECTORY ${target} PROPERTIES
                                    OBJECT_DEPENDS ${VANTOR_WINDOWS_ICON})
    endif()
    set(rcVersion "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0")
    if(PROJECT_VERSION_PATCH)
        set(rcVersion "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${CMAKE_BINARY_DIR}/${target}-version.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/${target}-version.rc)
endfunction()
