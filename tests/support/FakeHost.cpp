// The recording fake host.
#include "FakeHost.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <sstream>

#include "EntityFactory.h"
#include "GameState.h"

namespace {

std::string FormatFloat(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

// Entities of the game have trivial destructors and no virtual one; the host frees their memory.
void FreeEntityMemory(CVantorEntity* entity)
{
    ::operator delete(static_cast<void*>(entity));
}

// The game state owns lists, so its destructor has to run; the host is the one that knows.
void DeleteGameState(CVantorEntity* entity)
{
    CGameState* state = static_cast<CGameState*>(entity);
    state->~CGameState();
    ::operator delete(static_cast<void*>(state));
}

}  // namespace

FakeSprite::FakeSprite(FakeHost& owner, int spriteId, std::vector<int> frameTable)
    : host(owner), id(spriteId), frames(std::move(frameTable)), table(nullptr)
{
}

void FakeSprite::SetPosition(float newX, float newY)
{
    host.calls.push_back("SetPosition #" + std::to_string(id) + " " + FormatFloat(newX) + " " +
                         FormatFloat(newY));
    x = newX;
    y = newY;
    positioned = true;
}

void FakeSprite::SetFrame(int newFrame)
{
    host.calls.push_back("SetFrame #" + std::to_string(id) + " " + std::to_string(newFrame));
    frame = newFrame;
}

void FakeSprite::SetMirrored(bool newMirrored)
{
    host.calls.push_back("SetMirrored #" + std::to_string(id) + " " + (newMirrored ? "1" : "0"));
    mirrored = newMirrored;
}

FakeHost::FakeHost() : FakeHost(CreateEntityByName) {}

FakeHost::FakeHost(Factory entityFactory) : factory(std::move(entityFactory)) {}

FakeHost::~FakeHost()
{
    for (Registered& entry : entities) {
        if (entry.deleter) {
            entry.deleter(entry.entity);
        } else if (entry.alive) {
            FreeEntityMemory(entry.entity);
        }
    }
}

void FakeHost::Record(std::string call)
{
    calls.push_back(std::move(call));
}

float FakeHost::GetFrameTime()
{
    return frameTime;
}

CVantorEntity* FakeHost::CreateEntity(const char* className)
{
    Record(std::string("CreateEntity ") + className);
    CVantorEntity* entity = factory ? factory(className) : nullptr;
    if (entity == nullptr) {
        return nullptr;
    }
    createdClasses.emplace_back(className);
    entity->Attach(this);
    std::function<void(CVantorEntity*)> deleter;
    if (std::strcmp(className, "GameState") == 0) {
        deleter = DeleteGameState;
    }
    entities.push_back({entity, true, std::move(deleter)});
    return entity;
}

void FakeHost::DestroyEntity(CVantorEntity* entity)
{
    Record("DestroyEntity");
    for (Registered& entry : entities) {
        if (entry.entity == entity && entry.alive) {
            entry.alive = false;
            if (!inFrame) {
                FreeDead();
            }
            return;
        }
    }
    Record("DestroyEntity of an unknown or dead entity");
}

void FakeHost::PostAction(const char* name)
{
    Record(std::string("PostAction ") + name);
    posted.emplace_back(name);
    Post(name);
}

void FakeHost::PushAction(ActionRecord action)
{
    Record(std::string("PushAction ") + action.name + " " + FormatFloat(action.value));
    queue.push_back(action);
}

std::list<ActionRecord>& FakeHost::GetActions()
{
    return queue;
}

int FakeHost::LoadImage(const char* path, int flags)
{
    int handle = -1;
    if (failing.count(path) == 0) {
        handle = nextImage++;
        images[handle] = path;
        everImages[handle] = path;
    }
    Record(std::string("LoadImage ") + path + " " + std::to_string(flags) + " -> " +
           std::to_string(handle));
    return handle;
}

int FakeHost::LoadBackgroundImage(const char* path)
{
    int handle = -1;
    if (failing.count(path) == 0) {
        handle = nextImage++;
        images[handle] = path;
        everImages[handle] = path;
    }
    Record(std::string("LoadBackgroundImage ") + path + " -> " + std::to_string(handle));
    return handle;
}

CVantorSprite* FakeHost::CreateSprite(int frameCount, const int* frames)
{
    std::vector<int> table(frames, frames + std::max(frameCount, 0));
    const int id = static_cast<int>(sprites.size());
    std::ostringstream call;
    call << "CreateSprite #" << id << " " << frameCount;
    for (int handle : table) {
        call << " " << ImagePath(handle);
    }
    Record(call.str());
    sprites.push_back(std::make_unique<FakeSprite>(*this, id, std::move(table)));
    sprites.back()->table = frames;
    return sprites.back().get();
}

void FakeHost::DestroySprite(CVantorSprite* sprite)
{
    FakeSprite* fake = Sprite(sprite);
    if (fake == nullptr) {
        Record("DestroySprite of an unknown sprite");
        return;
    }
    Record("DestroySprite #" + std::to_string(fake->id) + (fake->alive ? "" : " (already dead)"));
    fake->alive = false;
}

void FakeHost::UnloadImages()
{
    Record("UnloadImages");
    images.clear();
    ++imagesUnloaded;
}

void FakeHost::SetFullscreen(bool fullscreen)
{
    Record(std::string("SetFullscreen ") + (fullscreen ? "1" : "0"));
    fullscreenCalls.push_back(fullscreen);
}

int FakeHost::LoadSound(const char* path)
{
    int handle = -1;
    if (failing.count(path) == 0) {
        handle = nextSound++;
        sounds[handle] = path;
    }
    Record(std::string("LoadSound ") + path + " -> " + std::to_string(handle));
    return handle;
}

void FakeHost::PlaySound(int sound)
{
    const auto found = sounds.find(sound);
    const std::string path = found == sounds.end() ? "<invalid>" : found->second;
    Record("PlaySound " + path);
    played.push_back(path);
}

void FakeHost::UnloadSounds()
{
    Record("UnloadSounds");
    sounds.clear();
    ++soundsUnloaded;
}

void FakeHost::FailLoad(const std::string& path)
{
    failing.insert(path);
}

void FakeHost::Post(const std::string& name)
{
    ActionRecord record{};
    std::strncpy(record.name, name.c_str(), sizeof record.name - 1);
    record.value = 1.0f;
    queue.push_back(record);
}

void FakeHost::Push(const std::string& name, float value)
{
    ActionRecord record{};
    std::strncpy(record.name, name.c_str(), sizeof record.name - 1);
    record.value = value;
    queue.push_back(record);
}

void FakeHost::Register(CVantorEntity* entity, std::function<void(CVantorEntity*)> deleter)
{
    entities.push_back({entity, true, std::move(deleter)});
}

CVantorEntity* FakeHost::StartGame()
{
    CVantorEntity* game = factory ? factory("GameState") : nullptr;
    if (game == nullptr) {
        return nullptr;
    }
    Register(game, DeleteGameState);
    attachResult = game->Attach(this);
    return game;
}

void FakeHost::RunFrame()
{
    inFrame = true;
    frameLimit = entities.size();
    for (std::size_t i = 0; i < frameLimit; ++i) {
        if (entities[i].alive) {
            entities[i].entity->Update();
        }
    }
    inFrame = false;
    FreeDead();
    if (clearQueue) {
        queue.clear();
    }
    ++frameNumber;
}

void FakeHost::RunFrames(int count)
{
    for (int i = 0; i < count; ++i) {
        RunFrame();
    }
}

void FakeHost::FreeDead()
{
    for (auto it = entities.begin(); it != entities.end();) {
        if (!it->alive && !it->deleter) {
            FreeEntityMemory(it->entity);
            it = entities.erase(it);
        } else {
            ++it;
        }
    }
}

std::vector<std::string> FakeHost::CallsStartingWith(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.rfind(prefix, 0) == 0) {
            found.push_back(call);
        }
    }
    return found;
}

