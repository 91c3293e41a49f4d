// The recording engine of the Windows test programs.
#include "RecordingEngine.h"

#include <cstring>

void RecordedSprite::SetPosition(float newX, float newY)
{
    x = newX;
    y = newY;
    positioned = true;
}

CVantorEntity* RecordingEngine::CreateEntity(const char* className)
{
    calls.push_back(std::string("CreateEntity ") + className);
    CVantorEntity* entity = factory != nullptr ? factory(className) : nullptr;
    if (entity != nullptr) {
        entity->Attach(this);
        entities.push_back({entity, true});
        ++liveEntities;
    }
    return entity;
}

void RecordingEngine::DestroyEntity(CVantorEntity* entity)
{
    calls.push_back("DestroyEntity");
    for (Registered& registered : entities) {
        if (registered.entity == entity && registered.alive) {
            registered.alive = false;
            --liveEntities;
            return;
        }
    }
    calls.push_back("DestroyEntity of an unknown or ended entity");
}

void RecordingEngine::PostAction(const char* name)
{
    calls.push_back(std::string("PostAction ") + name);
    posts.push_back({false, name, 1.0f, true});
    ActionRecord record{};
    std::strncpy(record.name, name, sizeof record.name - 1);
    record.value = 1.0f;
    queue.push_back(record);
}

void RecordingEngine::PushAction(ActionRecord action)
{
    const std::size_t length = strnlen(action.name, sizeof action.name);
    bool padded = length < sizeof action.name;
    for (std::size_t index = length; index < sizeof action.name; ++index) {
        padded = padded && action.name[index] == 0;
    }
    const std::string name(action.name, length);
    calls.push_back("PushAction " + name);
    posts.push_back({true, name, action.value, padded});
    queue.push_back(action);
}

int RecordingEngine::Load(const std::string& call, const char* path)
{
    calls.push_back(call);
    return failing.count(path) != 0 ? -1 : nextHandle++;
}

int RecordingEngine::LoadImage(const char* path, int flags)
{
    return Load("LoadImage " + std::string(path) + " " + std::to_string(flags), path);
}

int RecordingEngine::LoadBackgroundImage(const char* path)
{
    return Load("LoadBackgroundImage " + std::string(path), path);
}

CVantorSprite* RecordingEngine::CreateSprite(int frameCount, const int* frames)
{
    calls.push_back("CreateSprite " + std::to_string(frameCount));
    sprites.push_back(std::make_unique<RecordedSprite>(frameCount, frames));
    return sprites.back().get();
}

void RecordingEngine::DestroySprite(CVantorSprite* sprite)
{
    calls.push_back("DestroySprite");
    for (const std::unique_ptr<RecordedSprite>& recorded : sprites) {
        if (recorded.get() == sprite && recorded->alive) {
            recorded->alive = false;
            return;
        }
    }
    calls.push_back("DestroySprite of an unknown or destroyed sprite");
}

void RecordingEngine::UnloadImages()
{
    calls.push_back("UnloadImages");
}

void RecordingEngine::SetFullscreen(bool fullscreen)
{
    calls.push_back(std::string("SetFullscreen ") + (fullscreen ? "true" : "false"));
}

int RecordingEngine::LoadSound(const char* path)
{
    return Load("LoadSound " + std::string(path), path);
}

void RecordingEngine::PlaySound(int sound)
{
    calls.push_back("PlaySound " + std::to_string(sound));
}

void RecordingEngine::UnloadSounds()
{
    calls.push_back("UnloadSounds");
}

bool RecordingEngine::Start(CVantorEntity* entity)
{
    entities.push_back({entity, true});
    ++liveEntities;
    return entity->Attach(this);
}

void RecordingEngine::RunFrame()
{
    const std::size_t count = entities.size();
    for (std::size_t index = 0; index < count; ++index) {
        // An entity ended earlier in this frame is skipped. Read before the call: an Update may
        // append to the vector and move it.
        if (entities[index].alive) {
            CVantorEntity* entity = entities[index].entity;
            entity->Update();
        }
    }
    queue.clear();
}

std::vector<std::string> RecordingEngine::CallsStartingWith(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.rfind(prefix, 0) == 0) {
            found.push_back(call);
        }
    }
    return found;
}

std::vector<RecordedSprite*> RecordingEngine::LiveSprites() const
{
    std::vector<RecordedSprite*> live;
    for (const std::unique_ptr<RecordedSprite>& sprite : sprites) {
        if (sprite->alive) {
            live.push_back(sprite.get());
        }
    }
    return live;
}
