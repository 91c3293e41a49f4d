// Sprite state kept by the host.
#include "engine/HostSprite.h"

namespace {
// More frames than any sprite of the game has by far; a larger count is a broken table.
constexpr int kMaxFrames = 4096;
}

CHostSprite::CHostSprite(int frameCount, const int* frameTable)
{
    if (frameTable != nullptr && frameCount > 0 && frameCount <= kMaxFrames) {
        frames.assign(frameTable, frameTable + frameCount);
    }
}

void CHostSprite::SetPosition(float newX, float newY)
{
    x = newX;
    y = newY;
}

void CHostSprite::SetFrame(int newFrame)
{
    frame = newFrame;
}

void CHostSprite::SetMirrored(bool newMirrored)
{
    mirrored = newMirrored;
}

int CHostSprite::CurrentImage() const
{
    if (frame < 0 || frame >= FrameCount()) {
        return -1;
    }
    return frames[static_cast<std::size_t>(frame)];
}
