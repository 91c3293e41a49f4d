// Rules every game entity shares: the longest frame time it uses and the centre-to-centre
// reach tests.
#pragma once

#include <cstring>

#include "VantorEngine.h"

inline constexpr float kMaxFrameTime = 0.5f;
inline constexpr float kReach = 32.0f;

// This frame's time, at most kMaxFrameTime, so a stall never moves anything through a wall.
inline float ClampedFrameTime(CVantorEngine* engine)
{
    const float dt = engine->GetFrameTime();
    return dt > kMaxFrameTime ? kMaxFrameTime : dt;
}

// True when (dx, dy) is strictly inside the box of the given half sizes.
inline bool WithinBox(float dx, float dy, float halfWidth, float halfHeight)
{
    return dx > -halfWidth && dx < halfWidth && dy > -halfHeight && dy < halfHeight;
}

// Action names compare byte-wise and case-sensitively, as every reader of the queue must.
inline bool Named(const ActionRecord& action, const char* name)
{
    return std::strcmp(action.name, name) == 0;
}
