// Keys, buttons and stick directions to named actions. Movement and firing carry a strength and
// go through PushAction; commands go through PostAction by name.
#include "ActionMapping.h"

#include <cmath>
#include <cstring>

namespace {

constexpr BYTE kKeyDownBit = 0x80;
constexpr float kKeyValue = 1.0f;
constexpr float kStickDeadZone = static_cast<float>(XINPUT_GAMEPAD_LEFT_THUMB_DEADZONE);

enum class PostKind { Push, Post };

// A pushed action's record with its name in place and every byte after the name zero, made
// by the compiler: a record is 260 bytes, and filling one for each push was most of a poll.
constexpr ActionRecord Named(const char* name)
{
    ActionRecord record{};
    for (std::size_t i = 0; name[i] != '\0' && i < sizeof record.name - 1; ++i) {
        record.name[i] = name[i];
    }
    return record;
}

struct KeyAction {
    BYTE key;
    const char* name;
    PostKind kind;
    ActionRecord record;   // for a push
};

// Table order is post order. Return is handled after these, as it depends on the Alt keys.
constexpr KeyAction kKeyActions[] = {
    {DIK_UP, "up", PostKind::Push, Named("up")},
    {DIK_LEFT, "left", PostKind::Push, Named("left")},
    {DIK_DOWN, "down", PostKind::Push, Named("down")},
    {DIK_RIGHT, "right", PostKind::Push, Named("right")},
    {DIK_SPACE, "shoot", PostKind::Push, Named("shoot")},
    {DIK_ESCAPE, "quit", PostKind::Post, {}},
    {DIK_P, "pause-toggle", PostKind::Post, {}},
};

struct ButtonAction {
    WORD mask;
    const char* name;
};

constexpr ButtonAction kButtonActions[] = {
    {XINPUT_GAMEPAD_A, "gamepadA"},
    {XINPUT_GAMEPAD_B, "gamepadB"},
    {XINPUT_GAMEPAD_START, "pause-toggle"},
};

constexpr ActionRecord kRightRecord = Named("right");
constexpr ActionRecord kLeftRecord = Named("left");
constexpr ActionRecord kStickUpRecord = Named("stickUp");
constexpr ActionRecord kStickDownRecord = Named("stickDown");

bool IsDown(const BYTE* keys, BYTE key)
{
    return (keys[key] & kKeyDownBit) != 0;
}

ActionRecord WithValue(const ActionRecord& named, float value)
{
    ActionRecord record = named;
    record.value = value;
    return record;
}

// The record is made right where the call's argument goes, not copied there once more.
void Push(CVantorEngine& engine, const ActionRecord& named, float value)
{
    engine.PushAction(WithValue(named, value));
}

}  // namespace

float StickMagnitude(SHORT thumbX, SHORT thumbY)
{
    // Both squares and their sum (at most 2^31) are exact in double.
    const double x = thumbX;
    const double y = thumbY;
    const auto sumOfSquares = static_cast<float>(x * x + y * y);
    return std::sqrt(sumOfSquares);
}

void PostKeyboardActions(CVantorEngine& engine, const BYTE* keys)
{
    for (const KeyAction& action : kKeyActions) {
        if (!IsDown(keys, action.key)) {
            continue;
        }
        if (action.kind == PostKind::Push) {
            Push(engine, action.record, kKeyValue);
        } else {
            engine.PostAction(action.name);
        }
    }
    if (IsDown(keys, DIK_RETURN)) {
        const bool alt = IsDown(keys, DIK_LMENU) || IsDown(keys, DIK_RMENU);
        engine.PostAction(alt ? "fullscreen-toggle" : "enter");
    }
}

void PostGamepadActions(CVantorEngine& engine, const XINPUT_GAMEPAD& pad)
{
    const SHORT thumbX = pad.sThumbLX;
    const SHORT thumbY = pad.sThumbLY;
    if (StickMagnitude(thumbX, thumbY) > kStickDeadZone) {
        // Negated as int: -32768 becomes 32768, and 0 stays +0 rather than -0.
        if (thumbX > 0) {
            Push(engine, kRightRecord, static_cast<float>(thumbX));
        } else {
            Push(engine, kLeftRecord, static_cast<float>(-static_cast<int>(thumbX)));
        }
        if (thumbY > 0) {
            Push(engine, kStickUpRecord, static_cast<float>(thumbY));
        } else {
            Push(engine, kStickDownRecord, static_cast<float>(-static_cast<int>(thumbY)));
        }
    }
    for (const ButtonAction& action : kButtonActions) {
        if ((pad.wButtons & action.mask) != 0) {
            engine.PostAction(action.name);
        }
    }
}

void PostInputActions(CVantorEngine& engine, const BYTE* keys, const XINPUT_GAMEPAD* pad)
{
    if (keys != nullptr) {
        PostKeyboardActions(engine, keys);
    }
    if (pad != nullptr) {
        PostGamepadActions(engine, *pad);
    }
}
