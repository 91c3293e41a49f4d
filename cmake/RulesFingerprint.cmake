# Writes the game's rules fingerprint: a hash of the game module's sources and of the float
# settings it is built with, everything that decides how a recorded game plays, and nothing that
# differs between systems (compiler, paths, line endings). Run as a script at build time:
#   cmake -DSOURCE_DIR=<game/> -DFLOAT_FLAGS=<flags> -DOUTPUT=<header> -P RulesFingerprint.cmake
file(GLOB sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.h)
list(SORT sources)
set(text "float: ${FLOAT_FLAGS}\n")
foreach(source ${sources})
    file(READ ${SOURCE_DIR}/${source} content)
    string(REPLACE "\r" "" content "${content}")
    string(APPEND text "file: ${source}\n${content}\n")
endforeach()
string(SHA256 hash "${text}")
string(SUBSTRING ${hash} 0 16 fingerprint)
string(CONCAT header "// Made by cmake/RulesFingerprint.cmake from the game's sources; do not edit.\n"
       "#pragma once\n#define VANTOR_RULES_FINGERPRINT_TEXT \"${fingerprint}\"\n"
       "#define VANTOR_RULES_FINGERPRINT 0x${fingerprint}ull\n")
# Written only when it changes, so that nothing rebuilds for an unchanged fingerprint.
file(CONFIGURE OUTPUT ${OUTPUT} CONTENT "${header}")