std::vector<std::string> FakeHost::QueueNames() const
{
    std::vector<std::string> names;
    for (const ActionRecord& record : queue) {
        names.emplace_back(record.name);
    }
    return names;
}

std::vector<FakeSprite*> FakeHost::LiveSprites() const
{
    std::vector<FakeSprite*> live;
    for (const auto& sprite : sprites) {
        if (sprite->alive) {
            live.push_back(sprite.get());
        }
    }
    return live;
}

std::vector<FakeSprite*> FakeHost::LiveSpritesOf(const std::string& imagePath) const
{
    std::vector<FakeSprite*> live;
    for (FakeSprite* sprite : LiveSprites()) {
        if (ImageOf(*sprite) == imagePath) {
            live.push_back(sprite);
        }
    }
    return live;
}

FakeSprite* FakeHost::Sprite(CVantorSprite* sprite) const
{
    for (const auto& owned : sprites) {
        if (owned.get() == sprite) {
            return owned.get();
        }
    }
    return nullptr;
}

std::string FakeHost::ImageOf(const FakeSprite& sprite) const
{
    if (sprite.frame < 0 || sprite.frame >= static_cast<int>(sprite.frames.size())) {
        return "";
    }
    return ImagePath(sprite.frames[static_cast<std::size_t>(sprite.frame)]);
}

std::string FakeHost::ImagePath(int handle) const
{
    const auto found = everImages.find(handle);
    return found == everImages.end() ? "" : found->second;
}

int FakeHost::ImageHandle(const std::string& path) const
{
    for (const auto& [handle, imagePath] : images) {
        if (imagePath == path) {
            return handle;
        }
    }
    return -1;
}

int FakeHost::SoundHandle(const std::string& path) const
{
    for (const auto& [handle, soundPath] : sounds) {
        if (soundPath == path) {
            return handle;
        }
    }
    return -1;
}

std::vector<CVantorEntity*> FakeHost::LiveEntities() const
{
    std::vector<CVantorEntity*> live;
    for (const Registered& entry : entities) {
        if (entry.alive) {
            live.push_back(entry.entity);
        }
    }
    return live;
}

bool FakeHost::IsLive(const CVantorEntity* entity) const
{
    return std::any_of(entities.begin(), entities.end(),
                       [entity](const Registered& entry) { return entry.entity == entity && entry.alive; });
}
