// Parses any bytes as a command line (arguments separated by NUL bytes). Accepted options must
// hold values the host can use.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "session/CommandLine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    std::vector<std::string> words{"vantor"};
    words.emplace_back();
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.emplace_back();
        } else {
            words.back() += static_cast<char>(data[i]);
        }
    }
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    argv.push_back(nullptr);
    HostOptions options;
    std::string error;
    if (ParseCommandLine(static_cast<int>(words.size()), argv.data(), options, error)) {
        if (!(options.dt > 0.0f) || !std::isfinite(options.dt) || options.frames < -1) {
            __builtin_trap();
        }
        for (const ScreenshotRequest& request : options.screenshots) {
            if (request.frame < 0 || request.file.empty()) {
                __builtin_trap();
            }
        }
    } else if (error.empty()) {
        __builtin_trap();
    }
    return 0;
}
