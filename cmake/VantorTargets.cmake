# Shared settings of the project's targets: warnings, sanitizers, plug-in naming.

if(VANTOR_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Fuzzing: everything instrumented for libFuzzer (the fuzz targets link its driver) and checked
# by both sanitizers. Needs clang.
if(VANTOR_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# Floats exactly as the source writes them: no multiply and add fused into one rounding where
# the processor could (arm64, x86-64-v3), so that a game plays, and a replay replays, the same on
# every machine. Part of the game's rules fingerprint (cmake/RulesFingerprint.cmake).
set(VANTOR_FLOAT_FLAGS -ffp-contract=off)
add_compile_options(${VANTOR_FLOAT_FLAGS})

# Warnings every target of ours gets; errors too when VANTOR_WERROR is on (CI).
function(vantor_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
        -Wno-sign-conversion -Wold-style-cast -Woverloaded-virtual)
    if(VANTOR_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# How a plug-in is built: a shared library loaded at run time, or (for the web page, where loading
# one would need every library rebuilt as position-independent code) a static library that the
# host links in.
if(EMSCRIPTEN)
    set(VANTOR_PLUGIN_KIND STATIC)
else()
    set(VANTOR_PLUGIN_KIND SHARED)
endif()

# A host plug-in: a shared library without the lib prefix, in <build>/bin, that exports its one
# factory (marked VANTOR_EXPORT) and nothing else. On ELF a version script also hides the
# standard library's template instances, which carry default visibility.
function(vantor_plugin target factory)
    set_target_properties(${target} PROPERTIES PREFIX "")
    target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/common)
    if(EMSCRIPTEN)
        # Linked into the program: the factory is found by name in the host's table.
    elseif(WIN32)
        target_link_options(${target} PRIVATE -static-libgcc -static-libstdc++ -static)
    else()
        set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.exports)
        # Written only when its text changes, so a new configure does not relink the plug-in.
        file(CONFIGURE OUTPUT ${script} CONTENT "{ global: ${factory}; local: *; };\n" @ONLY)
        target_link_options(${target} PRIVATE -Wl,--no-undefined -Wl,--version-script=${script})
        set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${script})
    endif()
    vantor_warnings(${target})
endfunction()
