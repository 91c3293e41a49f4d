// What the host writes over the game for the player, never part of the game's picture and so
// never in a trace: a notice near the top for a moment (the sound switch's) or until replaced
// ("Replay finished"), and a small tag along the top edge that stays (a replay's), clear of the
// lives, the numbers and the ammunition boxes in the corners.
#pragma once

#include <cstdint>
#include <string>

struct SDL_Renderer;

class CNoticeOverlay {
public:
    // Shows text from nowMs (SDL ticks) for a moment, in place of any notice shown before.
    void Show(std::string text, std::uint64_t nowMs);
    // Shows text until another notice replaces it.
    void Keep(std::string text);
    // Lets go of the notice once its moment is over.
    void Expire(std::uint64_t nowMs);
    const std::string& Text() const { return text; }
    // The tag; empty for none.
    void SetTag(std::string shown) { tag = std::move(shown); }
    const std::string& Tag() const { return tag; }
    // Draws the tag and the notice, if any, centred near the top of the screen, each light on a
    // dark plate.
    void Draw(SDL_Renderer* renderer) const;

private:
    std::string text;
    std::uint64_t ends = 0;
    bool kept = false;   // until replaced
    std::string tag;
};
