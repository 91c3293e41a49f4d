// Window sizes and scales (see WindowScale.h).
#include "frontend/sdl/WindowScale.h"

#include <algorithm>
#include <cmath>

#include "VantorScreen.h"

namespace {

constexpr int kDesktopMargin = 96;   // room for panels and window borders
// A whole-number scale is kept while it fills at least this share of what the window could
// show; below that (or under 1x) the picture is scaled to fit with smooth filtering.
constexpr float kWholeScaleShare = 0.85f;

}  // namespace

int DesktopScale(int usableWidth, int usableHeight)
{
    const int scale = std::min((usableWidth - kDesktopMargin) / kScreenWidth,
                               (usableHeight - kDesktopMargin) / kScreenHeight);
    return std::max(scale, 1);
}

bool SharpScaleFits(int width, int height)
{
    const float fit = std::min(static_cast<float>(width) / kScreenWidth,
                               static_cast<float>(height) / kScreenHeight);
    const float whole = std::floor(fit);
    return whole >= 1.0f && whole >= fit * kWholeScaleShare;
}
