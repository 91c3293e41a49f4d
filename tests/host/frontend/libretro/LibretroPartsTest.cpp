// The core's pure parts: the RetroPad's mapping, the mixer and the save state's codec.
#include <gtest/gtest.h>

#include <libretro.h>
#include <xinput.h>

#include <algorithm>
#include <cmath>

#include "engine/SoundHeadroom.h"
#include "frontend/libretro/LibretroMixer.h"
#include "frontend/libretro/RetroPad.h"
#include "frontend/libretro/SaveState.h"

namespace {

constexpr std::uint16_t Held(unsigned id)
{
    return static_cast<std::uint16_t>(1u << id);
}

PcmSound Sound16(int channels, int rate, const std::vector<std::int16_t>& samples)
{
    PcmSound sound;
    sound.channels = channels;
    sound.sampleRate = rate;
    sound.bitsPerSample = 16;
    for (const std::int16_t sample : samples) {
        sound.samples.push_back(static_cast<std::uint8_t>(sample & 0xFF));
        sound.samples.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
    }
    return sound;
}

std::vector<std::int16_t> MixFrames(CLibretroMixer& mixer, std::size_t frames)
{
    std::vector<std::int16_t> out(frames * 2);
    mixer.Mix(out.data(), frames);
    return out;
}

}  // namespace

TEST(RetroPadTest, FaceButtonsAndStartReachThePadAsXInputNamesThem)
{
    RetroPadReading reading;
    reading.buttons = Held(RETRO_DEVICE_ID_JOYPAD_B);
    EXPECT_EQ(VirtualPadFromRetroPad(reading).buttons, XINPUT_GAMEPAD_A);
    reading.buttons = Held(RETRO_DEVICE_ID_JOYPAD_A);
    EXPECT_EQ(VirtualPadFromRetroPad(reading).buttons, XINPUT_GAMEPAD_B);
    reading.buttons = Held(RETRO_DEVICE_ID_JOYPAD_START) | Held(RETRO_DEVICE_ID_JOYPAD_X) |
                      Held(RETRO_DEVICE_ID_JOYPAD_SELECT);
    EXPECT_EQ(VirtualPadFromRetroPad(reading).buttons, XINPUT_GAMEPAD_START) << "unmapped buttons leak through";
}

TEST(RetroPadTest, TheDPadTiltsTheStickFullyAndOverridesItOnItsAxisOnly)
{
    RetroPadReading reading;
    reading.leftX = 1000;
    reading.leftY = 2000;   // downwards in libretro
    VirtualPadState pad = VirtualPadFromRetroPad(reading);
    EXPECT_EQ(pad.stickX, 1000);
    EXPECT_EQ(pad.stickY, -2000);

    reading.buttons = Held(RETRO_DEVICE_ID_JOYPAD_LEFT);
    pad = VirtualPadFromRetroPad(reading);
    EXPECT_EQ(pad.stickX, -32768);
    EXPECT_EQ(pad.stickY, -2000);

    reading.buttons = Held(RETRO_DEVICE_ID_JOYPAD_UP) | Held(RETRO_DEVICE_ID_JOYPAD_RIGHT);
    pad = VirtualPadFromRetroPad(reading);
    EXPECT_EQ(pad.stickX, 32767);
    EXPECT_EQ(pad.stickY, 32767);

    reading.buttons = Held(RETRO_DEVICE_ID_JOYPAD_LEFT) | Held(RETRO_DEVICE_ID_JOYPAD_RIGHT);
    EXPECT_EQ(VirtualPadFromRetroPad(reading).stickX, 0);
}

TEST(RetroPadTest, TheStickAtFullUpwardTiltStaysInRange)
{
    RetroPadReading reading;
    reading.leftY = -32768;   // fully up in libretro
    EXPECT_EQ(VirtualPadFromRetroPad(reading).stickY, 32767);
    reading.leftY = 32767;
    EXPECT_EQ(VirtualPadFromRetroPad(reading).stickY, -32767);
}

TEST(LibretroMixerTest, SoundsAreConvertedOnceTo44100HzStereo)
{
    // 22050 Hz mono: twice as many frames, both channels alike, the ramp kept.
    const PcmSound mono = Sound16(1, 22050, {0, 1000, 2000, 3000});
    const std::vector<std::int16_t> converted = CLibretroMixer::Convert(mono);
    ASSERT_EQ(converted.size(), 16u);
    for (std::size_t frame = 0; frame < 8; ++frame) {
        EXPECT_EQ(converted[frame * 2], converted[frame * 2 + 1]);
    }
    EXPECT_EQ(converted[2], 500);
    EXPECT_EQ(converted[4], 1000);
    // 8-bit unsigned silence is silence; an unknown kind is refused.
    PcmSound bytes;
    bytes.channels = 1;
    bytes.sampleRate = 44100;
    bytes.bitsPerSample = 8;
    bytes.samples = {128, 128};
    EXPECT_EQ(CLibretroMixer::Convert(bytes), std::vector<std::int16_t>(4, 0));
    bytes.bitsPerSample = 24;
    EXPECT_TRUE(CLibretroMixer::Convert(bytes).empty());
}

