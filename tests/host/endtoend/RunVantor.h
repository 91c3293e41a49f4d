// Running the real vantor from a test: a script and arguments go in, the exit status, what it
// printed and its trace come out.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "formats/BmpCodec.h"
#include "Json.h"
#include "TestFiles.h"

inline const std::filesystem::path kVantor = VANTOR_EXE;
// What runs kVantor when it is built for another processor (qemu-user), else empty.
inline const std::string kEmulator = VANTOR_EMULATOR;

// text in single quotes for the shell.
std::string Quote(const std::string& text);

struct RunResult {
    int status = -1;
    std::string output;               // what it printed
    std::string errors;
    std::vector<std::string> lines;   // the trace, one frame per line

    JsonValue Frame(std::size_t index) const;
};

// Runs vantor in a work directory with a script (input.txt) and the trace in trace.jsonl; the
// environment words go before the command.
RunResult RunVantor(const CTempDirectory& work, const std::string& script, const std::string& arguments,
                    const std::string& environment = "", const std::filesystem::path& program = kVantor);

// A file of the work directory as text.
std::string TraceText(const CTempDirectory& work, const std::string& name);

// A screenshot of the work directory (a failure when it cannot be read).
Bitmap ReadShot(const CTempDirectory& work, const std::string& name);
