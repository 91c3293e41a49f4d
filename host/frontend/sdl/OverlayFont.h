// The host's tiny font for its own words over the game (the notices, the replay tag): capital
// letters of 5 by 7 dots, small letters shown as capitals, anything else as a space.
#pragma once

#include <string>

struct SDL_Renderer;

namespace OverlayFont {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// The width in logical pixels of text drawn with dots of dot pixels.
int TextWidth(const std::string& text, int dot);
// Draws text from (left, top) in the renderer's current colour.
void Draw(SDL_Renderer* renderer, const std::string& text, int left, int top, int dot);

}  // namespace OverlayFont
