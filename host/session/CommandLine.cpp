// Command line parsing and --help, both from the table of options (CommandLineOptions.h).
#include "session/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <vector>

#include "session/CommandLineOptions.h"

namespace {

constexpr std::size_t kHelpColumn = 25;   // where the help text of every option starts

// The short spelling of --help.
constexpr const char* kShortHelp = "-h";

const Option* FindOption(const std::string& name)
{
    const std::string& wanted = name == kShortHelp ? "--help" : name;
    for (const Option& option : HostOptionTable()) {
        if (wanted == option.name) {
            return &option;
        }
    }
    return nullptr;
}

// Edits (insertions, deletions, changes, swaps of neighbours) that make one word the other.
std::size_t EditDistance(const std::string& a, const std::string& b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        for (std::size_t j = 0; j <= b.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = i + j;
                continue;
            }
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// The option a mistyped name was most likely meant to be (two edits at most, and fewer than half
// its letters), or null.
const char* NearestOption(const std::string& name)
{
    if (name.size() > 64) {
        return nullptr;   // no option is that long, and the table is not for long texts
    }
    const char* nearest = nullptr;
    std::size_t best = std::min<std::size_t>(3, (name.size() + 1) / 2);
    for (const Option& option : HostOptionTable()) {
        const std::size_t distance = EditDistance(name, option.name);
        if (distance < best) {
            best = distance;
            nearest = option.name;
        }
    }
    return nearest;
}

// A replay named alone, as a file manager opens one ("vantor FILE.replay"): not an option, and
// the type's name whatever its case, as the desktop's file types match it.
bool IsReplayFile(const std::string& argument)
{
    constexpr std::string_view kSuffix = ".replay";
    if (argument.empty() || argument[0] == '-' || argument.size() < kSuffix.size()) {
        return false;
    }
    const std::string_view end = std::string_view(argument).substr(argument.size() - kSuffix.size());
    return std::equal(end.begin(), end.end(), kSuffix.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

std::string OptionHelp(const Option& option)
{
    std::string text = "  ";
    text.append(option.name);
    if (option.value != nullptr) {
        text.append(" ").append(option.value);
    }
    // A name too long for the column gets its help on the next line.
    if (text.size() >= kHelpColumn) {
        text.append("\n");
        text.append(kHelpColumn, ' ');
    } else {
        text.append(kHelpColumn - text.size(), ' ');
    }
    if (option.headlessOnly) {
        text.append("(headless) ");
    }
    for (const char* c = option.help; *c != '\0'; ++c) {
        text.push_back(*c);
        if (*c == '\n') {
            text.append(kHelpColumn, ' ');
        }
    }
    text.push_back('\n');
    return text;
}

}  // namespace

std::string HelpText()
{
    std::string text =
        "Usage: vantor [--headless [options]] [--workdir DIR]\n"
        "       vantor [options] FILE.replay   (as --replay FILE.replay)\n"
        "\n"
        "Without options, plays Vantor in a window.\n"
        "  Keys: Left/Right walk, Up jumps, Space orders the gun to fire, P pauses,\n"
        "        M turns the sound off and on, Alt+Enter toggles fullscreen, Escape quits;\n"
        "        in the menu Up/Down and Enter. H shows how to play (as on the first start).\n"
        "  Game controller: left stick walks (and moves in the menu), A jumps and selects,\n"
        "        B fires, Start pauses.\n"
        "\n"
        "Options:\n";
    for (const Option& option : HostOptionTable()) {
        text += OptionHelp(option);
    }
    return text;
}

bool ParseCommandLine(int argc, const char* const* argv, HostOptions& options, std::string& error)
{
    const char* headlessOnly = nullptr;   // the last headless-only option given
    std::string namedReplay;              // a FILE.replay given without --replay
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        if (IsReplayFile(name)) {
            if (!namedReplay.empty()) {
                error = "one replay at a time: " + namedReplay + " and " + name;
                return false;
            }
            namedReplay = name;
            continue;
        }
        std::string value;
        bool hasValue = false;
        const std::size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
            hasValue = true;
        }
        const Option* option = FindOption(name);
        if (option == nullptr) {
            if (name[0] != '-') {
                error = "\"" + name + "\" is neither an option nor a FILE.replay (see vantor --help)";
                return false;
            }
            const char* near = NearestOption(name);
            error = "unknown option \"" + name + "\"" +
                    (near != nullptr ? " (did you mean " + std::string(near) + "?)" : " (see vantor --help)");
            return false;
        }
        const bool needsValue = option->value != nullptr;
        if (!needsValue && hasValue) {
            error = "option " + name + " takes no value";
            return false;
        }
        if (needsValue && !hasValue) {
            if (i + 1 >= argc) {
                error = "option " + name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        if (!option->apply(option->name, value, options, error)) {
            return false;
        }
        if (option->headlessOnly) {
            headlessOnly = option->name;
        }
    }
    if (!namedReplay.empty()) {
        if (!options.replay.empty() && options.replay != namedReplay) {
            error = "one replay at a time: " + options.replay.string() + " and " + namedReplay;
            return false;
        }
        options.replay = namedReplay;
    }
    if (!options.replay.empty() && !options.help) {
        if (!options.input.empty()) {
            error = "--input and --replay do not go together: a replay brings its own input";
            return false;
        }
        if (!options.workDirectory.empty()) {
            error = "--workdir and --replay do not go together: a replay runs in a directory of its own";
            return false;
        }
    }
    if (options.json && !options.verify && !options.help) {
        error = "--json works only with --verify";
        return false;
    }
    // Nothing would ever end it, and no one would see it.
    if (options.headless && options.input.empty() && options.replay.empty() && options.frames < 0 &&
        !options.help && !options.version) {
        error = "--headless needs something to play: add --input SCRIPT, --replay FILE or --frames N "
                "(to play yourself, leave out --headless)";
        return false;
    }
    if (headlessOnly != nullptr && !options.headless && !options.help) {
        error = std::string(headlessOnly) + " works only with --headless";
        return false;
    }
    return true;
}
