# The Windows game as a zip a player unpacks and plays: vantor.exe, both plug-ins and data/ in
# one folder (the host loads plug-ins only from its own folder), a short README for players and
# the licences of what it ships (SDL2 and SDL2_mixer are linked in statically).
#   cpack --config <build>/CPackConfig.cmake   ->  vantor-<version>-windows-x64.zip
set(folder vantor-${PROJECT_VERSION}-windows-x64)
install(TARGETS vantor RUNTIME DESTINATION .)
install(TARGETS Pellam VantorDirectInput RUNTIME DESTINATION .)
install(DIRECTORY ${VANTOR_BIN_DIR}/data/ DESTINATION data)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION licenses RENAME Vantor.txt)
foreach(license IN LISTS VANTOR_SDL2_LICENSE_FILES)
    get_filename_component(directory ${license} DIRECTORY)
    get_filename_component(library ${directory} NAME)
    install(FILES ${license} DESTINATION licenses RENAME ${library}.txt)
endforeach()

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ${folder})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
