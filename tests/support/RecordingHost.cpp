// The recording host of the tests.
#include "RecordingHost.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "engine/AssetFiles.h"
#include "engine/SpriteLayers.h"
#include "PostRecorder.h"

namespace {

// Nothing is read from here: images and sounds are the placeholders below.
constexpr const char* kNoDataDirectory = "recording-host-reads-no-files";

// A picture of one white pixel, and a sound of one silent sample.
bool PlaceholderImage(Bitmap& bitmap)
{
    bitmap = Bitmap{};
    bitmap.width = 1;
    bitmap.height = 1;
    bitmap.pixels = {0xFFFFFFFFu};
    return true;
}

bool PlaceholderSound(PcmSound& sound)
{
    sound = PcmSound{};
    sound.channels = 1;
    sound.sampleRate = 22050;
    sound.bitsPerSample = 16;
    sound.samples = {0, 0};
    return true;
}

}  // namespace

RecordingHost::RecordingHost(Factory entityFactory, Disposal gameStateDisposal)
    : factory(std::move(entityFactory)), disposeGameState(std::move(gameStateDisposal)),
      graphics(kNoDataDirectory), sound(kNoDataDirectory, output), graphicsFace(graphics, calls),
      soundFace(sound, calls), engine(graphics, sound)
{
    graphics.SetImageReader([this](const AssetLocation& location, Bitmap& bitmap, std::string& error) {
        return !Failing(location, error) && PlaceholderImage(bitmap);
    });
    sound.SetSoundReader([this](const AssetLocation& location, PcmSound& pcm, std::string& error) {
        return !Failing(location, error) && PlaceholderSound(pcm);
    });
    engine.SetEntityFace(*this);
    engine.SetFactory(factory);
    engine.SetFatalHandler([this](const std::string& message) {
        calls.push_back("Fatal " + message);
        fatal = message;
    });
}

bool RecordingHost::Failing(const AssetLocation& location, std::string& error) const
{
    if (failing.count(location.name) == 0) {
        return false;
    }
    error = "failed by the test";
    return true;
}

CVantorEntity* RecordingHost::CreateEntity(const char* className)
{
    calls.push_back(std::string("CreateEntity ") + (className != nullptr ? className : "(null)"));
    CVantorEntity* entity = engine.CreateEntity(className);
    if (entity != nullptr) {
        createdClasses.emplace_back(className);
    }
    return entity;
}

void RecordingHost::DestroyEntity(CVantorEntity* entity)
{
    calls.push_back("DestroyEntity");
    if (!engine.Entities().IsLive(entity)) {
        calls.push_back("DestroyEntity of an unknown or dead entity");
    }
    engine.DestroyEntity(entity);
}

void RecordingHost::PostAction(const char* name)
{
    if (name != nullptr) {
        calls.push_back(RecordedPost::Posted(name).Call());
        posted.emplace_back(name);
    }
    engine.PostAction(name);
}

void RecordingHost::PushAction(ActionRecord action)
{
    calls.push_back(RecordedPost::Pushed(action).Call());
    engine.PushAction(action);
}

void RecordingHost::FailLoad(const std::string& path)
{
    std::string name = path;
    std::replace(name.begin(), name.end(), '\\', '/');
    failing.insert(name);
}

void RecordingHost::Push(const std::string& name, float value)
{
    ActionRecord record{};
    std::strncpy(record.name, name.c_str(), sizeof record.name - 1);
    record.value = value;
    engine.GetActions().push_back(record);
}

bool RecordingHost::Start(CVantorEntity* entity)
{
    attachResult = engine.AddEntity(entity, kGameStateClass, disposeGameState);
    return attachResult;
}

CVantorEntity* RecordingHost::StartGame()
{
    CVantorEntity* game = factory ? factory(kGameStateClass) : nullptr;
    Start(game);
    return game;
}

void RecordingHost::RunFrame()
{
    std::list<ActionRecord>& queue = engine.GetActions();
    FrameInput input;
    input.actions.assign(queue.begin(), queue.end());
    queue.clear();
    engine.RunFrame(frameTime, input, [this] { leftInQueue = QueueNames(); });
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
    for (const ActionRecord& record : engine.Queue()) {
        names.emplace_back(record.name);
    }
    return names;
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
