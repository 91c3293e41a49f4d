# Debian's emscripten, for the web build. Its emcc runs JavaScript tools that find their modules
# only through NODE_PATH, which a machine's node does not always set: every compile and link (and
# CMake's own checks, which read this file again) gets it.
set(VANTOR_NODE_PATH "/usr/share/nodejs" CACHE PATH "Where emcc's JavaScript tools find their modules")
set(ENV{NODE_PATH} "${VANTOR_NODE_PATH}")
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${VANTOR_NODE_PATH})
set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${VANTOR_NODE_PATH})
set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${VANTOR_NODE_PATH})
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${VANTOR_NODE_PATH})
