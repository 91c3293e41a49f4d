// A small libretro frontend of our own for the core's tests: loads vantor_libretro.so with
// dlopen, answers the environment calls the core makes, keeps every picture and sound the core
// hands over, and plays a RetroPad from a script of its own. One at a time (the callbacks carry
// no pointer back to it).
#pragma once

#include <libretro.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// What the RetroPad holds during one frame.
struct PadFrame {
    std::uint16_t buttons = 0;   // bit n: RETRO_DEVICE_ID_JOYPAD_<n>
    std::int16_t leftX = 0;
    std::int16_t leftY = 0;
};

// One input_state call, as a movie would record it.
struct InputCall {
    unsigned device;
    unsigned index;
    unsigned id;
    bool operator==(const InputCall&) const = default;
};

class CTestFrontend {
public:
    // Opens the core (not yet initialised); saveDirectory is what it is told to save in.
    CTestFrontend(const std::filesystem::path& core, std::filesystem::path saveDirectory);
    ~CTestFrontend();   // unloads and closes the core
    CTestFrontend(const CTestFrontend&) = delete;
    CTestFrontend& operator=(const CTestFrontend&) = delete;

    bool Opened() const { return library != nullptr; }
    // retro_init, the callbacks, retro_load_game with no content.
    bool Load();
    void Unload();
    // Runs frames with the pad as pad(frame) says (frames counted from the last Load or Reset).
    void Run(int frames, const std::function<PadFrame(int)>& pad = {});
    void Reset();
    std::vector<std::uint8_t> Save();
    bool Restore(const std::vector<std::uint8_t>& state);

    // What the core handed over.
    const std::vector<std::uint32_t>& LastPicture() const { return picture; }
    std::uint64_t PictureHash() const;
    const std::vector<std::int16_t>& LastSound() const { return sound; }
    std::size_t SoundFramesLastRun() const { return soundFramesLastRun; }
    const std::vector<InputCall>& InputCallsLastRun() const { return inputCallsLastRun; }
    bool ShutdownAsked() const { return shutdownAsked; }
    unsigned PixelFormat() const { return pixelFormat; }
    std::size_t InputDescriptors() const { return inputDescriptors; }
    bool NoGameSupported() const { return noGame; }
    int FrameInGame() const { return frame; }

    template <typename Function>
    Function Symbol(const char* name) const { return reinterpret_cast<Function>(Find(name)); }

private:
    void* Find(const char* name) const;
    static bool Environment(unsigned command, void* data);
    static void Video(const void* data, unsigned width, unsigned height, std::size_t pitch);
    static std::size_t AudioBatch(const std::int16_t* data, std::size_t frames);
    static void AudioSample(std::int16_t left, std::int16_t right);
    static void InputPoll();
    static std::int16_t InputState(unsigned port, unsigned device, unsigned index, unsigned id);

    void* library = nullptr;
    std::string saveDirectory;
    bool initialised = false;
    bool loaded = false;
    int frame = 0;
    PadFrame pad;
    std::vector<std::uint32_t> picture;
    std::vector<std::int16_t> sound;
    std::size_t soundFramesLastRun = 0;
    std::vector<InputCall> inputCallsLastRun;
    bool shutdownAsked = false;
    unsigned pixelFormat = RETRO_PIXEL_FORMAT_0RGB1555;
    std::size_t inputDescriptors = 0;
    bool noGame = false;
};
