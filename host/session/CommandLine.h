// The host's command line.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct ScreenshotRequest {
    long frame = 0;
    std::filesystem::path file;
};

struct HostOptions {
    bool help = false;
    bool version = false;
    bool headless = false;
    long frames = -1;                       // -1: until the game quits
    float dt = 1.0f / 60.0f;
    std::filesystem::path input;            // empty: no script
    std::filesystem::path trace;            // empty: no trace
    std::filesystem::path workDirectory;    // empty: the default of the front end
    std::filesystem::path record;           // empty: no recording kept in a file
    std::filesystem::path replay;           // empty: live play
    bool verify = false;                    // plays the replay headless and reports on it
    bool json = false;                      // the --verify report as JSON
    std::vector<ScreenshotRequest> screenshots;
};

// Parses argv; false with a one-line reason in error.
bool ParseCommandLine(int argc, const char* const* argv, HostOptions& options, std::string& error);

// The text of --help.
std::string HelpText();
