// The host's options, one table: each option's name, value, help and what it sets.
#include "session/CommandLineOptions.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "formats/FrameInput.h"
#include "system/HostPaths.h"

namespace {

bool ParseLong(const std::string& text, long& value)
{
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

bool ParseSeconds(const std::string& text, float& value)
{
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(parsed) || parsed <= 0.0 ||
        parsed > kLongestFrameTime) {
        return false;
    }
    // Checked as the game will see it: a tiny value becomes 0 as a float and the game stands still.
    const float seconds = static_cast<float>(parsed);
    if (!(seconds > 0.0f)) {
        return false;
    }
    value = seconds;
    return true;
}

template <bool HostOptions::*Field>
bool SetFlag(const std::string&, const std::string&, HostOptions& options, std::string&)
{
    options.*Field = true;
    return true;
}

template <std::filesystem::path HostOptions::*Field>
bool SetFile(const std::string& name, const std::string& value, HostOptions& options, std::string& error)
{
    if (value.empty()) {
        error = name + " needs a file name";
        return false;
    }
    options.*Field = value;
    return true;
}

bool SetWorkDirectory(const std::string& name, const std::string& value, HostOptions& options,
                      std::string& error)
{
    if (value.empty()) {
        error = name + " needs a directory";
        return false;
    }
    options.workDirectory = value;
    return true;
}

bool SetFrames(const std::string& name, const std::string& value, HostOptions& options, std::string& error)
{
    if (!ParseLong(value, options.frames) || options.frames < 0) {
        error = name + " needs a whole number of frames, 0 or more (got \"" + value + "\")";
        return false;
    }
    return true;
}

bool SetFrameTime(const std::string& name, const std::string& value, HostOptions& options,
                  std::string& error)
{
    if (!ParseSeconds(value, options.dt)) {
        error = name + " needs a number of seconds above 0 and at most 10 (got \"" + value + "\")";
        return false;
    }
    return true;
}

bool SetVerify(const std::string& name, const std::string& value, HostOptions& options, std::string& error)
{
    if (!SetFile<&HostOptions::replay>(name, value, options, error)) {
        return false;
    }
    options.verify = true;
    options.headless = true;
    return true;
}

bool AddScreenshot(const std::string& name, const std::string& value, HostOptions& options,
                   std::string& error)
{
    const std::size_t colon = value.find(':');
    ScreenshotRequest request;
    if (colon == std::string::npos || colon + 1 == value.size() ||
        !ParseLong(value.substr(0, colon), request.frame) || request.frame < 0) {
        error = name + " needs FRAME:FILE.bmp (got \"" + value + "\")";
        return false;
    }
    request.file = value.substr(colon + 1);
    options.screenshots.push_back(request);
    return true;
}

// The high score's place is this system's, so its help is put together at start-up.
const std::string kWorkDirectoryHelp = std::string("where the game keeps its \"highscore\" file; default:\n") +
                                       kUserDataDirectoryShown + " when playing,\nthe current directory when headless";

// Table order is the order of --help. A new option is a field of HostOptions and a row here;
// SetFlag and SetFile serve flags and file names.
const Option kOptions[] = {
    {"--headless", nullptr, false,
     "run without a window and without sound, at a fixed frame\n"
     "time, driven by an input script",
     SetFlag<&HostOptions::headless>},
    {"--frames", "N", false, "stop after N frames; default: when the game quits", SetFrames},
    {"--dt", "SECONDS", true, "frame time; default 0.016667 (1/60 s)", SetFrameTime},
    {"--input", "FILE", true,
     "input script, one event per line:\n"
     "  <frame> down|up KEY       KEY as in DIK_KEY: LEFT, SPACE, ...\n"
     "  <frame> pad connect|disconnect\n"
     "  <frame> pad down|up BUTTON BUTTON as in XINPUT_GAMEPAD_BUTTON\n"
     "  <frame> pad stick LX LY   left stick, -32768..32767\n"
     "frames count from 0; '#' starts a comment",
     SetFile<&HostOptions::input>},
    {"--trace", "FILE", false,
     "write one JSON line per frame: actions, sounds\n"
     "started, sprites after the frame, quit",
     SetFile<&HostOptions::trace>},
    {"--screenshot", "F:FILE", false,
     "save the picture of frame F as a BMP (headless: the 640x480\n"
     "screen; in a window: the window); may be repeated",
     AddScreenshot},
    {"--record", "FILE", false,
     "keep a recording of the session (frame times, input, the\n"
     "game's clock readings) to watch again with --replay",
     SetFile<&HostOptions::record>},
    {"--replay", "FILE", false,
     "play a recording back: in a window at its own pace (Escape\n"
     "ends it, P pauses it), or with --headless as fast as it can",
     SetFile<&HostOptions::replay>},
    {"--verify", "FILE", false,
     "play a replay headless as fast as it can and say whether it\n"
     "plays to its end as recorded, with this game's rules, and\n"
     "the high scores in it; exit status 0 when it does",
     SetVerify},
    {"--json", nullptr, false, "the --verify report as one JSON object", SetFlag<&HostOptions::json>},
    {"--workdir", "DIR", false, kWorkDirectoryHelp.c_str(), SetWorkDirectory},
    {"--version", nullptr, false, "show the version of the game", SetFlag<&HostOptions::version>},
    {"--help", nullptr, false, "show this text", SetFlag<&HostOptions::help>},
};

}  // namespace

std::span<const Option> HostOptionTable()
{
    return kOptions;
}
