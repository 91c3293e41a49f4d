// A sprite as the host keeps it: its own copy of the frame table (so a later change or release
// of the game's handles can never make drawing read freed memory), the frame shown, position
// and mirroring.
#pragma once

#include <vector>

#include "VantorEngine.h"

class CHostSprite final : public CVantorSprite {
public:
    CHostSprite(int frameCount, const int* frameTable);

    void SetPosition(float newX, float newY) override;
    void SetFrame(int newFrame) override;
    void SetMirrored(bool newMirrored) override;

    // The image handle the current frame shows, or -1 when the frame is outside the table.
    int CurrentImage() const;
    int FrameCount() const { return static_cast<int>(frames.size()); }
    int Frame() const { return frame; }
    float X() const { return x; }
    float Y() const { return y; }
    bool Mirrored() const { return mirrored; }

private:
    std::vector<int> frames;
    int frame = 0;
    float x = 0.0f;
    float y = 0.0f;
    bool mirrored = false;
};
