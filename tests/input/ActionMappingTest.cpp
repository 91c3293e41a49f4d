// The mapping from keyboard and gamepad state to posts: order, post kinds, values, dead zone.
#include "ActionMapping.h"

#include <cmath>
#include <initializer_list>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakePlatform.h"

namespace {

using Post = RecordedPost;

struct Keys {
    BYTE bytes[kKeyboardStateSize] = {};

    Keys(std::initializer_list<int> down)
    {
        for (int key : down) {
            bytes[key] = 0x80;
        }
    }
};

XINPUT_GAMEPAD Pad(SHORT thumbX, SHORT thumbY, WORD buttons = 0)
{
    XINPUT_GAMEPAD pad{};
    pad.sThumbLX = thumbX;
    pad.sThumbLY = thumbY;
    pad.wButtons = buttons;
    return pad;
}

class ActionMappingTest : public ::testing::Test {
protected:
    void SetUp() override { ResetFake(); }

    std::vector<Post> Map(const BYTE* keys, const XINPUT_GAMEPAD* pad)
    {
        PostRecorder engine;
        PostInputActions(engine, keys, pad);
        for (const Post& post : engine.posts) {
            EXPECT_TRUE(post.zeroPadded) << post.name;
        }
        return engine.posts;
    }
    std::vector<Post> MapKeys(std::initializer_list<int> down)
    {
        const Keys keys(down);
        return Map(keys.bytes, nullptr);
    }
    std::vector<Post> MapPad(XINPUT_GAMEPAD pad) { return Map(nullptr, &pad); }
};

MATCHER_P2(Pushed, name, value, "")
{
    return arg.pushed && arg.name == name && arg.value == value && !std::signbit(arg.value);
}

MATCHER_P(Posted, name, "")
{
    return !arg.pushed && arg.name == name;
}

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST_F(ActionMappingTest, NothingHeldOrNoDevicesPostNothing)
{
    EXPECT_THAT(Map(nullptr, nullptr), IsEmpty());
    EXPECT_THAT(MapKeys({}), IsEmpty());
    EXPECT_THAT(MapPad(Pad(0, 0)), IsEmpty());
}

TEST_F(ActionMappingTest, EveryKeyWithItsKindInTableOrder)
{
    EXPECT_THAT(MapKeys({DIK_SPACE, DIK_RIGHT, DIK_DOWN, DIK_LEFT, DIK_UP}),
                ElementsAre(Pushed("up", 1.0f), Pushed("left", 1.0f), Pushed("down", 1.0f),
                            Pushed("right", 1.0f), Pushed("shoot", 1.0f)));
    EXPECT_THAT(MapKeys({DIK_RETURN, DIK_P, DIK_ESCAPE, DIK_UP}),
                ElementsAre(Pushed("up", 1.0f), Posted("quit"), Posted("pause-toggle"), Posted("enter")));
}

TEST_F(ActionMappingTest, OnlyTheHighBitMeansDown)
{
    Keys keys({});
    keys.bytes[DIK_UP] = 0x7F;
    keys.bytes[DIK_LEFT] = 0x81;
    EXPECT_THAT(Map(keys.bytes, nullptr), ElementsAre(Pushed("left", 1.0f)));
}

TEST_F(ActionMappingTest, OtherKeysPostNothing)
{
    EXPECT_THAT(MapKeys({DIK_A, DIK_W, DIK_LCONTROL, DIK_NUMPADENTER, DIK_HOME, DIK_TAB}), IsEmpty());
}

TEST_F(ActionMappingTest, EnterWithEitherAltTogglesFullscreenInstead)
{
    EXPECT_THAT(MapKeys({DIK_RETURN}), ElementsAre(Posted("enter")));
    EXPECT_THAT(MapKeys({DIK_RETURN, DIK_LMENU}), ElementsAre(Posted("fullscreen-toggle")));
    EXPECT_THAT(MapKeys({DIK_RETURN, DIK_RMENU}), ElementsAre(Posted("fullscreen-toggle")));
    EXPECT_THAT(MapKeys({DIK_RETURN, DIK_LMENU, DIK_RMENU}), ElementsAre(Posted("fullscreen-toggle")));
    EXPECT_THAT(MapKeys({DIK_LMENU}), IsEmpty());
    EXPECT_THAT(MapKeys({DIK_RMENU}), IsEmpty());
}

TEST_F(ActionMappingTest, HeldInputPostsAgainEveryPoll)
{
    const Keys keys({DIK_RETURN, DIK_LMENU});
    PostRecorder engine;
    for (int poll = 0; poll < 3; ++poll) {
        PostInputActions(engine, keys.bytes, nullptr);
    }
    EXPECT_THAT(engine.posts, ElementsAre(Posted("fullscreen-toggle"), Posted("fullscreen-toggle"),
                                          Posted("fullscreen-toggle")));
}

TEST_F(ActionMappingTest, PAndStartPauseTwiceStartLast)
{
    const Keys keys({DIK_P, DIK_SPACE});
    const XINPUT_GAMEPAD pad = Pad(0, 0, XINPUT_GAMEPAD_START | XINPUT_GAMEPAD_A);
    EXPECT_THAT(Map(keys.bytes, &pad), ElementsAre(Pushed("shoot", 1.0f), Posted("pause-toggle"),
                                                   Posted("gamepadA"), Posted("pause-toggle")));
}

TEST_F(ActionMappingTest, LeftArrowAndStickLeftPostLeftTwiceKeyboardFirst)
{
    const Keys keys({DIK_LEFT});
    const XINPUT_GAMEPAD pad = Pad(-20000, 0);
    EXPECT_THAT(Map(keys.bytes, &pad), ElementsAre(Pushed("left", 1.0f), Pushed("left", 20000.0f),
                                                   Pushed("stickDown", 0.0f)));
}

TEST_F(ActionMappingTest, DeadZoneIsDecidedOnTheFloatMagnitude)
{
    EXPECT_THAT(MapPad(Pad(7849, 0)), IsEmpty());
    // 7849² + 4 rounds to a float whose root rounds back to exactly 7849.
    EXPECT_THAT(MapPad(Pad(7849, 2)), IsEmpty());
    EXPECT_THAT(MapPad(Pad(7849, 3)), ElementsAre(Pushed("right", 7849.0f), Pushed("stickUp", 3.0f)));
    EXPECT_THAT(MapPad(Pad(7850, 0)), ElementsAre(Pushed("right", 7850.0f), Pushed("stickDown", 0.0f)));
    EXPECT_THAT(MapPad(Pad(0, -7849)), IsEmpty());
    EXPECT_THAT(MapPad(Pad(-5550, -5551)), ElementsAre(Pushed("left", 5550.0f), Pushed("stickDown", 5551.0f)));
}

TEST_F(ActionMappingTest, StickMagnitudeRoundsTwiceToFloat)
{
    EXPECT_EQ(StickMagnitude(7849, 0), 7849.0f);
    EXPECT_EQ(StickMagnitude(7849, 2), 7849.0f);
    EXPECT_GT(StickMagnitude(7849, 3), 7849.0f);
    EXPECT_EQ(StickMagnitude(3, -4), 5.0f);
    EXPECT_EQ(StickMagnitude(-32768, -32768), std::sqrt(2147483648.0f));
}

TEST_F(ActionMappingTest, BothDirectionsPostWhateverTheAngle)
{
    EXPECT_THAT(MapPad(Pad(0, 20000)), ElementsAre(Pushed("left", 0.0f), Pushed("stickUp", 20000.0f)));
    EXPECT_THAT(MapPad(Pad(32767, 32767)), ElementsAre(Pushed("right", 32767.0f), Pushed("stickUp", 32767.0f)));
    EXPECT_THAT(MapPad(Pad(-32768, -32768)),
                ElementsAre(Pushed("left", 32768.0f), Pushed("stickDown", 32768.0f)));
}

TEST_F(ActionMappingTest, ButtonsAfterTheStickInTableOrder)
{
    EXPECT_THAT(MapPad(Pad(100, -200, XINPUT_GAMEPAD_A)), ElementsAre(Posted("gamepadA")));
    EXPECT_THAT(MapPad(Pad(-9000, 0, XINPUT_GAMEPAD_START | XINPUT_GAMEPAD_B | XINPUT_GAMEPAD_A)),
                ElementsAre(Pushed("left", 9000.0f), Pushed("stickDown", 0.0f), Posted("gamepadA"),
                            Posted("gamepadB"), Posted("pause-toggle")));
}

TEST_F(ActionMappingTest, OtherPadInputsPostNothing)
{
    XINPUT_GAMEPAD pad = Pad(0, 0, XINPUT_GAMEPAD_X | XINPUT_GAMEPAD_Y | XINPUT_GAMEPAD_BACK |
                                       XINPUT_GAMEPAD_DPAD_UP | XINPUT_GAMEPAD_DPAD_LEFT |
                                       XINPUT_GAMEPAD_LEFT_SHOULDER | XINPUT_GAMEPAD_RIGHT_THUMB);
    pad.bLeftTrigger = 255;
    pad.bRightTrigger = 255;
    pad.sThumbRX = -32768;
    pad.sThumbRY = 32767;
    EXPECT_THAT(MapPad(pad), IsEmpty());
}

}  // namespace
