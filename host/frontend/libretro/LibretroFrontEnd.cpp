// The RetroArch core's front end.
#include "frontend/libretro/LibretroFrontEnd.h"

#include "VantorPlatform.h"
#include "VantorScreen.h"
#include "session/HostSession.h"
#include "system/InputDevices.h"

CLibretroFrontEnd::CLibretroFrontEnd(const RetroCallbacks& givenCallbacks) : callbacks(givenCallbacks) {}

bool CLibretroFrontEnd::Open(CHostSession& session, std::string&)
{
    mixer.RemoveAll();
    session.SetSoundOutput(mixer);
    return true;
}

void CLibretroFrontEnd::StartDevices(CHostSession&)
{
    InputDevicesUseVirtual();
    // A RetroPad is always there: the frontend maps whatever controller the player has to it.
    PlatformVirtualPadConnected(true);
}

RetroPadReading CLibretroFrontEnd::ReadRetroPad() const
{
    RetroPadReading reading;
    if (callbacks.inputState == nullptr) {
        return reading;
    }
    if (buttonsAsMask) {
        reading.buttons = static_cast<std::uint16_t>(
            callbacks.inputState(0, RETRO_DEVICE_JOYPAD, 0, RETRO_DEVICE_ID_JOYPAD_MASK));
    } else {
        unsigned count = 0;
        const unsigned* buttons = RetroPadButtonsRead(count);
        for (unsigned i = 0; i < count; ++i) {
            if (callbacks.inputState(0, RETRO_DEVICE_JOYPAD, 0, buttons[i]) != 0) {
                reading.buttons = static_cast<std::uint16_t>(reading.buttons | (1u << buttons[i]));
            }
        }
    }
    reading.leftX = callbacks.inputState(0, RETRO_DEVICE_ANALOG, RETRO_DEVICE_INDEX_ANALOG_LEFT, RETRO_DEVICE_ID_ANALOG_X);
    reading.leftY = callbacks.inputState(0, RETRO_DEVICE_ANALOG, RETRO_DEVICE_INDEX_ANALOG_LEFT, RETRO_DEVICE_ID_ANALOG_Y);
    return reading;
}

FrontEndEvents CLibretroFrontEnd::BeginFrame(std::int64_t)
{
    if (catchingUp) {
        return {};
    }
    if (callbacks.inputPoll != nullptr) {
        callbacks.inputPoll();
    }
    const VirtualPadState pad = VirtualPadFromRetroPad(ReadRetroPad());
    for (const std::uint16_t mask : kVirtualPadButtons) {
        PlatformVirtualPadButton(mask, (pad.buttons & mask) != 0);
    }
    PlatformVirtualPadStick(pad.stickX, pad.stickY);
    return {};
}

void CLibretroFrontEnd::Present(const Bitmap& canvas, Bitmap* shot)
{
    if (shot != nullptr) {
        *shot = canvas;
    }
    if (catchingUp || callbacks.video == nullptr) {
        return;
    }
    // The canvas's 0xAARRGGBB is XRGB8888 as it stands: the frontend ignores the top byte.
    callbacks.video(canvas.pixels.data(), static_cast<unsigned>(canvas.width),
                    static_cast<unsigned>(canvas.height), static_cast<std::size_t>(canvas.width) * 4);
}

void CLibretroFrontEnd::SetCatchingUp(bool value)
{
    catchingUp = value;
    mixer.SetSilenced(value);
}

void CLibretroFrontEnd::SendSound()
{
    mixer.Mix(sound, CLibretroMixer::kFramesPerRun);
    if (callbacks.audioBatch != nullptr) {
        callbacks.audioBatch(sound, CLibretroMixer::kFramesPerRun);
    }
}

void CLibretroFrontEnd::SendIdleFrame()
{
    if (callbacks.video != nullptr) {
        callbacks.video(nullptr, kScreenWidth, kScreenHeight, static_cast<std::size_t>(kScreenWidth) * 4);
    }
    SendSound();
}

void CLibretroFrontEnd::Close(CHostSession& session)
{
    session.UseSilence();
    mixer.RemoveAll();
    // The ended session's plug-in objects stay (see session/Session.cpp), but nothing draws or
    // plays for them again: a frontend that resets or loads the core many times in one process
    // must not keep every game's pictures and sounds.
    session.Graphics().ReleaseImages();
    session.Sound().UnloadSounds();
}
