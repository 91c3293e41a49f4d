# The Windows installer, vantor-<version>-x64.msi in <build>/package, made on every build that
# changes what it holds, by Debian's wixl (packaging/windows/make-msi, from the zip's install).
find_program(VANTOR_WIXL wixl)
set(VANTOR_MSI ${CMAKE_BINARY_DIR}/package/vantor-${PROJECT_VERSION}-x64.msi)
# The command up to its version and output: the tests build an older version with it too.
set(VANTOR_MAKE_MSI ${PROJECT_SOURCE_DIR}/packaging/windows/make-msi ${CMAKE_COMMAND} ${VANTOR_WIXL}
                    ${CMAKE_BINARY_DIR} ${VANTOR_WINDOWS_ICON} ${VANTOR_PUBLISHER})
if(NOT VANTOR_WIXL)
    message(STATUS "The Windows installer is not built: wixl is missing (Debian package wixl)")
    return()
endif()
add_custom_command(OUTPUT ${VANTOR_MSI}
    COMMAND ${VANTOR_MAKE_MSI} ${PROJECT_VERSION} ${VANTOR_MSI}
    DEPENDS $<TARGET_FILE:vantor> $<TARGET_FILE:Pellam> $<TARGET_FILE:VantorDirectInput>
            ${VANTOR_WINDOWS_ICON}   # written with the rest of data/ whenever the generator runs
            ${PROJECT_SOURCE_DIR}/packaging/windows/vantor.wxs ${PROJECT_SOURCE_DIR}/packaging/windows/make-msi
            ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt
    COMMENT "Building the Windows installer ${VANTOR_MSI}"
    VERBATIM)
add_custom_target(vantor_msi ALL DEPENDS ${VANTOR_MSI})
