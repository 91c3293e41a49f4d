// vantor_libretro: the game as a libretro core, the entry points RetroArch calls. It needs no
// content; its pictures and sounds are found beside it (in a build tree) or in the installed
// game's data, its saves in the frontend's save directory.
#include <dlfcn.h>
#include <libretro.h>

#include <cstring>
#include <memory>

#include "VantorScreen.h"
#include "frontend/libretro/CoreGame.h"
#include "frontend/libretro/RetroPad.h"
#include "frontend/libretro/SaveState.h"
#include "system/HostPaths.h"

#ifndef VANTOR_VERSION
#define VANTOR_VERSION "unknown"
#endif
#ifndef VANTOR_CORE_DATA_HOME
#define VANTOR_CORE_DATA_HOME "../../../share/vantor"
#endif

namespace {

constexpr double kFramesPerSecond = 60.0;

// The frontend's callbacks, and the game once loaded: a C interface leaves no other place. The
// game is never destroyed by the core's own unloading (at exit or dlclose), when the clock and
// the sessions it would end are gone already: only retro_unload_game and retro_deinit end it.
RetroCallbacks callbacks;
std::unique_ptr<CCoreGame>& game = *new std::unique_ptr<CCoreGame>();

// The directory holding data/: beside the core in a build tree, else the installed game's.
std::filesystem::path CoreHome()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&retro_init), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    std::error_code code;
    const std::filesystem::path directory = std::filesystem::absolute(info.dli_fname, code).parent_path();
    if (std::filesystem::is_directory(directory / "data", code)) {
        return directory;
    }
    return (directory / VANTOR_CORE_DATA_HOME).lexically_normal();
}

// <the frontend's save directory>/vantor, or the desktop game's directory when it names none.
std::filesystem::path SaveDirectory()
{
    const char* saves = nullptr;
    if (callbacks.environment != nullptr &&
        callbacks.environment(RETRO_ENVIRONMENT_GET_SAVE_DIRECTORY, &saves) && saves != nullptr && *saves != '\0') {
        std::error_code code;
        return std::filesystem::absolute(std::filesystem::path(saves) / "vantor", code);
    }
    return UserDataDirectory();
}

}  // namespace

extern "C" {

RETRO_API unsigned retro_api_version(void)
{
    return RETRO_API_VERSION;
}

RETRO_API void retro_init(void) {}

RETRO_API void retro_deinit(void)
{
    game.reset();
}

RETRO_API void retro_get_system_info(retro_system_info* info)
{
    std::memset(info, 0, sizeof *info);
    info->library_name = "Vantor";
    info->library_version = VANTOR_VERSION;
    info->valid_extensions = "";
    info->need_fullpath = false;
    info->block_extract = false;
}

RETRO_API void retro_get_system_av_info(retro_system_av_info* info)
{
    std::memset(info, 0, sizeof *info);
    info->geometry.base_width = kScreenWidth;
    info->geometry.base_height = kScreenHeight;
    info->geometry.max_width = kScreenWidth;
    info->geometry.max_height = kScreenHeight;
    info->geometry.aspect_ratio = static_cast<float>(kScreenWidth) / static_cast<float>(kScreenHeight);
    info->timing.fps = kFramesPerSecond;
    info->timing.sample_rate = CLibretroMixer::kRate;
}

RETRO_API void retro_set_environment(retro_environment_t environment)
{
    callbacks.environment = environment;
    bool noGame = true;
    environment(RETRO_ENVIRONMENT_SET_SUPPORT_NO_GAME, &noGame);
}

RETRO_API void retro_set_video_refresh(retro_video_refresh_t video)
{
    callbacks.video = video;
}

RETRO_API void retro_set_audio_sample(retro_audio_sample_t audioSample)
{
    callbacks.audioSample = audioSample;
}

RETRO_API void retro_set_audio_sample_batch(retro_audio_sample_batch_t audioBatch)
{
    callbacks.audioBatch = audioBatch;
}

RETRO_API void retro_set_input_poll(retro_input_poll_t inputPoll)
{
    callbacks.inputPoll = inputPoll;
}

RETRO_API void retro_set_input_state(retro_input_state_t inputState)
{
    callbacks.inputState = inputState;
}

RETRO_API void retro_set_controller_port_device(unsigned, unsigned) {}

RETRO_API bool retro_load_game(const retro_game_info*)
{
    retro_pixel_format format = RETRO_PIXEL_FORMAT_XRGB8888;
    if (callbacks.environment == nullptr || !callbacks.environment(RETRO_ENVIRONMENT_SET_PIXEL_FORMAT, &format)) {
        return false;
    }
    callbacks.environment(RETRO_ENVIRONMENT_SET_INPUT_DESCRIPTORS,
                          const_cast<retro_input_descriptor*>(RetroPadDescriptors()));
    const bool buttonsAsMask = callbacks.environment(RETRO_ENVIRONMENT_GET_INPUT_BITMASKS, nullptr);
    game = std::make_unique<CCoreGame>(callbacks, CoreHome(), SaveDirectory());
    game->SetButtonsAsMask(buttonsAsMask);
    if (!game->Start()) {
        game.reset();
        return false;
    }
    return true;
}

RETRO_API bool retro_load_game_special(unsigned, const retro_game_info*, size_t)
{
    return false;
}

RETRO_API void retro_unload_game(void)
{
    game.reset();
}

RETRO_API unsigned retro_get_region(void)
{
    return RETRO_REGION_NTSC;
}

RETRO_API void retro_run(void)
{
    if (game != nullptr) {
        game->Run();
    }
}

RETRO_API void retro_reset(void)
{
    if (game != nullptr) {
        game->Reset();
    }
}

RETRO_API size_t retro_serialize_size(void)
{
    return SaveState::kSize;
}

RETRO_API bool retro_serialize(void* data, size_t size)
{
    return game != nullptr && game->Save(data, size);
}

RETRO_API bool retro_unserialize(const void* data, size_t size)
{
    return game != nullptr && game->Load(data, size);
}

RETRO_API void retro_cheat_reset(void) {}

RETRO_API void retro_cheat_set(unsigned, bool, const char*) {}

RETRO_API void* retro_get_memory_data(unsigned)
{
    return nullptr;
}

RETRO_API size_t retro_get_memory_size(unsigned)
{
    return 0;
}

}  // extern "C"
