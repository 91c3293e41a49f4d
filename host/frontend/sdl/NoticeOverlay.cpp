// The notice overlay and its font: only the letters the notices use.
#include "frontend/sdl/NoticeOverlay.h"

#include <SDL.h>

#include <utility>

#include "VantorScreen.h"

namespace {

constexpr std::uint64_t kNoticeMs = 1500;
constexpr int kNoticeDot = 3;   // logical pixels per font dot
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kNoticeTop = 16;
constexpr int kPlateMargin = 8;

// Rows of a letter, '#' for a dot; null for a space (and for letters the font lacks).
const char* const* GlyphOf(char letter)
{
    static const char* const kS[] = {" ####", "#    ", "#    ", " ### ", "    #", "    #", "#### "};
    static const char* const kO[] = {" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "};
    static const char* const kU[] = {"#   #", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "};
    static const char* const kN[] = {"#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"};
    static const char* const kD[] = {"#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "};
    static const char* const kF[] = {"#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#    "};
    switch (letter) {
    case 'S': return kS;
    case 'O': return kO;
    case 'U': return kU;
    case 'N': return kN;
    case 'D': return kD;
    case 'F': return kF;
    default: return nullptr;
    }
}

}  // namespace

void CNoticeOverlay::Show(std::string shown, std::uint64_t nowMs)
{
    text = std::move(shown);
    ends = nowMs + kNoticeMs;
}

void CNoticeOverlay::Expire(std::uint64_t nowMs)
{
    if (!text.empty() && nowMs >= ends) {
        text.clear();
    }
}

void CNoticeOverlay::Draw(SDL_Renderer* renderer) const
{
    if (text.empty()) {
        return;
    }
    const int advance = (kGlyphWidth + 1) * kNoticeDot;
    const int width = static_cast<int>(text.size()) * advance - kNoticeDot;
    const int left = (kScreenWidth - width) / 2;
    const SDL_Rect plate{left - kPlateMargin, kNoticeTop - kPlateMargin, width + 2 * kPlateMargin,
                         kGlyphHeight * kNoticeDot + 2 * kPlateMargin};
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 170);
    SDL_RenderFillRect(renderer, &plate);
    SDL_SetRenderDrawColor(renderer, 255, 240, 200, 255);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char* const* glyph = GlyphOf(text[i]);
        for (int row = 0; glyph != nullptr && row < kGlyphHeight; ++row) {
            for (int column = 0; column < kGlyphWidth; ++column) {
                if (glyph[row][column] == '#') {
                    const SDL_Rect dot{left + static_cast<int>(i) * advance + column * kNoticeDot,
                                       kNoticeTop + row * kNoticeDot, kNoticeDot, kNoticeDot};
                    SDL_RenderFillRect(renderer, &dot);
                }
            }
        }
    }
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}
