// The trace of a session: one JSON object per frame, one per line, with the frame's actions, the
// sounds it started, every live sprite after it in drawing order, and whether it quit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/GraphicsService.h"
#include "engine/HostEngine.h"
#include "formats/FloatText.h"

struct TraceFrame {
    std::int64_t frame = 0;
    float dt = 0.0f;
    const std::vector<PostedAction>* actions = nullptr;
    const std::vector<std::string>* sounds = nullptr;
    const CGraphicsService* graphics = nullptr;
    bool quit = false;
};

// The line for one frame, without the newline.
std::string FormatTraceLine(const TraceFrame& frame);
// The same line appended to the given text, so a writer can keep one buffer for every line.
void AppendTraceLine(std::string& line, const TraceFrame& frame);

// A float as JSON: shortest text that reads back the same, always with a fraction or exponent
// ("220.0"); null for infinities and NaN, which JSON cannot hold.
std::string JsonNumber(float value);
// A string as a JSON string literal, quotes included: UTF-8 characters as they are, control
// characters escaped, and each byte that is not part of a valid character as U+FFFD.
std::string JsonString(const std::string& text);
// JsonNumber and JsonString appended to out.
void AppendJsonNumber(std::string& out, float value);
void AppendJsonString(std::string& out, const std::string& text);
