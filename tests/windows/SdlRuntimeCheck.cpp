// Checks the SDL2 and SDL2_mixer built for Windows as the host will use them: video on the dummy
// driver, events, timers, game controllers, and sound. When the system's sound device cannot be
// opened (Wine here has none), audio must start again on the dummy driver, as the host falls back
// to it, and a WAV must play to its end there. The mixer is built for WAV alone.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

int failures = 0;

void Check(bool ok, const char* what)
{
    std::printf("%s: %s%s%s\n", ok ? "ok" : "FAILED", what, ok ? "" : ": ", ok ? "" : SDL_GetError());
    if (!ok) {
        ++failures;
    }
}

void PutLittleEndian(std::vector<std::uint8_t>& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// A tenth of a second of a mono 16-bit square wave at 22050 Hz.
std::vector<std::uint8_t> SquareWav()
{
    const std::uint32_t rate = 22050;
    const std::uint32_t frames = rate / 10;
    std::vector<std::uint8_t> wav;
    auto text = [&wav](const char* four) { wav.insert(wav.end(), four, four + 4); };
    text("RIFF");
    PutLittleEndian(wav, 36 + frames * 2, 4);
    text("WAVE");
    text("fmt ");
    PutLittleEndian(wav, 16, 4);
    PutLittleEndian(wav, 1, 2);  // PCM
    PutLittleEndian(wav, 1, 2);  // mono
    PutLittleEndian(wav, rate, 4);
    PutLittleEndian(wav, rate * 2, 4);
    PutLittleEndian(wav, 2, 2);
    PutLittleEndian(wav, 16, 2);
    text("data");
    PutLittleEndian(wav, frames * 2, 4);
    for (std::uint32_t i = 0; i < frames; ++i) {
        PutLittleEndian(wav, (i / 50) % 2 == 0 ? 8000u : static_cast<std::uint16_t>(-8000), 2);
    }
    return wav;
}

void CheckVideoAndInput()
{
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
    Check(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER | SDL_INIT_GAMECONTROLLER) == 0,
          "SDL_Init video, events, timer, game controller");
    const char* driver = SDL_GetCurrentVideoDriver();
    Check(driver != nullptr && std::strcmp(driver, "dummy") == 0, "video driver is dummy");
    SDL_Window* window = SDL_CreateWindow("check", 0, 0, 64, 48, 0);
    Check(window != nullptr, "window on the dummy driver");
    SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
    Check(renderer != nullptr, "software renderer");
    if (renderer) {
        SDL_RenderClear(renderer);
        SDL_RenderPresent(renderer);
        SDL_DestroyRenderer(renderer);
    }
    if (window) {
        SDL_DestroyWindow(window);
    }
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    const Uint64 before = SDL_GetTicks64();
    SDL_Delay(20);
    Check(SDL_GetTicks64() - before >= 20, "timer");
    std::printf("joysticks: %d\n", SDL_NumJoysticks());
}

void CheckSound()
{
    // The system's own device, as the host tries it first; either way it is closed again.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::printf("system audio: no driver: %s\n", SDL_GetError());
    } else {
        const char* driver = SDL_GetCurrentAudioDriver();
        if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
            std::printf("system audio: %s cannot open a device: %s\n", driver, SDL_GetError());
        } else {
            std::printf("system audio: %s plays\n", driver);
            Mix_CloseAudio();
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    // Override: a driver named in the environment would otherwise win over the fallback.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    Check(SDL_InitSubSystem(SDL_INIT_AUDIO) == 0, "audio on the dummy driver");
    Check(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) == 0, "Mix_OpenAudio");

    bool onlyWav = Mix_GetNumMusicDecoders() == 1 && std::strcmp(Mix_GetMusicDecoder(0), "WAVE") == 0;
    Check(onlyWav, "the mixer decodes WAV music alone");

    std::vector<std::uint8_t> wav = SquareWav();
    Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size())), 1);
    Check(chunk != nullptr, "Mix_LoadWAV_RW");
    if (chunk) {
        const int channel = Mix_PlayChannel(-1, chunk, 0);
        Check(channel >= 0, "Mix_PlayChannel");
        const Uint64 deadline = SDL_GetTicks64() + 3000;
        while (channel >= 0 && Mix_Playing(channel) && SDL_GetTicks64() < deadline) {
            SDL_Delay(10);
        }
        Check(channel >= 0 && !Mix_Playing(channel), "the sound played to its end");
        Mix_FreeChunk(chunk);
    }
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace

int main(int, char**)
{
    SDL_version linked;
    SDL_GetVersion(&linked);
    const SDL_version* mixer = Mix_Linked_Version();
    std::printf("SDL %d.%d.%d, SDL_mixer %d.%d.%d\n", linked.major, linked.minor, linked.patch,
                mixer->major, mixer->minor, mixer->patch);
    CheckVideoAndInput();
    CheckSound();
    SDL_Quit();
    std::printf("%s\n", failures == 0 ? "all SDL checks passed" : "some SDL checks failed");
    return failures == 0 ? 0 : 1;
}
