// VantorDirectInput.dll loaded as a host loads it, on a real window, reading the real DirectInput
// keyboard and XInput: keys pressed on the X display must come out of Poll as the right actions,
// in the right order, with the right values. Needs an X display (ctest --preset windows starts an
// Xvfb for it).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "KeyboardRobot.h"
#include "PluginUnderTest.h"
#include "PostRecorder.h"
#include "TestWindow.h"
#include "VantorInput.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Post = RecordedPost;
using CreateInputFunction = CVantorInput* (*)();

constexpr DWORD kPollIntervalMs = 5;
constexpr DWORD kKeyTimeoutMs = 5000;
constexpr int kHeldPolls = 3;

MATCHER_P2(Pushed, name, value, "")
{
    return arg.pushed && arg.name == name && arg.value == value && arg.zeroPadded;
}
MATCHER_P(Posted, name, "")
{
    return !arg.pushed && arg.name == name;
}

bool HasDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

class InputDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!HasDisplay()) {
            GTEST_SKIP() << "needs an X display: run it with ctest --preset windows, which starts an Xvfb";
        }
        ASSERT_TRUE(keys.ReleaseAll()) << "cannot start xdotool";
        ASSERT_TRUE(window.Exists()) << "cannot create a window";
        ASSERT_TRUE(window.Focus()) << "the window did not come to the front";
        std::string error;
        const auto create = OpenPluginExport<CreateInputFunction>(library, "VantorDirectInput",
                                                                  "CreateVantorInputObject", error);
        ASSERT_NE(create, nullptr) << error;
        input = create();
        ASSERT_NE(input, nullptr);
        ASSERT_TRUE(input->Initialize(&engine));
        SettleWithNoKeyDown();
    }

    void TearDown() override
    {
        if (HasDisplay()) {
            keys.ReleaseAll();
        }
    }

    // One poll as the host makes it, after the window's messages; what it posted.
    std::vector<Post> PollOnce()
    {
        TestWindow::Pump();
        engine.posts.clear();
        input->Poll();
        return engine.posts;
    }

    // Polls like frames until a poll's posts satisfy `done` (the keys pressed have arrived).
    std::vector<Post> PollUntil(const std::function<bool(const std::vector<Post>&)>& done)
    {
        std::vector<Post> posts;
        for (DWORD waited = 0; waited < kKeyTimeoutMs; waited += kPollIntervalMs) {
            Sleep(kPollIntervalMs);
            posts = PollOnce();
            if (done(posts)) {
                return posts;
            }
        }
        ADD_FAILURE() << "the expected actions never came";
        return posts;
    }

    std::vector<Post> PollUntilAny()
    {
        return PollUntil([](const std::vector<Post>& posts) { return !posts.empty(); });
    }

    std::vector<Post> PollUntilNone()
    {
        return PollUntil([](const std::vector<Post>& posts) { return posts.empty(); });
    }

    // Keys left down by an earlier program are released in SetUp; wait until none is seen.
    void SettleWithNoKeyDown()
    {
        PollUntilNone();
        Sleep(50);
        PollUntilNone();
    }

    KeyboardRobot keys;
    TestWindow window{L"Vantor input test"};
    CPluginLibrary library;
    PostRecorder engine;
    CVantorInput* input = nullptr;   // made by the plug-in, which never frees it
};

}  // namespace

TEST_F(InputDll, WithNoKeyDownAndNoControllerPollsPostNothing)
{
    for (int poll = 0; poll < 20; ++poll) {
        Sleep(kPollIntervalMs);
        EXPECT_THAT(PollOnce(), IsEmpty());
    }
}

TEST_F(InputDll, AHeldArrowPostsLeftOnEveryPollUntilReleased)
{
    ASSERT_TRUE(keys.Press("Left"));
    EXPECT_THAT(PollUntilAny(), ElementsAre(Pushed("left", 1.0f)));
    for (int poll = 0; poll < kHeldPolls; ++poll) {
        EXPECT_THAT(PollOnce(), ElementsAre(Pushed("left", 1.0f)));
    }
    ASSERT_TRUE(keys.Release("Left"));
    PollUntilNone();
    EXPECT_THAT(PollOnce(), IsEmpty());
}

TEST_F(InputDll, KeysHeldTogetherPostInTableOrder)
{
    // Pressed in another order than the table's: the order of the posts is the table's.
    ASSERT_TRUE(keys.Press("space Right Down Left Up"));
    const std::vector<Post> posts =
        PollUntil([](const std::vector<Post>& polled) { return polled.size() == 5; });
    EXPECT_THAT(posts, ElementsAre(Pushed("up", 1.0f), Pushed("left", 1.0f), Pushed("down", 1.0f),
                                   Pushed("right", 1.0f), Pushed("shoot", 1.0f)));
}

