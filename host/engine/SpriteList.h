// The live sprites in drawing order: a background at the bottom, then layers by the kind of
// entity whose code made the sprite (the engine says which, around each entity's code), in
// creation order within a layer.
#pragma once

#include <array>
#include <cstddef>
#include <list>
#include <optional>
#include <unordered_map>

#include "engine/HostSprite.h"
#include "engine/SpriteLayers.h"

class CSpriteList {
public:
    // A new sprite at the top of its layer; background sprites go to the bottom layer.
    CHostSprite* Create(int frameCount, const int* frames, bool background);
    // Removes a sprite of this list; anything else is let be.
    void Destroy(const CVantorSprite* sprite);

    // The layer of the sprites made from now on.
    void SetCreatorLayer(SpriteLayer layer)
    {
        creatorLayer = layer;
        nextLayer.reset();
        replacedLayer.reset();
    }
    // The layer of the next sprite only (made for an entity just created).
    void SetNextSpriteLayer(SpriteLayer layer)
    {
        nextLayer = layer;
        replacedLayer.reset();
    }
    SpriteLayer CreatorLayer() const { return creatorLayer; }

    std::size_t Count() const { return index.size(); }
    const std::list<CHostSprite>& InDrawingOrder() const { return sprites; }

private:
    struct Slot {
        std::list<CHostSprite>::iterator where;
        SpriteLayer layer;
    };

    std::list<CHostSprite> sprites;   // drawing order
    std::unordered_map<const CVantorSprite*, Slot> index;
    std::array<std::size_t, static_cast<std::size_t>(SpriteLayer::Count)> layerSizes{};
    SpriteLayer creatorLayer = SpriteLayer::Outside;
    std::optional<SpriteLayer> nextLayer;       // for the sprite of an entity just made
    std::optional<SpriteLayer> replacedLayer;   // of the last sprite destroyed by this code
};
