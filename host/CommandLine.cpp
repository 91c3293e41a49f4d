// Command line parsing.
#include "CommandLine.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

constexpr float kLongestFrameTime = 10.0f;

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

}  // namespace

std::string HelpText()
{
    return "Usage: vantor [--headless [options]] [--workdir DIR]\n"
           "\n"
           "Without options, plays Vantor in a window.\n"
           "  Keys: Left/Right walk, Up jumps, Space orders the gun to fire, P pauses,\n"
           "        Alt+Enter toggles fullscreen, Escape quits; in the menu Up/Down and Enter.\n"
           "  Game controller: left stick walks (and moves in the menu), A jumps and selects,\n"
           "        B fires, Start pauses.\n"
           "\n"
           "Options:\n"
           "  --headless             run without a window and without sound, at a fixed frame\n"
           "                         time, driven by an input script\n"
           "  --frames N             stop after N frames; default: when the game quits\n"
           "  --dt SECONDS           (headless) frame time; default 0.016667 (1/60 s)\n"
           "  --input FILE           (headless) input script, one event per line:\n"
           "                           <frame> down|up KEY       KEY as in DIK_KEY: LEFT, SPACE, ...\n"
           "                           <frame> pad connect|disconnect\n"
           "                           <frame> pad down|up BUTTON BUTTON as in XINPUT_GAMEPAD_BUTTON\n"
           "                           <frame> pad stick LX LY   left stick, -32768..32767\n"
           "                         frames count from 0; '#' starts a comment\n"
           "  --trace FILE           write one JSON line per frame: actions, sounds\n"
           "                         started, sprites after the frame, quit\n"
           "  --screenshot F:FILE    save the picture of frame F as a BMP (headless: the 640x480\n"
           "                         screen; in a window: the window); may be repeated\n"
           "  --workdir DIR          where the game keeps its \"highscore\" file; default:\n"
           "                         $XDG_DATA_HOME/vantor or ~/.local/share/vantor when playing,\n"
           "                         the current directory when headless\n"
           "  --help                 show this text\n";
}

bool ParseCommandLine(int argc, const char* const* argv, HostOptions& options, std::string& error)
{
    bool headlessOnly = false;
    std::string headlessOption;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        std::string value;
        bool hasValue = false;
        const std::size_t equals = option.find('=');
        if (option.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option = option.substr(0, equals);
            hasValue = true;
        }
        auto takeValue = [&]() {
            if (!hasValue) {
                if (i + 1 >= argc) {
                    error = "option " + option + " needs a value";
                    return false;
                }
                value = argv[++i];
            }
            return true;
        };
        const bool needsValue = option == "--frames" || option == "--dt" || option == "--input" ||
                                option == "--trace" || option == "--screenshot" ||
                                option == "--workdir";
        if (!needsValue && hasValue) {
            error = "option " + option + " takes no value";
            return false;
        }
        if (needsValue && !takeValue()) {
            return false;
        }
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--headless") {
            options.headless = true;
        } else if (option == "--workdir") {
            if (value.empty()) {
                error = "--workdir needs a directory";
                return false;
            }
            options.workDirectory = value;
        } else if (option == "--frames") {
            if (!ParseLong(value, options.frames) || options.frames < 0) {
                error = "--frames needs a whole number of frames, 0 or more (got \"" + value + "\")";
                return false;
            }
        } else if (option == "--dt") {
            if (!ParseSeconds(value, options.dt)) {
                error = "--dt needs a number of seconds above 0 and at most 10 (got \"" + value + "\")";
                return false;
            }
        } else if (option == "--input" || option == "--trace") {
            if (value.empty()) {
                error = option + " needs a file name";
                return false;
            }
            (option == "--input" ? options.input : options.trace) = value;
        } else if (option == "--screenshot") {
            const std::size_t colon = value.find(':');
            ScreenshotRequest request;
            if (colon == std::string::npos || colon + 1 == value.size() ||
                !ParseLong(value.substr(0, colon), request.frame) || request.frame < 0) {
                error = "--screenshot needs FRAME:FILE.bmp (got \"" + value + "\")";
                return false;
            }
            request.file = value.substr(colon + 1);
            options.screenshots.push_back(request);
        } else {
            error = "unknown option \"" + option + "\" (see vantor --help)";
            return false;
        }
        if (option == "--dt" || option == "--input") {
            headlessOnly = true;
            headlessOption = option;
        }
    }
    if (headlessOnly && !options.headless && !options.help) {
        error = headlessOption + " works only with --headless";
        return false;
    }
    return true;
}
