// A notice the host shows over the game for a moment (the sound switch's), never part of the
// game's picture and so never in a trace, drawn in a tiny font of its own.
#pragma once

#include <cstdint>
#include <string>

struct SDL_Renderer;

class CNoticeOverlay {
public:
    // Shows text from nowMs (SDL ticks) for a moment, in place of any notice shown before.
    void Show(std::string text, std::uint64_t nowMs);
    // Lets go of the notice once its moment is over.
    void Expire(std::uint64_t nowMs);
    const std::string& Text() const { return text; }
    // Draws the notice, if any, centred near the top of the screen, light on a dark plate.
    void Draw(SDL_Renderer* renderer) const;

private:
    std::string text;
    std::uint64_t ends = 0;
};
