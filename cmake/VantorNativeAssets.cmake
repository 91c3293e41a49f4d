# A cross build cannot run what it builds, so the asset generator is built and run by a small
# build of its own for the machine that builds, writing into this build's <bin>/data. Its ninja
# run is a no-op when nothing changed.
include(ExternalProject)
ExternalProject_Add(vantor_native_assets
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/native-tools
    CMAKE_GENERATOR Ninja
    CMAKE_ARGS -DVANTOR_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
               -DVANTOR_WERROR=${VANTOR_WERROR} -DVANTOR_ASSET_BIN_DIR=${VANTOR_BIN_DIR}
    BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target vantor_assets
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/native-tools/icons/vantor.ico   # vantor.exe's icon
    USES_TERMINAL_BUILD ON)
add_custom_target(vantor_assets ALL DEPENDS vantor_native_assets)
