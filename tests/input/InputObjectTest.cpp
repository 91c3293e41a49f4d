// The input object against a fake platform: creation, every path of Initialize, the mouse
// operations, and Poll's reads, re-acquire and post order.
#include "VantorInputDI.h"

#include <algorithm>

#include <gtest/gtest.h>
#include <gmock/gmock.h>

#include "FakePlatform.h"

extern "C" CVantorInput* CreateVantorInputObject();

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class InputObjectTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFake(); }
    void TearDown() override { ResetFake(); }

    // A ready object whose set-up calls are cleared from the log.
    void InitializeReady()
    {
        ASSERT_TRUE(input.Initialize(&engine));
        Fake().calls.clear();
    }

    PostRecorder engine{FakeCallLog()};
    CVantorInputDI input;
};

TEST_F(InputObjectTest, FactoryMakesIndependentObjectsAndTouchesNoPlatform)
{
    CVantorInput* first = CreateVantorInputObject();
    CVantorInput* second = CreateVantorInputObject();
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    for (CVantorInput* made : {first, second}) {
        const auto* object = static_cast<CVantorInputDI*>(made);
        EXPECT_EQ(object->DirectInput(), nullptr);
        EXPECT_EQ(object->Keyboard(), nullptr);
        EXPECT_EQ(object->Mouse(), nullptr);
        EXPECT_FALSE(object->MouseAcquired());
        EXPECT_EQ(object->Engine(), nullptr);
    }
    EXPECT_THAT(Fake().calls, IsEmpty());
    delete static_cast<CVantorInputDI*>(first);
    delete static_cast<CVantorInputDI*>(second);
}

TEST_F(InputObjectTest, InitializeMakesEveryCallInOrder)
{
    EXPECT_TRUE(input.Initialize(&engine));
    EXPECT_THAT(Fake().calls,
                ElementsAre("GetModuleHandleW null", "DirectInput8Create", "CreateDevice keyboard",
                            "CreateDevice mouse", "SetDataFormat keyboard", "GetActiveWindow",
                            "SetCooperativeLevel keyboard", "Acquire keyboard"));
    EXPECT_EQ(Fake().createInstance, Fake().moduleHandle);
    EXPECT_EQ(Fake().createVersion, 0x0800u);
    EXPECT_TRUE(Fake().createIidIsDirectInput8W);
    EXPECT_TRUE(Fake().createOuterIsNull);
    EXPECT_EQ(Fake().dataFormat, &c_dfDIKeyboard);
    EXPECT_EQ(Fake().cooperativeWindow, Fake().activeWindow);
    EXPECT_EQ(Fake().cooperativeFlags, 5u);
    EXPECT_EQ(input.Engine(), &engine);
    EXPECT_NE(input.DirectInput(), nullptr);
    EXPECT_NE(input.Keyboard(), nullptr);
    EXPECT_NE(input.Mouse(), nullptr);
    EXPECT_NE(input.Keyboard(), input.Mouse());
    EXPECT_EQ(Fake().liveObjects, 3);
}

TEST_F(InputObjectTest, FailedCreationReturnsFalseReleasesWhatExistsAndKeepsTheEngine)
{
    struct Case {
        const char* failing;
        std::vector<std::string> releases;
    };
    const Case cases[] = {
        {"DirectInput8Create", {}},
        {"CreateDevice keyboard", {"Release directInput"}},
        {"CreateDevice mouse", {"Unacquire keyboard", "Release keyboard", "Release directInput"}},
    };
    for (const Case& failure : cases) {
        SCOPED_TRACE(failure.failing);
        ResetFake();
        Fake().results[failure.failing] = DIERR_OUTOFMEMORY;
        CVantorInputDI fresh;
        EXPECT_FALSE(fresh.Initialize(&engine));
        EXPECT_EQ(fresh.Engine(), &engine);
        EXPECT_EQ(fresh.DirectInput(), nullptr);
        EXPECT_EQ(fresh.Keyboard(), nullptr);
        EXPECT_EQ(fresh.Mouse(), nullptr);
        EXPECT_EQ(Fake().liveObjects, 0);
        // Nothing after the failing call but the release of what exists.
        const auto& calls = Fake().calls;
        const auto failed = std::find(calls.begin(), calls.end(), failure.failing);
        ASSERT_NE(failed, calls.end());
        EXPECT_EQ(std::vector<std::string>(failed + 1, calls.end()), failure.releases);
    }
}

