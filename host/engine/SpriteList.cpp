// Sprites in drawing order, by layer.
#include "engine/SpriteList.h"

#include <iterator>

CHostSprite* CSpriteList::Create(int frameCount, const int* frames, bool background)
{
    // The game module makes some sprites in another entity's code than their owner's (the HUD
    // is rebuilt from the code of whichever entity changed the score; a bullet's sprite is made
    // by the code that made the bullet). So: a sprite made just after an entity without sprites
    // of its own goes to that entity's layer; sprites made after sprites were destroyed in the
    // same entity's code replace them and keep their layer; the rest go to the running entity's.
    SpriteLayer layer = nextLayer ? *nextLayer : replacedLayer.value_or(creatorLayer);
    nextLayer.reset();
    if (background) {
        layer = SpriteLayer::Background;
    }
    // The new sprite goes after every sprite of its layer and below all of the layers above.
    std::size_t above = 0;
    for (std::size_t i = static_cast<std::size_t>(layer) + 1; i < layerSizes.size(); ++i) {
        above += layerSizes[i];
    }
    auto position = sprites.end();
    std::advance(position, -static_cast<std::ptrdiff_t>(above));
    const auto where = sprites.emplace(position, frameCount, frames);
    index.emplace(&*where, Slot{where, layer});
    ++layerSizes[static_cast<std::size_t>(layer)];
    return &*where;
}

void CSpriteList::Destroy(const CVantorSprite* sprite)
{
    const auto found = index.find(sprite);
    if (found == index.end()) {
        return;
    }
    if (found->second.layer != SpriteLayer::Background) {
        replacedLayer = found->second.layer;
    }
    sprites.erase(found->second.where);
    --layerSizes[static_cast<std::size_t>(found->second.layer)];
    index.erase(found);
}
