// Trace lines.
#include "session/TraceWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

void AppendJsonNumber(std::string& out, float value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    // Whole numbers below 10^5 are most of a trace (positions); their shortest text is their
    // digits, as the exponent form is never shorter there. -0 keeps its sign through to_chars.
    if (value == std::trunc(value) && std::fabs(value) < 1.0e5f && (value != 0.0f || !std::signbit(value))) {
        char text[16];
        const auto result = std::to_chars(text, text + sizeof text, static_cast<int>(value));
        out.append(text, result.ptr);
        out += ".0";
        return;
    }
    const std::size_t start = out.size();
    AppendFloatText(out, value);
    if (out.find_first_of(".e", start) == std::string::npos) {
        out += ".0";
    }
}

std::string JsonNumber(float value)
{
    std::string out;
    AppendJsonNumber(out, value);
    return out;
}

namespace {

template <typename Integer>
void AppendInteger(std::string& out, Integer value)
{
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

// The length of the well-formed UTF-8 sequence at text[at], or 0 when the bytes there are not
// one (a stray continuation byte, a cut sequence, an overlong form, a surrogate, past U+10FFFF).
std::size_t Utf8SequenceLength(const std::string& text, std::size_t at)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    std::size_t length = 0;
    unsigned char low = 0x80;    // the range the second byte must fall in
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() - at < length || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

}  // namespace

void AppendJsonString(std::string& out, const std::string& text)
{
    out += '"';
    // Runs of plain printable ASCII (all of most names) go in whole.
    std::size_t plain = 0;
    for (std::size_t at = 0; at < text.size();) {
        const char c = text[at];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\') {
            ++at;
            continue;
        }
        out.append(text, plain, at - plain);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
            ++at;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
            ++at;
        } else if (const std::size_t length = Utf8SequenceLength(text, at); length > 0) {
            out.append(text, at, length);
            at += length;
        } else {
            out += "\\ufffd";   // a byte that is no character: the replacement character
            ++at;
        }
        plain = at;
    }
    out.append(text, plain, text.size() - plain);
    out += '"';
}

std::string JsonString(const std::string& text)
{
    std::string out;
    AppendJsonString(out, text);
    return out;
}

void AppendTraceLine(std::string& line, const TraceFrame& frame)
{
    // Built by appending pieces, which also keeps GCC's -Wrestrict false alarm on "a" + b away.
    // Six decimals as the trace has always had them; JSON has no text for infinities or NaN.
    char dt[64] = "null";
    if (std::isfinite(frame.dt)) {
        std::snprintf(dt, sizeof dt, "%.6f", static_cast<double>(frame.dt));
    }
    line += "{\"frame\":";
    AppendInteger(line, frame.frame);
    line += ",\"dt\":";
    line += dt;
    line += ",\"actions\":[";
    bool first = true;
    if (frame.actions != nullptr) {
        for (const PostedAction& action : *frame.actions) {
            line += first ? "{\"name\":" : ",{\"name\":";
            AppendJsonString(line, action.name);
            line += ",\"value\":";
            AppendJsonNumber(line, action.value);
            line += '}';
            first = false;
        }
    }
    line += "],\"sounds\":[";
    first = true;
    if (frame.sounds != nullptr) {
        for (const std::string& sound : *frame.sounds) {
            if (!first) {
                line += ',';
            }
            AppendJsonString(line, sound);
            first = false;
        }
    }
    line += "],\"sprites\":[";
    first = true;
    if (frame.graphics != nullptr) {
        for (const CHostSprite& sprite : frame.graphics->Sprites()) {
            const LoadedImage* image = frame.graphics->Image(sprite.CurrentImage());
            line += first ? "{\"image\":" : ",{\"image\":";
            if (image != nullptr) {
                AppendJsonString(line, image->name);
            } else {
                line += "null";
            }
            line += ",\"frames\":";
            AppendInteger(line, sprite.FrameCount());
            line += ",\"frame\":";
            AppendInteger(line, sprite.Frame());
            line += ",\"x\":";
            AppendJsonNumber(line, sprite.X());
            line += ",\"y\":";
            AppendJsonNumber(line, sprite.Y());
            line += ",\"mirrored\":";
            line += sprite.Mirrored() ? "true}" : "false}";
            first = false;
        }
    }
    line += "],\"quit\":";
    line += frame.quit ? "true}" : "false}";
}

std::string FormatTraceLine(const TraceFrame& frame)
{
    std::string line;
    line.reserve(4096);
    AppendTraceLine(line, frame);
    return line;
}