TEST_F(InputDll, EnterAlonePostsEnter)
{
    ASSERT_TRUE(keys.Press("Return"));
    EXPECT_THAT(PollUntilAny(), ElementsAre(Posted("enter")));
}

TEST_F(InputDll, EscapeQuitsAndPTogglesPause)
{
    ASSERT_TRUE(keys.Press("p Escape"));
    const std::vector<Post> posts =
        PollUntil([](const std::vector<Post>& polled) { return polled.size() == 2; });
    EXPECT_THAT(posts, ElementsAre(Posted("quit"), Posted("pause-toggle")));
}

class InputDllAlt : public InputDll, public ::testing::WithParamInterface<const char*> {};

TEST_P(InputDllAlt, AltWithEnterTogglesFullscreenOncePerPollAndNeverEnters)
{
    ASSERT_TRUE(keys.Press(std::string(GetParam()) + " Return"));
    std::vector<Post> all;
    const std::vector<Post> first = PollUntil([&all](const std::vector<Post>& polled) {
        all.insert(all.end(), polled.begin(), polled.end());
        return !polled.empty();
    });
    EXPECT_THAT(first, ElementsAre(Posted("fullscreen-toggle")));
    for (int poll = 0; poll < kHeldPolls; ++poll) {
        EXPECT_THAT(PollOnce(), ElementsAre(Posted("fullscreen-toggle")));
    }
    for (const Post& post : all) {
        EXPECT_NE(post.name, "enter");
    }
}

INSTANTIATE_TEST_SUITE_P(LeftAndRight, InputDllAlt, ::testing::Values("Alt_L", "Alt_R"));

TEST_F(InputDll, FocusLossFailsTheKeyboardReadAndTheNextPollReacquires)
{
    ASSERT_TRUE(keys.Press("Left"));
    EXPECT_THAT(PollUntilAny(), ElementsAre(Pushed("left", 1.0f)));

    // Another window in front: the exclusive foreground keyboard is lost, reads fail.
    TestWindow other(L"Another window");
    ASSERT_TRUE(other.Focus());
    for (int poll = 0; poll < kHeldPolls; ++poll) {
        Sleep(kPollIntervalMs);
        EXPECT_THAT(PollOnce(), IsEmpty()) << "Left is still held, but the keyboard is not ours";
    }
    ASSERT_TRUE(keys.Release("Left"));

    // Back in front: the first read still fails and makes the poll acquire the keyboard again;
    // nothing else acquires it, so keys seen afterwards prove that it did.
    ASSERT_TRUE(window.Focus());
    EXPECT_THAT(PollOnce(), IsEmpty());
    ASSERT_TRUE(keys.Press("space"));
    EXPECT_THAT(PollUntilAny(), ElementsAre(Pushed("shoot", 1.0f)));
}

TEST_F(InputDll, TheMouseOperationsLeaveTheKeyboardWorking)
{
    input->AcquireMouse();
    input->AcquireMouse();
    input->UnacquireMouse();
    ASSERT_TRUE(keys.Press("Up"));
    EXPECT_THAT(PollUntilAny(), ElementsAre(Pushed("up", 1.0f)));
}

// Run by its own CTest entry, with Wine's XInput libraries switched off: the plug-in still loads
// and reads the keyboard, and treats the missing library as no gamepad.
class InputDllWithoutXInput : public InputDll {
protected:
    void SetUp() override
    {
        const char* flag = std::getenv("VANTOR_NO_XINPUT");
        if (flag == nullptr || std::string(flag) != "1") {
            GTEST_SKIP() << "runs with the XInput libraries switched off (VANTOR_NO_XINPUT=1)";
        }
        InputDll::SetUp();
    }
};

TEST_F(InputDllWithoutXInput, TheKeyboardStillWorksAndNoPadIsRead)
{
    for (const wchar_t* xinput : {L"XINPUT1_3.dll", L"xinput1_4.dll", L"xinput9_1_0.dll"}) {
        EXPECT_EQ(LoadLibraryW(xinput), nullptr) << "the XInput libraries were meant to be off";
    }
    EXPECT_THAT(PollOnce(), IsEmpty());
    ASSERT_TRUE(keys.Press("Left"));
    EXPECT_THAT(PollUntilAny(), ElementsAre(Pushed("left", 1.0f)));
}
