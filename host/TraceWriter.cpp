// Trace lines.
#include "TraceWriter.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string JsonNumber(float value)
{
    if (!std::isfinite(value)) {
        return "null";
    }
    char text[48];
    const auto result = std::to_chars(text, text + sizeof text, value);
    std::string out(text, result.ptr);
    if (out.find_first_of(".e") == std::string::npos) {
        out += ".0";
    }
    return out;
}

std::string JsonString(const std::string& text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string FormatTraceLine(const TraceFrame& frame)
{
    // Built by appending pieces, which also keeps GCC's -Wrestrict false alarm on "a" + b away.
    char dt[32];
    std::snprintf(dt, sizeof dt, "%.6f", static_cast<double>(frame.dt));
    std::string line;
    line.reserve(4096);
    line += "{\"frame\":";
    line += std::to_string(frame.frame);
    line += ",\"dt\":";
    line += dt;
    line += ",\"actions\":[";
    bool first = true;
    if (frame.actions != nullptr) {
        for (const PostedAction& action : *frame.actions) {
            line += first ? "{\"name\":" : ",{\"name\":";
            line += JsonString(action.name);
            line += ",\"value\":";
            line += JsonNumber(action.value);
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
            line += JsonString(sound);
            first = false;
        }
    }
    line += "],\"sprites\":[";
    first = true;
    if (frame.graphics != nullptr) {
        for (const CHostSprite& sprite : frame.graphics->Sprites()) {
            const LoadedImage* image = frame.graphics->Image(sprite.CurrentImage());
            line += first ? "{\"image\":" : ",{\"image\":";
            line += image != nullptr ? JsonString(image->name) : "null";
            line += ",\"frames\":";
            line += std::to_string(sprite.FrameCount());
            line += ",\"frame\":";
            line += std::to_string(sprite.Frame());
            line += ",\"x\":";
            line += JsonNumber(sprite.X());
            line += ",\"y\":";
            line += JsonNumber(sprite.Y());
            line += ",\"mirrored\":";
            line += sprite.Mirrored() ? "true}" : "false}";
            first = false;
        }
    }
    line += "],\"quit\":";
    line += frame.quit ? "true}" : "false}";
    return line;
}
