// A test-only game module that stands in for Pellam to measure the host's drawing against SDL's
// own testsprite2: 1000 sprites of the game's own 32-pixel alpha-blended images drift across
// the screen at up to one pixel a frame and bounce off its edges, as testsprite2 moves its
// sprites. It times the host through the frame times the host hands it, prints the frame rate
// over the first five seconds, as testsprite2 does, and then asks the host to quit.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "VantorEngine.h"
#include "VantorExport.h"
#include "VantorScreen.h"

namespace {

constexpr int kSprites = 1000;
constexpr int kSpriteSize = 32;
constexpr float kMeasuredSeconds = 5.0f;
// The first frame time is the host's nominal one, not a measured one.
constexpr int kUnmeasuredFrames = 1;
const char* const kImages[] = {"images\\Fireball.bmp", "images\\Hiro.bmp", "images\\AmmoBox.bmp",
                               "images\\Shooter.bmp"};
constexpr int kImageCount = static_cast<int>(sizeof(kImages) / sizeof(kImages[0]));

// A small fixed-seed generator: every run starts from the same placement.
class CSequence {
public:
    int Below(int limit)
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<int>((state >> 33) % static_cast<std::uint64_t>(limit));
    }

private:
    std::uint64_t state = 17;
};

struct Mover {
    CVantorSprite* sprite;
    int x;    // top-left corner, as testsprite2 keeps it
    int y;
    int dx;   // -1, 0 or 1; never both 0
    int dy;
};

class CSpriteStorm final : public CVantorEntity {
public:
    bool Attach(CVantorEngine* attachedEngine) override
    {
        engine = attachedEngine;
        CVantorGraphics* graphics = engine->GetGraphics();
        for (int i = 0; i < kImageCount; ++i) {
            images[i] = graphics->LoadImage(kImages[i], 0);
            if (images[i] < 0) {
                return false;
            }
        }
        CSequence sequence;
        movers.reserve(kSprites);
        for (int i = 0; i < kSprites; ++i) {
            Mover mover{graphics->CreateSprite(1, &images[i % kImageCount]),
                        sequence.Below(kScreenWidth - kSpriteSize), sequence.Below(kScreenHeight - kSpriteSize), 0, 0};
            while (mover.dx == 0 && mover.dy == 0) {
                mover.dx = sequence.Below(3) - 1;
                mover.dy = sequence.Below(3) - 1;
            }
            Place(mover);
            movers.push_back(mover);
        }
        return true;
    }

    void Update() override
    {
        for (Mover& mover : movers) {
            Step(mover.x, mover.dx, kScreenWidth);
            Step(mover.y, mover.dy, kScreenHeight);
            Place(mover);
        }
        Measure();
    }

private:
    static void Step(int& position, int& speed, int extent)
    {
        position += speed;
        if (position < 0 || position >= extent - kSpriteSize) {
            speed = -speed;
            position += speed;
        }
    }

    static void Place(const Mover& mover)
    {
        mover.sprite->SetPosition(static_cast<float>(mover.x + kSpriteSize / 2),
                                  static_cast<float>(mover.y + kSpriteSize / 2));
    }

    void Measure()
    {
        if (finished || frames++ < kUnmeasuredFrames) {
            return;
        }
        measuredSeconds += engine->GetFrameTime();
        ++measuredFrames;
        if (measuredSeconds >= kMeasuredSeconds) {
            std::printf("sprite storm: %d sprites, %lld frames in %.3f s: %.2f frames per second\n", kSprites,
                        static_cast<long long>(measuredFrames), measuredSeconds,
                        static_cast<double>(measuredFrames) / measuredSeconds);
            std::fflush(stdout);
            engine->PostAction("quit");
            finished = true;
        }
    }

    CVantorEngine* engine = nullptr;
    int images[kImageCount] = {};
    std::vector<Mover> movers;
    std::int64_t frames = 0;
    std::int64_t measuredFrames = 0;
    double measuredSeconds = 0.0;
    bool finished = false;
};

}  // namespace

VANTOR_EXPORT CVantorEntity* CreateVantorEntity(const char* className)
{
    // The host makes the game state first; this module has nothing else.
    return std::strcmp(className, "GameState") == 0 ? new CSpriteStorm() : nullptr;
}