TEST(LibretroMixerTest, SoundsPlayFromTheNextMixToTheirEndWithTheWindowsHeadroom)
{
    CLibretroMixer mixer;
    ASSERT_TRUE(mixer.Add(1, Sound16(2, 44100, std::vector<std::int16_t>(2000, 30000))));
    EXPECT_EQ(MixFrames(mixer, 10), std::vector<std::int16_t>(20, 0)) << "nothing was played yet";

    mixer.Play(1);
    std::vector<std::int16_t> mix = MixFrames(mixer, 1200);
    EXPECT_EQ(mix[0], 30000);
    EXPECT_EQ(mix[1999], 30000);
    EXPECT_EQ(mix[2000], 0) << "the sound's 1000 frames are over";

    // Two at once: both play at the volume that keeps their sum within full scale.
    mixer.Play(1);
    mixer.Play(1);
    mix = MixFrames(mixer, 4);
    const int volume = SoundHeadroom::Volume(60000);
    EXPECT_LT(volume, SoundHeadroom::kFullVolume);
    EXPECT_EQ(mix[0], 2 * (30000 * volume / SoundHeadroom::kFullVolume));
    EXPECT_LE(mix[0], 32767);
}

TEST(LibretroMixerTest, SilencedItStartsNothingAndStopsWhatPlays)
{
    CLibretroMixer mixer;
    ASSERT_TRUE(mixer.Add(1, Sound16(1, 44100, std::vector<std::int16_t>(5000, 1000))));
    mixer.Play(1);
    mixer.SetSilenced(true);
    mixer.Play(1);
    EXPECT_EQ(MixFrames(mixer, 100), std::vector<std::int16_t>(200, 0));
    mixer.SetSilenced(false);
    mixer.Play(1);
    EXPECT_EQ(MixFrames(mixer, 1)[0], 1000);
}

TEST(SaveStateTest, ARecordingComesBackWholeFromAStateOfTheDeclaredSize)
{
    ReplayHeader header;
    header.hostVersion = "1.0";
    CReplayEncoder recording(header);
    recording.AddClockReading(1700000000);
    FrameInput input;
    input.actions.push_back(ActionRecord{});
    std::snprintf(input.actions[0].name, sizeof input.actions[0].name, "right");
    input.actions[0].value = 1.0f;
    recording.AddFrame(1.0f / 60.0f, false, input);
    recording.AddFrame(1.0f / 60.0f, true, FrameInput{});

    std::vector<std::uint8_t> state(SaveState::kSize, 0xEE);
    std::string error;
    ASSERT_TRUE(SaveState::Encode(recording, state.data(), state.size(), error)) << error;
    EXPECT_EQ(state.back(), 0) << "the rest of the state is not cleared";
    CReplayReader back;
    ASSERT_TRUE(SaveState::Decode(state.data(), state.size(), back, error)) << error;
    ASSERT_EQ(back.FrameCount(), 2);
    EXPECT_EQ(back.StartReadings(), std::vector<std::int64_t>{1700000000});
    ReplayFrame frame;
    ASSERT_TRUE(back.Next(frame));
    EXPECT_EQ(std::string(frame.input.actions.at(0).name), "right");
    ASSERT_TRUE(back.Next(frame));
    EXPECT_TRUE(frame.hostPaused);
}

TEST(SaveStateTest, ForeignDamagedAndOversizedStatesAreRefused)
{
    CReplayEncoder recording(ReplayHeader{});
    std::vector<std::uint8_t> state(4096);
    std::string error;
    ASSERT_TRUE(SaveState::Encode(recording, state.data(), state.size(), error)) << error;
    CReplayReader back;
    std::vector<std::uint8_t> foreign = state;
    foreign[0] = 'X';
    EXPECT_FALSE(SaveState::Decode(foreign.data(), foreign.size(), back, error));
    std::vector<std::uint8_t> damaged = state;
    damaged[20] ^= 0xFF;
    EXPECT_FALSE(SaveState::Decode(damaged.data(), damaged.size(), back, error));
    std::vector<std::uint8_t> cut = state;
    cut[12] = 0xFF;   // a length beyond the state
    EXPECT_FALSE(SaveState::Decode(cut.data(), cut.size(), back, error));
    EXPECT_NE(error.find("cut short"), std::string::npos) << error;
    EXPECT_FALSE(SaveState::Encode(recording, state.data(), 16, error)) << "a recording larger than the state";
}
