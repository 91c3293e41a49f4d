// Input script parser.
#include "formats/InputScript.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <sstream>

#include "system/HostFiles.h"
#include "system/HostPaths.h"

namespace {

constexpr long kStickMin = -32768;
constexpr long kStickMax = 32767;
constexpr std::size_t kShownCharacters = 40;

template <typename Number>
bool ParseNumber(const std::string& word, Number& value)
{
    const char* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream stream(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; stream >> word;) {
        words.push_back(word);
    }
    return words;
}

}  // namespace

bool ReadInputScriptFile(const std::filesystem::path& file, std::string& text, std::string& error)
{
    const std::string name = "the input script " + file.string();
    std::vector<std::uint8_t> bytes;
    const ReadResult read = ReadWholeFile(file, kMaxScriptBytes, true, bytes);
    switch (read.failure) {
    case ReadFailure::None:
        text.assign(bytes.begin(), bytes.end());
        return true;
    case ReadFailure::Directory:
        error = name + " is a directory";
        return false;
    case ReadFailure::TooLarge:
        error = name + " is larger than " + std::to_string(kMaxScriptBytes / (1024 * 1024)) +
                " MiB; it cannot be a script";
        return false;
    case ReadFailure::CannotRead:
        error = "cannot read " + name + ": " + SystemReason(read.systemError);
        return false;
    default:
        error = "cannot open " + name + ": " +
                SystemReason(read.failure == ReadFailure::Missing ? ENOENT : read.systemError);
        return false;
    }
}

std::string QuoteScriptText(const std::string& text)
{
    std::string out = "\"";
    std::size_t shown = 0;
    for (const char c : text) {
        if (shown == kShownCharacters) {
            return out + "\"...";
        }
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            out += escape;
        } else {
            out += c;
        }
        ++shown;
    }
    return out + "\"";
}

bool ParseInputScript(const std::string& text, const ScriptNames& names,
                      std::vector<ScriptEvent>& events, std::string& error)
{
    events.clear();
    std::istringstream lines(text);
    int lineNumber = 0;
    int lastFrame = 0;
    for (std::string line; std::getline(lines, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (line.size() > kMaxScriptLineLength) {
            error = where + "longer than " + std::to_string(kMaxScriptLineLength) +
                    " characters; it cannot be an event";
            return false;
        }
        const std::vector<std::string> words = Words(line);
        if (words.empty()) {
            continue;
        }
        ScriptEvent event;
        event.line = lineNumber;
        if (!ParseNumber(words[0], event.frame) || event.frame < 0) {
            error = where + QuoteScriptText(words[0]) + " is not a frame number";
            return false;
        }
        if (event.frame < lastFrame) {
            error = where + "frame " + std::to_string(event.frame) + " comes after frame " +
                    std::to_string(lastFrame) + "; frames must not go back";
            return false;
        }
        const std::size_t count = words.size();
        const std::string verb = count > 1 ? words[1] : "";
        if ((verb == "down" || verb == "up") && count == 3) {
            event.action = verb == "down" ? ScriptAction::KeyDown : ScriptAction::KeyUp;
            event.code = names.key ? names.key(words[2].c_str()) : -1;
            if (event.code < 0) {
                error = where + "unknown key " + QuoteScriptText(words[2]);
                return false;
            }
        } else if (verb == "pad" && count == 3 && (words[2] == "connect" || words[2] == "disconnect")) {
            event.action = words[2] == "connect" ? ScriptAction::PadConnect : ScriptAction::PadDisconnect;
        } else if (verb == "pad" && count == 4 && (words[2] == "down" || words[2] == "up")) {
            event.action = words[2] == "down" ? ScriptAction::PadButtonDown : ScriptAction::PadButtonUp;
            event.code = names.button ? names.button(words[3].c_str()) : -1;
            if (event.code < 0) {
                error = where + "unknown pad button " + QuoteScriptText(words[3]);
                return false;
            }
        } else if (verb == "pad" && count == 5 && words[2] == "stick") {
            long x = 0;
            long y = 0;
            if (!ParseNumber(words[3], x) || !ParseNumber(words[4], y) || x < kStickMin ||
                x > kStickMax || y < kStickMin || y > kStickMax) {
                error = where + "stick values must be whole numbers from -32768 to 32767";
                return false;
            }
            event.action = ScriptAction::PadStick;
            event.stickX = static_cast<int16_t>(x);
            event.stickY = static_cast<int16_t>(y);
        } else {
            error = where + "cannot read " + QuoteScriptText(line) +
                    " (expected \"<frame> down|up KEY\", \"<frame> pad connect|disconnect\", "
                    "\"<frame> pad down|up BUTTON\" or \"<frame> pad stick LX LY\")";
            return false;
        }
        lastFrame = event.frame;
        events.push_back(event);
    }
    return true;
}
