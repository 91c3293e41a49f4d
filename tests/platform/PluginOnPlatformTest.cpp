// The real VantorDirectInput plug-in, loaded like the host loads it, over the shared stand-in
// library: what the host sets on the virtual devices is what the plug-in posts.
#include <dlfcn.h>

#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "PostRecorder.h"
#include "VantorInput.h"
#include "VantorPlatform.h"

namespace {

using Factory = CVantorInput* (*)();
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class PluginOnPlatformTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        library = dlopen(VANTOR_INPUT_PLUGIN, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        factory = reinterpret_cast<Factory>(dlsym(library, "CreateVantorInputObject"));
        ASSERT_NE(factory, nullptr);
    }

    void SetUp() override
    {
        PlatformSetBackend(PlatformBackend::Virtual);
        PlatformVirtualReset();
        input = Make();
        ASSERT_TRUE(input->Initialize(&engine));
    }
    void TearDown() override { PlatformVirtualReset(); }

    // The host never frees an input object (there is no destroy operation); neither do the tests.
    static CVantorInput* Make()
    {
        CVantorInput* made = factory();
        EXPECT_NE(made, nullptr);
        everMade->push_back(made);
        return made;
    }

    static void* library;
    static Factory factory;
    static std::vector<CVantorInput*>* everMade;   // never destroyed
    PostRecorder engine;
    CVantorInput* input = nullptr;
};

void* PluginOnPlatformTest::library = nullptr;
Factory PluginOnPlatformTest::factory = nullptr;
std::vector<CVantorInput*>* PluginOnPlatformTest::everMade = new std::vector<CVantorInput*>();

TEST_F(PluginOnPlatformTest, VirtualKeysAndPadBecomeActions)
{
    input->Poll();
    EXPECT_THAT(engine.TakeCalls(), IsEmpty());

    PlatformVirtualKey(static_cast<uint8_t>(PlatformDikFromName("RIGHT")), true);
    PlatformVirtualKey(static_cast<uint8_t>(PlatformDikFromName("RETURN")), true);
    PlatformVirtualKey(static_cast<uint8_t>(PlatformDikFromName("RMENU")), true);
    PlatformVirtualPadConnected(true);
    PlatformVirtualPadStick(0, -20000);
    PlatformVirtualPadButton(static_cast<uint16_t>(PlatformPadButtonFromName("B")), true);
    input->Poll();
    EXPECT_THAT(engine.TakeCalls(),
                ElementsAre("PushAction right 1", "PostAction fullscreen-toggle", "PushAction left 0",
                            "PushAction stickDown 20000", "PostAction gamepadB"));
    input->Poll();
    EXPECT_EQ(engine.TakeCalls().size(), 5u) << "held input posts every poll";
}

TEST_F(PluginOnPlatformTest, KeyboardComesBackAfterFocusLoss)
{
    PlatformVirtualKey(static_cast<uint8_t>(PlatformDikFromName("SPACE")), true);
    PlatformVirtualPadConnected(true);
    PlatformVirtualPadButton(static_cast<uint16_t>(PlatformPadButtonFromName("A")), true);
    PlatformVirtualSetFocus(false);
    input->Poll();
    EXPECT_THAT(engine.TakeCalls(), ElementsAre("PostAction gamepadA"));

    PlatformVirtualSetFocus(true);
    input->Poll();   // the failed read re-acquires
    EXPECT_THAT(engine.TakeCalls(), ElementsAre("PostAction gamepadA"));
    input->Poll();
    EXPECT_THAT(engine.TakeCalls(), ElementsAre("PushAction shoot 1", "PostAction gamepadA"));
}

// As with DirectInput, a keyboard whose cooperative level could not be set (no active window)
// keeps the default, non-exclusive background level, and reads without the focus.
TEST_F(PluginOnPlatformTest, UnfocusedAtStartTheKeyboardStaysInTheBackground)
{
    PlatformVirtualSetFocus(false);
    CVantorInput* early = Make();
    ASSERT_TRUE(early->Initialize(&engine)) << "the devices exist even without a window";
    PlatformVirtualKey(static_cast<uint8_t>(PlatformDikFromName("ESCAPE")), true);
    early->Poll();
    EXPECT_THAT(engine.TakeCalls(), ElementsAre("PostAction quit"));
    early->AcquireMouse();
    early->UnacquireMouse();
}

}  // namespace
