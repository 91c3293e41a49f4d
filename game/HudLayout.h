// Where the HUD's sprites stand (screen pixels, sprite centres): the rows of life and ammunition
// icons from the left, and the score and high score right-aligned. Constants only, so the art
// generator's mock screens can lay out the same HUD without the game module.
#pragma once

#include "VantorScreen.h"

namespace hud {

inline constexpr float kIconX = 16.0f;        // first life or ammunition icon
inline constexpr float kLivesStep = 35.0f;
inline constexpr float kLivesY = 16.0f;
inline constexpr float kAmmoStep = 32.0f;
inline constexpr float kAmmoY = 48.0f;
inline constexpr float kDigitStep = 33.0f;
inline constexpr float kScreenWidth = static_cast<float>(::kScreenWidth);  // the number rows end one step before it
inline constexpr float kScoreY = 16.0f;
inline constexpr float kHighScoreY = 50.0f;

// x of the first of a number row's digitCount digits, so that the last stands one step from the
// right edge.
inline constexpr float NumberRowX(int digitCount)
{
    return kScreenWidth - kDigitStep * static_cast<float>(digitCount);
}

}  // namespace hud