TEST_F(InputObjectTest, KeyboardSetUpFailuresAreIgnored)
{
    for (const char* failing : {"SetDataFormat keyboard", "SetCooperativeLevel keyboard", "Acquire keyboard"}) {
        SCOPED_TRACE(failing);
        ResetFake();
        Fake().results[failing] = DIERR_INVALIDPARAM;
        CVantorInputDI fresh;
        EXPECT_TRUE(fresh.Initialize(&engine));
        EXPECT_EQ(Fake().calls.back(), "Acquire keyboard");
        EXPECT_EQ(Fake().liveObjects, 3);
    }
    ResetFake();
    Fake().results = {{"SetDataFormat keyboard", E_FAIL}, {"SetCooperativeLevel keyboard", E_HANDLE},
                      {"Acquire keyboard", DIERR_OTHERAPPHASPRIO}};
    Fake().activeWindow = nullptr;
    CVantorInputDI fresh;
    EXPECT_TRUE(fresh.Initialize(&engine));
    EXPECT_EQ(Fake().cooperativeWindow, nullptr);
    EXPECT_THAT(Fake().CallsStartingWith("Release"), IsEmpty());
}

TEST_F(InputObjectTest, MouseOperationsCallThePlatformAndRecordTheRequest)
{
    InitializeReady();
    Fake().results["Acquire mouse"] = DIERR_INVALIDPARAM;
    input.AcquireMouse();
    input.AcquireMouse();
    EXPECT_TRUE(input.MouseAcquired());
    input.UnacquireMouse();
    EXPECT_FALSE(input.MouseAcquired());
    EXPECT_THAT(Fake().calls, ElementsAre("Acquire mouse", "Acquire mouse", "Unacquire mouse"));

    CVantorInputDI neverAcquired;
    ASSERT_TRUE(neverAcquired.Initialize(&engine));
    Fake().calls.clear();
    neverAcquired.UnacquireMouse();
    EXPECT_FALSE(neverAcquired.MouseAcquired());
    EXPECT_THAT(Fake().calls, ElementsAre("Unacquire mouse"));
}

TEST_F(InputObjectTest, PollReadsKeyboardPostsThenReadsPadPosts)
{
    InitializeReady();
    Fake().keys[DIK_SPACE] = 0x80;
    Fake().keys[DIK_ESCAPE] = 0x80;
    Fake().padConnected = true;
    Fake().pad.sThumbLX = 20000;
    Fake().pad.wButtons = XINPUT_GAMEPAD_B;
    input.Poll();
    EXPECT_THAT(Fake().calls, ElementsAre("GetDeviceState keyboard 256", "PushAction shoot 1", "PostAction quit",
                                          "XInputGetState 0", "PushAction right 20000",
                                          "PushAction stickDown 0", "PostAction gamepadB"));
    EXPECT_TRUE(Fake().padStateZeroedOnEntry);
}

TEST_F(InputObjectTest, FailedKeyboardReadReacquiresOnceAndStillReadsThePad)
{
    InitializeReady();
    Fake().keys[DIK_UP] = 0x80;
    Fake().padConnected = true;
    Fake().pad.wButtons = XINPUT_GAMEPAD_A;
    Fake().results["GetDeviceState keyboard"] = DIERR_INPUTLOST;
    Fake().results["Acquire keyboard"] = DIERR_OTHERAPPHASPRIO;
    input.Poll();
    EXPECT_THAT(Fake().calls, ElementsAre("GetDeviceState keyboard 256", "Acquire keyboard", "XInputGetState 0",
                                          "PostAction gamepadA"));

    Fake().calls.clear();
    Fake().results["GetDeviceState keyboard"] = DIERR_NOTACQUIRED;
    input.Poll();
    EXPECT_EQ(Fake().CallsStartingWith("Acquire").size(), 1u);

    // Back with the first read that succeeds.
    Fake().calls.clear();
    Fake().results.clear();
    input.Poll();
    EXPECT_THAT(Fake().calls, ElementsAre("GetDeviceState keyboard 256", "PushAction up 1", "XInputGetState 0",
                                          "PostAction gamepadA"));
}

TEST_F(InputObjectTest, PollReadsOnlyTheFirstPad)
{
    InitializeReady();
    Fake().padConnected = true;
    Fake().padUserIndex = 1;
    Fake().pad.wButtons = XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_START;
    Fake().keys[DIK_P] = 0x80;
    input.Poll();
    EXPECT_THAT(Fake().calls, ElementsAre("GetDeviceState keyboard 256", "PostAction pause-toggle",
                                          "XInputGetState 0"));
}

TEST_F(InputObjectTest, ObjectWithoutDevicesIgnoresPollAndMouseCalls)
{
    CVantorInputDI unready;
    unready.Poll();
    Fake().results["CreateDevice mouse"] = E_FAIL;
    EXPECT_FALSE(unready.Initialize(&engine));
    Fake().calls.clear();
    unready.Poll();
    unready.AcquireMouse();
    EXPECT_TRUE(unready.MouseAcquired());
    unready.UnacquireMouse();
    EXPECT_THAT(Fake().calls, IsEmpty());
    EXPECT_THAT(engine.posts, IsEmpty());
}

}  // namespace
