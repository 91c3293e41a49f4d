// The notice overlay.
#include "frontend/sdl/NoticeOverlay.h"

#include <SDL.h>

#include <utility>

#include "VantorScreen.h"
#include "frontend/sdl/OverlayFont.h"

namespace {

constexpr std::uint64_t kNoticeMs = 1500;
constexpr int kNoticeDot = 3;   // logical pixels per font dot
constexpr int kNoticeTop = 16;
constexpr int kTagDot = 1;      // small: the tag stays over the whole replay
constexpr int kTagTop = 4;
constexpr int kPlateMargin = 8;

// Text light on a dark plate that reaches margin dots beyond it.
void DrawPlated(SDL_Renderer* renderer, const std::string& text, int left, int top, int dot)
{
    const int margin = kPlateMargin * dot / kNoticeDot;
    const SDL_Rect plate{left - margin, top - margin, OverlayFont::TextWidth(text, dot) + 2 * margin,
                         OverlayFont::kGlyphHeight * dot + 2 * margin};
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 170);
    SDL_RenderFillRect(renderer, &plate);
    SDL_SetRenderDrawColor(renderer, 255, 240, 200, 255);
    OverlayFont::Draw(renderer, text, left, top, dot);
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
}

}  // namespace

void CNoticeOverlay::Show(std::string shown, std::uint64_t nowMs)
{
    text = std::move(shown);
    ends = nowMs + kNoticeMs;
    kept = false;
}

void CNoticeOverlay::Keep(std::string shown)
{
    text = std::move(shown);
    kept = true;
}

void CNoticeOverlay::Expire(std::uint64_t nowMs)
{
    if (!text.empty() && !kept && nowMs >= ends) {
        text.clear();
    }
}

void CNoticeOverlay::Draw(SDL_Renderer* renderer) const
{
    if (!tag.empty()) {
        DrawPlated(renderer, tag, (kScreenWidth - OverlayFont::TextWidth(tag, kTagDot)) / 2, kTagTop, kTagDot);
    }
    if (!text.empty()) {
        DrawPlated(renderer, text, (kScreenWidth - OverlayFont::TextWidth(text, kNoticeDot)) / 2, kNoticeTop,
                   kNoticeDot);
    }
}
