# The web page: build/<preset>/site/ holds everything a static web host serves. vantor.js is the
# loader, vantor.wasm the program (host, both plug-ins, SDL2 and SDL2_mixer), vantor.data the
# game's data, and index.html, page.css, page.js, touch.js, watch.js and icon.png the page around
# it.
set(VANTOR_SITE_DIR ${CMAKE_BINARY_DIR}/site)

# Library functions that SDL's audio calls from its own JavaScript (starting the sound on the
# player's first key press, calling back into the program): named in a file, as CMake would
# mangle the leading $ of each on a command line.
set(libraryFunctions ${CMAKE_CURRENT_BINARY_DIR}/library-functions.txt)
file(CONFIGURE OUTPUT ${libraryFunctions} CONTENT "[\"$autoResumeAudioContext\", \"$dynCall\"]\n")

set(webSources ${PROJECT_SOURCE_DIR}/web)
set_target_properties(vantor PROPERTIES SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${VANTOR_SITE_DIR})
target_link_options(vantor PRIVATE
    -sENVIRONMENT=web
    -sALLOW_MEMORY_GROWTH=1
    -sEXIT_RUNTIME=0
    -sEXPORTED_RUNTIME_METHODS=FS
    # No eval or new Function in the loader: the page's content policy would refuse them.
    -sDYNAMIC_EXECUTION=0
    -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${libraryFunctions}
    -lidbfs.js
    --pre-js ${webSources}/pre.js
    "SHELL:--preload-file ${VANTOR_BIN_DIR}/data@/data"
    # The page is emitted as .js with our own index.html: this emcc fails writing .html when
    # optimising.
)
set_property(TARGET vantor APPEND PROPERTY LINK_DEPENDS ${webSources}/pre.js ${libraryFunctions})

# The page's own files, and the game's icon drawn by the art generator.
add_custom_target(vantor_site ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${webSources}/index.html ${webSources}/page.css ${webSources}/page.js ${webSources}/touch.js
            ${webSources}/watch.js
            ${VANTOR_SITE_DIR}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_BINARY_DIR}/native-tools/icons/hicolor/32x32/apps/vantor.png
            ${VANTOR_SITE_DIR}/icon.png
    DEPENDS vantor_assets
    COMMENT "Copying the page's files"
    VERBATIM)
