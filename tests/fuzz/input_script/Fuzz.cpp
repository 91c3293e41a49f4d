// Parses any bytes as an input script, with a few key and button names; a refusal must say
// which line and stay one short, printable line.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "formats/InputScript.h"

namespace {

int KeyCode(const char* name)
{
    static const char* const keys[] = {"LEFT", "RIGHT", "UP", "SPACE", "ESCAPE", "P", "RETURN"};
    for (std::size_t i = 0; i < sizeof keys / sizeof keys[0]; ++i) {
        if (std::strcmp(name, keys[i]) == 0) {
            return static_cast<int>(i) + 1;
        }
    }
    return -1;
}

int ButtonMask(const char* name)
{
    return std::strcmp(name, "A") == 0 ? 0x1000 : std::strcmp(name, "START") == 0 ? 0x10 : -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScriptEvent> events;
    std::string error;
    if (ParseInputScript(text, ScriptNames{KeyCode, ButtonMask}, events, error)) {
        int last = 0;
        for (const ScriptEvent& event : events) {
            if (event.frame < last || event.line <= 0) {
                __builtin_trap();
            }
            last = event.frame;
        }
        return 0;
    }
    if (error.rfind("line ", 0) != 0 || error.size() > 512) {
        __builtin_trap();
    }
    for (const char c : error) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            __builtin_trap();   // control bytes would reach the terminal
        }
    }
    return 0;
}
