// The graphics face of the recording host: records every call and passes it on to the host's
// own graphics service, whose handles, unload rule, sprite layers and drawing order are the ones
// the plug-in sees. Sprites are handed out as RecordedSprite faces over the host's sprites.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "RecordedHandles.h"
#include "RecordedSprite.h"
#include "VantorEngine.h"

class CGraphicsService;

class RecordingGraphics final : public CVantorGraphics {
public:
    RecordingGraphics(CGraphicsService& real, std::vector<std::string>& log);

    int LoadImage(const char* path, int flags) override;
    int LoadBackgroundImage(const char* path) override;
    CVantorSprite* CreateSprite(int frameCount, const int* frames) override;
    void DestroySprite(CVantorSprite* sprite) override;
    void UnloadImages() override;
    void SetFullscreen(bool fullscreen) override;

    // Sprites alive now, in creation order; and as the host draws them, bottom to top.
    std::vector<RecordedSprite*> LiveSprites() const;
    std::vector<RecordedSprite*> DrawingOrder() const;
    // Every sprite ever made, in creation order.
    const std::vector<std::unique_ptr<RecordedSprite>>& AllSprites() const { return sprites; }
    RecordedSprite* Sprite(const CVantorSprite* sprite) const;
    // The path of the image a sprite shows now, as the plug-in wrote it; "" where the host has
    // no image for it (an invalid or unloaded handle, a frame outside the table).
    std::string ImageOf(const RecordedSprite& sprite) const;
    std::string ImagePath(int handle) const { return handles.Path(handle); }
    int ImageHandle(const std::string& path) const { return handles.LoadedHandleOf(path); }

    std::vector<bool> fullscreenCalls;
    int unloads = 0;

private:
    int Loaded(const char* path, int handle);

    CGraphicsService& real;
    std::vector<std::string>& log;
    RecordedHandles handles;
    std::vector<std::unique_ptr<RecordedSprite>> sprites;
    std::unordered_map<const void*, RecordedSprite*> byAddress;   // by face and by host sprite
};
