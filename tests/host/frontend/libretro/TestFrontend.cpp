// The tests' libretro frontend.
#include "TestFrontend.h"

#include <dlfcn.h>

#include <cstring>

namespace {

CTestFrontend* current = nullptr;

}  // namespace

CTestFrontend::CTestFrontend(const std::filesystem::path& core, std::filesystem::path givenSaveDirectory)
    : saveDirectory(std::move(givenSaveDirectory).string())
{
    library = dlopen(core.c_str(), RTLD_NOW | RTLD_LOCAL);
    current = this;
}

CTestFrontend::~CTestFrontend()
{
    Unload();
    if (initialised) {
        Symbol<void (*)()>("retro_deinit")();
    }
    if (library != nullptr) {
        dlclose(library);
    }
    current = nullptr;
}

void* CTestFrontend::Find(const char* name) const
{
    return library != nullptr ? dlsym(library, name) : nullptr;
}

bool CTestFrontend::Load()
{
    if (!initialised) {
        Symbol<void (*)(retro_environment_t)>("retro_set_environment")(&Environment);
        Symbol<void (*)(retro_video_refresh_t)>("retro_set_video_refresh")(&Video);
        Symbol<void (*)(retro_audio_sample_t)>("retro_set_audio_sample")(&AudioSample);
        Symbol<void (*)(retro_audio_sample_batch_t)>("retro_set_audio_sample_batch")(&AudioBatch);
        Symbol<void (*)(retro_input_poll_t)>("retro_set_input_poll")(&InputPoll);
        Symbol<void (*)(retro_input_state_t)>("retro_set_input_state")(&InputState);
        Symbol<void (*)()>("retro_init")();
        initialised = true;
    }
    frame = 0;
    loaded = Symbol<bool (*)(const retro_game_info*)>("retro_load_game")(nullptr);
    return loaded;
}

void CTestFrontend::Unload()
{
    if (loaded) {
        Symbol<void (*)()>("retro_unload_game")();
        loaded = false;
    }
}

void CTestFrontend::Run(int frames, const std::function<PadFrame(int)>& padAt)
{
    const auto run = Symbol<void (*)()>("retro_run");
    for (int i = 0; i < frames; ++i) {
        pad = padAt ? padAt(frame) : PadFrame{};
        soundFramesLastRun = 0;
        inputCallsLastRun.clear();
        run();
        ++frame;
    }
}

void CTestFrontend::Reset()
{
    Symbol<void (*)()>("retro_reset")();
    frame = 0;
}

std::vector<std::uint8_t> CTestFrontend::Save()
{
    std::vector<std::uint8_t> state(Symbol<std::size_t (*)()>("retro_serialize_size")());
    if (!Symbol<bool (*)(void*, std::size_t)>("retro_serialize")(state.data(), state.size())) {
        state.clear();
    }
    return state;
}

bool CTestFrontend::Restore(const std::vector<std::uint8_t>& state)
{
    return Symbol<bool (*)(const void*, std::size_t)>("retro_unserialize")(state.data(), state.size());
}

std::uint64_t CTestFrontend::PictureHash() const
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const std::uint32_t pixel : picture) {
        hash = (hash ^ (pixel & 0xFFFFFFu)) * 1099511628211ull;
    }
    return hash;
}

bool CTestFrontend::Environment(unsigned command, void* data)
{
    switch (command) {
    case RETRO_ENVIRONMENT_SET_SUPPORT_NO_GAME:
        current->noGame = *static_cast<const bool*>(data);
        return true;
    case RETRO_ENVIRONMENT_SET_PIXEL_FORMAT:
        current->pixelFormat = *static_cast<const unsigned*>(data);
        return true;
    case RETRO_ENVIRONMENT_SET_INPUT_DESCRIPTORS: {
        const auto* descriptor = static_cast<const retro_input_descriptor*>(data);
        current->inputDescriptors = 0;
        while (descriptor[current->inputDescriptors].description != nullptr) {
            ++current->inputDescriptors;
        }
        return true;
    }
    case RETRO_ENVIRONMENT_GET_INPUT_BITMASKS:
        return true;
    case RETRO_ENVIRONMENT_GET_SAVE_DIRECTORY:
        *static_cast<const char**>(data) = current->saveDirectory.c_str();
        return true;
    case RETRO_ENVIRONMENT_SHUTDOWN:
        current->shutdownAsked = true;
        return true;
    default:
        return false;
    }
}

void CTestFrontend::Video(const void* data, unsigned width, unsigned height, std::size_t pitch)
{
    if (data == nullptr) {
        return;   // the same picture again
    }
    current->picture.resize(static_cast<std::size_t>(width) * height);
    for (unsigned row = 0; row < height; ++row) {
        std::memcpy(&current->picture[static_cast<std::size_t>(row) * width],
                    static_cast<const std::uint8_t*>(data) + row * pitch, width * sizeof(std::uint32_t));
    }
}

std::size_t CTestFrontend::AudioBatch(const std::int16_t* data, std::size_t frames)
{
    current->sound.assign(data, data + frames * 2);
    current->soundFramesLastRun += frames;
    return frames;
}

void CTestFrontend::AudioSample(std::int16_t left, std::int16_t right)
{
    current->sound = {left, right};
    ++current->soundFramesLastRun;
}

void CTestFrontend::InputPoll() {}

std::int16_t CTestFrontend::InputState(unsigned port, unsigned device, unsigned index, unsigned id)
{
    current->inputCallsLastRun.push_back({device, index, id});
    if (port != 0) {
        return 0;
    }
    if (device == RETRO_DEVICE_JOYPAD) {
        if (id == RETRO_DEVICE_ID_JOYPAD_MASK) {
            return static_cast<std::int16_t>(current->pad.buttons);
        }
        return static_cast<std::int16_t>((current->pad.buttons >> id) & 1u);
    }
    if (device == RETRO_DEVICE_ANALOG && index == RETRO_DEVICE_INDEX_ANALOG_LEFT) {
        return id == RETRO_DEVICE_ID_ANALOG_X ? current->pad.leftX : current->pad.leftY;
    }
    return 0;
}
