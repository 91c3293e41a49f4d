// The recording host of the tests.
#include "RecordingHost.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "engine/EntityRegistry.h"
#include "PostRecorder.h"

namespace {

ActionRecord MakeRecord(const std::string& name, float value)
{
    ActionRecord record{};
    std::strncpy(record.name, name.c_str(), sizeof record.name - 1);
    record.value = value;
    return record;
}

}  // namespace

RecordedSprite::RecordedSprite(RecordingHost& owner, int spriteId, std::vector<int> frameTable,
                               const int* liveTable)
    : host(owner), id(spriteId), frames(std::move(frameTable)), table(liveTable)
{
}

void RecordedSprite::SetPosition(float newX, float newY)
{
    host.Record("SetPosition #" + std::to_string(id) + " " + LogNumber(newX) + " " + LogNumber(newY));
    x = newX;
    y = newY;
    positioned = true;
}

void RecordedSprite::SetFrame(int newFrame)
{
    host.Record("SetFrame #" + std::to_string(id) + " " + std::to_string(newFrame));
    frame = newFrame;
}

void RecordedSprite::SetMirrored(bool newMirrored)
{
    host.Record("SetMirrored #" + std::to_string(id) + " " + LogBool(newMirrored));
    mirrored = newMirrored;
}

RecordingHost::RecordingHost(Factory entityFactory, Disposal gameStateDisposal)
    : factory(std::move(entityFactory)), disposeGameState(std::move(gameStateDisposal)),
      entities(std::make_unique<CEntityRegistry>())
{
}

RecordingHost::~RecordingHost()
{
    // Entities first, while the services they may still call are here.
    entities.reset();
}

void RecordingHost::Record(std::string call)
{
    calls.push_back(std::move(call));
}

CVantorEntity* RecordingHost::CreateEntity(const char* className)
{
    Record(std::string("CreateEntity ") + className);
    CVantorEntity* entity = factory ? factory(className) : nullptr;
    if (entity == nullptr) {
        return nullptr;
    }
    createdClasses.emplace_back(className);
    entity->Attach(this);
    entities->Add(entity);
    return entity;
}

void RecordingHost::DestroyEntity(CVantorEntity* entity)
{
    Record("DestroyEntity");
    if (!entities->End(entity)) {
        Record("DestroyEntity of an unknown or dead entity");
    } else if (!inFrame) {
        entities->ReleaseEnded();
    }
}

void RecordingHost::PostAction(const char* name)
{
    Record(RecordedPost::Posted(name).Call());
    posted.emplace_back(name);
    Post(name);
}

void RecordingHost::PushAction(ActionRecord action)
{
    Record(RecordedPost::Pushed(action).Call());
    queue.push_back(action);
}

int RecordingHost::Load(std::map<int, std::string>& live, int& next, const char* path)
{
    if (failing.count(path) != 0) {
        return -1;
    }
    live[next] = path;
    return next++;
}

std::string RecordingHost::HandleText(const std::map<int, std::string>& paths, int handle)
{
    const auto found = paths.find(handle);
    return found != paths.end() ? found->second : "<invalid " + std::to_string(handle) + ">";
}

int RecordingHost::LoadImageFile(const char* path)
{
    const int handle = Load(images, nextImage, path);
    if (handle >= 0) {
        everImages[handle] = path;
    }
    return handle;
}

int RecordingHost::LoadImage(const char* path, int flags)
{
    const int handle = LoadImageFile(path);
    Record(std::string("LoadImage ") + path + " " + std::to_string(flags) + " -> " + std::to_string(handle));
    return handle;
}

int RecordingHost::LoadBackgroundImage(const char* path)
{
    const int handle = LoadImageFile(path);
    Record(std::string("LoadBackgroundImage ") + path + " -> " + std::to_string(handle));
    return handle;
}

CVantorSprite* RecordingHost::CreateSprite(int frameCount, const int* frames)
{
    std::vector<int> table(frames, frames + std::max(frameCount, 0));
    const int id = static_cast<int>(sprites.size());
    std::ostringstream call;
    call << "CreateSprite #" << id << " " << frameCount;
    for (int handle : table) {
        call << " " << HandleText(images, handle);
    }
    Record(call.str());
    sprites.push_back(std::make_unique<RecordedSprite>(*this, id, std::move(table), frames));
    return sprites.back().get();
}

void RecordingHost::DestroySprite(CVantorSprite* sprite)
{
    RecordedSprite* recorded = Sprite(sprite);
    if (recorded == nullptr) {
        Record("DestroySprite of an unknown sprite");
        return;
    }
    Record("DestroySprite #" + std::to_string(recorded->id) + (recorded->alive ? "" : " (already dead)"));
    recorded->alive = false;
}

