// What the input plug-in posted, as a value: a frame's input as the engine queues it (and a
// replay keeps it), and each post as the trace reports it.
#pragma once

#include <string>
#include <vector>

#include "VantorEngine.h"

// The longest frame time the host plays: a fixed --dt may ask for up to this much, and a replay
// holding a longer one (or one that is not a number, or negative) was not made by a host.
inline constexpr float kLongestFrameTime = 10.0f;

struct PostedAction {
    std::string name;
    float value;
};

// What the input object posted during one poll, in order, as the queue would have received it.
struct FrameInput {
    std::vector<ActionRecord> actions;
};
