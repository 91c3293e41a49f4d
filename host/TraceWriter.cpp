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
    char dt[32];
    std::snprintf(dt, sizeof dt, "%.6f", static_cast<double>(frame.dt));
    std::string line = "{\"frame\":" + std::to_string(frame.frame) + ",\"dt\":" + dt +
                       ",\"actions\":[";
    bool first = true;
    if (frame.actions != nullptr) {
        for (const PostedAction& action : *frame.actions) {
            line += first ? "" : ",";
            line += "{\"name\":" + JsonString(action.name) + ",\"value\":" +
                    JsonNumber(action.value) + "}";
            first = false;
        }
    }
    line += "],\"sounds\":[";
    first = true;
    if (frame.sounds != nullptr) {
        for (const std::string& sound : *frame.sounds) {
            line += (first ? "" : ",") + JsonString(sound);
            first = false;
        }
    }
    line += "],\"sprites\":[";
    first = true;
    if (frame.graphics != nullptr) {
        for (const CHostSprite& sprite : frame.graphics->Sprites()) {
            const LoadedImage* image = frame.graphics->Image(sprite.CurrentImage());
            line += first ? "{" : ",{";
            line += "\"image\":" + (image != nullptr ? JsonString(image->name) : "null");
            line += ",\"frames\":" + std::to_string(sprite.FrameCount());
            line += ",\"frame\":" + std::to_string(sprite.Frame());
            line += ",\"x\":" + JsonNumber(sprite.X()) + ",\"y\":" + JsonNumber(sprite.Y());
            line += std::string(",\"mirrored\":") + (sprite.Mirrored() ? "true" : "false") + "}";
            first = false;
        }
    }
    line += std::string("],\"quit\":") + (frame.quit ? "true" : "false") + "}";
    return line;
}
