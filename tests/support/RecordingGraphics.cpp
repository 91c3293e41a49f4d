// The recording host's graphics face.
#include "RecordingGraphics.h"

#include <sstream>

#include "engine/GraphicsService.h"
#include "PostRecorder.h"

RecordingGraphics::RecordingGraphics(CGraphicsService& service, std::vector<std::string>& callLog)
    : real(service), log(callLog),
      handles([&service](int handle) { return service.Image(handle) != nullptr; })
{
}

int RecordingGraphics::Loaded(const char* path, int handle)
{
    if (handle >= 0) {
        handles.Keep(handle, path != nullptr ? path : "(null)");
    }
    return handle;
}

int RecordingGraphics::LoadImage(const char* path, int flags)
{
    const int handle = Loaded(path, real.LoadImage(path, flags));
    log.push_back(std::string("LoadImage ") + (path != nullptr ? path : "(null)") + " " +
                  std::to_string(flags) + " -> " + std::to_string(handle));
    return handle;
}

int RecordingGraphics::LoadBackgroundImage(const char* path)
{
    const int handle = Loaded(path, real.LoadBackgroundImage(path));
    log.push_back(std::string("LoadBackgroundImage ") + (path != nullptr ? path : "(null)") + " -> " +
                  std::to_string(handle));
    return handle;
}

CVantorSprite* RecordingGraphics::CreateSprite(int frameCount, const int* frames)
{
    std::vector<int> table;
    if (frames != nullptr && frameCount > 0) {
        table.assign(frames, frames + frameCount);
    }
    const int id = static_cast<int>(sprites.size());
    std::ostringstream call;
    call << "CreateSprite #" << id << " " << frameCount;
    for (int handle : table) {
        call << " " << handles.Text(handle);
    }
    log.push_back(call.str());
    auto* hostSprite = static_cast<CHostSprite*>(real.CreateSprite(frameCount, frames));
    sprites.push_back(std::make_unique<RecordedSprite>(log, id, std::move(table), hostSprite));
    RecordedSprite* sprite = sprites.back().get();
    byAddress[static_cast<const CVantorSprite*>(sprite)] = sprite;
    byAddress[hostSprite] = sprite;
    return sprite;
}

void RecordingGraphics::DestroySprite(CVantorSprite* sprite)
{
    RecordedSprite* recorded = Sprite(sprite);
    if (recorded == nullptr || recorded->Real() == nullptr) {
        log.push_back(recorded == nullptr ? "DestroySprite of an unknown sprite"
                                          : "DestroySprite #" + std::to_string(recorded->id) + " (already dead)");
        real.DestroySprite(sprite);   // the host lets an unknown sprite be
        return;
    }
    log.push_back("DestroySprite #" + std::to_string(recorded->id));
    byAddress.erase(recorded->Real());
    real.DestroySprite(recorded->Real());
    recorded->Destroyed();
}

void RecordingGraphics::UnloadImages()
{
    log.push_back("UnloadImages");
    ++unloads;
    real.UnloadImages();
}

void RecordingGraphics::SetFullscreen(bool fullscreen)
{
    log.push_back(std::string("SetFullscreen ") + LogBool(fullscreen));
    fullscreenCalls.push_back(fullscreen);
    real.SetFullscreen(fullscreen);
}

std::vector<RecordedSprite*> RecordingGraphics::LiveSprites() const
{
    std::vector<RecordedSprite*> live;
    for (const auto& sprite : sprites) {
        if (sprite->alive) {
            live.push_back(sprite.get());
        }
    }
    return live;
}

std::vector<RecordedSprite*> RecordingGraphics::DrawingOrder() const
{
    std::vector<RecordedSprite*> order;
    for (const CHostSprite& hostSprite : real.Sprites()) {
        order.push_back(byAddress.at(&hostSprite));
    }
    return order;
}

RecordedSprite* RecordingGraphics::Sprite(const CVantorSprite* sprite) const
{
    const auto found = byAddress.find(static_cast<const void*>(sprite));
    return found != byAddress.end() && found->second == sprite ? found->second : nullptr;
}

std::string RecordingGraphics::ImageOf(const RecordedSprite& sprite) const
{
    int handle = -1;
    if (sprite.Real() != nullptr) {
        handle = sprite.Real()->CurrentImage();
    } else if (sprite.frame >= 0 && sprite.frame < static_cast<int>(sprite.frames.size())) {
        handle = sprite.frames[static_cast<std::size_t>(sprite.frame)];
    }
    return real.Image(handle) != nullptr ? handles.Path(handle) : "";
}