void RecordingHost::UnloadImages()
{
    Record("UnloadImages");
    images.clear();
    ++imagesUnloaded;
}

void RecordingHost::SetFullscreen(bool fullscreen)
{
    Record(std::string("SetFullscreen ") + LogBool(fullscreen));
    fullscreenCalls.push_back(fullscreen);
}

int RecordingHost::LoadSound(const char* path)
{
    const int handle = Load(sounds, nextSound, path);
    Record(std::string("LoadSound ") + path + " -> " + std::to_string(handle));
    return handle;
}

void RecordingHost::PlaySound(int sound)
{
    const std::string what = HandleText(sounds, sound);
    Record("PlaySound " + what);
    played.push_back(what);
}

void RecordingHost::UnloadSounds()
{
    Record("UnloadSounds");
    sounds.clear();
    ++soundsUnloaded;
}

void RecordingHost::FailLoad(const std::string& path)
{
    failing.insert(path);
}

void RecordingHost::Post(const std::string& name)
{
    queue.push_back(MakeRecord(name, 1.0f));
}

void RecordingHost::Push(const std::string& name, float value)
{
    queue.push_back(MakeRecord(name, value));
}

void RecordingHost::Register(CVantorEntity* entity, Disposal dispose)
{
    entities->Add(entity, std::move(dispose));
}

bool RecordingHost::Start(CVantorEntity* entity)
{
    if (entity == nullptr) {
        attachResult = false;
        return false;
    }
    Register(entity, disposeGameState);
    attachResult = entity->Attach(this);
    return attachResult;
}

CVantorEntity* RecordingHost::StartGame()
{
    // The one class name the host itself asks for.
    CVantorEntity* game = factory ? factory("GameState") : nullptr;
    Start(game);
    return game;
}

void RecordingHost::RunFrame()
{
    inFrame = true;
    entities->UpdateAll();
    inFrame = false;
    entities->ReleaseEnded();
    if (clearQueue) {
        queue.clear();
    }
    ++frameNumber;
}

void RecordingHost::RunFrames(int count)
{
    for (int i = 0; i < count; ++i) {
        RunFrame();
    }
}

std::vector<std::string> RecordingHost::CallsStartingWith(const std::string& prefix) const
{
    std::vector<std::string> found;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(found),
                 [&prefix](const std::string& call) { return call.rfind(prefix, 0) == 0; });
    return found;
}

std::vector<std::string> RecordingHost::QueueNames() const
{
    std::vector<std::string> names;
    for (const ActionRecord& record : queue) {
        names.emplace_back(record.name);
    }
    return names;
}

std::vector<RecordedSprite*> RecordingHost::LiveSprites() const
{
    std::vector<RecordedSprite*> live;
    for (const auto& sprite : sprites) {
        if (sprite->alive) {
            live.push_back(sprite.get());
        }
    }
    return live;
}

std::vector<RecordedSprite*> RecordingHost::LiveSpritesOf(const std::string& imagePath) const
{
    std::vector<RecordedSprite*> live;
    for (RecordedSprite* sprite : LiveSprites()) {
        if (ImageOf(*sprite) == imagePath) {
            live.push_back(sprite);
        }
    }
    return live;
}

RecordedSprite* RecordingHost::Sprite(CVantorSprite* sprite) const
{
    for (const auto& owned : sprites) {
        if (owned.get() == sprite) {
            return owned.get();
        }
    }
    return nullptr;
}

std::string RecordingHost::ImageOf(const RecordedSprite& sprite) const
{
    if (sprite.frame < 0 || sprite.frame >= static_cast<int>(sprite.frames.size())) {
        return "";
    }
    return ImagePath(sprite.frames[static_cast<std::size_t>(sprite.frame)]);
}

std::string RecordingHost::ImagePath(int handle) const
{
    const auto found = everImages.find(handle);
    return found == everImages.end() ? "" : found->second;
}

int RecordingHost::HandleOf(const std::map<int, std::string>& paths, const std::string& path)
{
    const auto found = std::find_if(paths.begin(), paths.end(),
                                    [&path](const auto& entry) { return entry.second == path; });
    return found != paths.end() ? found->first : -1;
}

int RecordingHost::ImageHandle(const std::string& path) const
{
    return HandleOf(images, path);
}

int RecordingHost::SoundHandle(const std::string& path) const
{
    return HandleOf(sounds, path);
}

std::vector<CVantorEntity*> RecordingHost::LiveEntities() const
{
    return entities->Live();
}

bool RecordingHost::IsLive(const CVantorEntity* entity) const
{
    return entities->IsLive(entity);
}
