// A sprite as the recording host hands it to a plug-in: it records every call and passes it on
// to the host's own sprite, and keeps what was set, for tests to read after the sprite is gone.
#pragma once

#include <string>
#include <vector>

#include "VantorEngine.h"

class CHostSprite;

class RecordedSprite final : public CVantorSprite {
public:
    RecordedSprite(std::vector<std::string>& log, int id, std::vector<int> frames, CHostSprite* real);

    void SetPosition(float x, float y) override;
    void SetFrame(int frame) override;
    void SetMirrored(bool mirrored) override;

    // The host's sprite, or null once destroyed.
    CHostSprite* Real() const { return real; }
    void Destroyed();

    const int id;                  // creation order, from 0
    const std::vector<int> frames;   // the frame table as it was at creation
    int frame = 0;
    float x = 0.0f;
    float y = 0.0f;
    bool mirrored = false;
    bool alive = true;
    bool positioned = false;       // SetPosition called at least once

private:
    std::vector<std::string>& log;
    CHostSprite* real;
};
