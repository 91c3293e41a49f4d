// The window front end under SDL's dummy video driver: what M does with and without a sound device.
#include "frontend/sdl/SdlFrontEnd.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <string>

#include "session/HostSession.h"

namespace {

// The notices of the first M and of the second, with SDL's audio on the named driver.
std::pair<std::string, std::string> NoticesOfTwoPresses(const char* audioDriver)
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", audioDriver, 1);
    CHostSession session(HostLayout{".", "data"});
    CSdlFrontEnd frontEnd;
    std::string error;
    EXPECT_TRUE(frontEnd.Open(session, error)) << error;
    std::pair<std::string, std::string> notices;
    for (std::string* notice : {&notices.first, &notices.second}) {
        SDL_Event press{};
        press.type = SDL_KEYDOWN;
        press.key.keysym.scancode = SDL_SCANCODE_M;
        SDL_PushEvent(&press);
        frontEnd.BeginFrame(0);
        *notice = frontEnd.NoticeText();
    }
    frontEnd.Close(session);
    return notices;
}

TEST(SdlFrontEndTest, MSwitchesTheSoundAndWithoutASoundDeviceSaysThereIsNone)
{
    const auto withDevice = NoticesOfTwoPresses("dummy");
    EXPECT_EQ(withDevice.first, "SOUND OFF");
    EXPECT_EQ(withDevice.second, "SOUND ON");
    // The device fails to open: nothing to switch, and the player learns why M does nothing.
    const auto withoutDevice = NoticesOfTwoPresses("no-such-device");
    EXPECT_EQ(withoutDevice.first, "NO SOUND");
    EXPECT_EQ(withoutDevice.second, "NO SOUND");
}

}  // namespace
