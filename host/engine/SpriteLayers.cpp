// The game's entity classes by drawing layer: shooter and boxes, then demons, fireballs and
// bullets, then the player, and the game state's own sprites (HUD, title, menu) on top.
#include "engine/SpriteLayers.h"

#include <cstring>

namespace {

struct ClassLayer {
    const char* className;
    SpriteLayer layer;
};

constexpr ClassLayer kClassLayers[] = {
    {kGameStateClass, SpriteLayer::GameState},
    {"Player", SpriteLayer::Player},
    {"Bullet", SpriteLayer::Actors},
    {"Fireball", SpriteLayer::Actors},
    {"Enemy", SpriteLayer::Actors},
    {"Shooter", SpriteLayer::Scenery},
    {"AmmoBox", SpriteLayer::Scenery},
};

}  // namespace

SpriteLayer LayerOfClass(const char* className)
{
    if (className == nullptr) {
        return SpriteLayer::Scenery;
    }
    for (const ClassLayer& entry : kClassLayers) {
        if (std::strcmp(entry.className, className) == 0) {
            return entry.layer;
        }
    }
    return SpriteLayer::Scenery;
}
