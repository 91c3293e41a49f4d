// The RetroArch core's front end: the frontend's callbacks in place of a window. Each frame reads
// the RetroPad in one fixed order (so that input movies replay exactly) into the stand-in's
// virtual pad, which the real input plug-in reads; the picture goes out as it was drawn
// (640x480, XRGB8888) and the mixer's 735 frames of sound after it.
#pragma once

#include <libretro.h>

#include "frontend/libretro/LibretroMixer.h"
#include "frontend/libretro/RetroPad.h"
#include "session/FrontEnd.h"

// The frontend's callbacks, as it hands them over (any of them may still be null).
struct RetroCallbacks {
    retro_environment_t environment = nullptr;
    retro_video_refresh_t video = nullptr;
    retro_audio_sample_t audioSample = nullptr;
    retro_audio_sample_batch_t audioBatch = nullptr;
    retro_input_poll_t inputPoll = nullptr;
    retro_input_state_t inputState = nullptr;
};

class CLibretroFrontEnd final : public CFrontEnd {
public:
    explicit CLibretroFrontEnd(const RetroCallbacks& callbacks);

    bool Prepare(std::string&) override { return true; }
    bool Open(CHostSession& session, std::string& error) override;
    std::filesystem::path DefaultWorkDirectory() override { return {}; }
    void StartDevices(CHostSession& session) override;
    FrontEndEvents BeginFrame(std::int64_t frame) override;
    bool DrawsEveryFrame() const override { return !catchingUp; }
    void Present(const Bitmap& canvas, Bitmap* shot) override;
    float NextFrameTime() override { return kFrameTime; }
    void Close(CHostSession& session) override;

    // Whether the frontend hands the RetroPad's buttons over as one mask (asked once at load).
    void SetButtonsAsMask(bool value) { buttonsAsMask = value; }
    // While catching up with a save state: nothing read, drawn or heard.
    void SetCatchingUp(bool value);
    // The frame's sound, after its picture; also a silent frame when no game runs.
    void SendSound();
    // A frame with no game: the last picture again, and silence.
    void SendIdleFrame();

    static constexpr float kFrameTime = 1.0f / 60.0f;

private:
    RetroPadReading ReadRetroPad() const;

    const RetroCallbacks& callbacks;
    CLibretroMixer mixer;
    std::int16_t sound[2 * CLibretroMixer::kFramesPerRun] = {};
    bool buttonsAsMask = true;
    bool catchingUp = false;
};
