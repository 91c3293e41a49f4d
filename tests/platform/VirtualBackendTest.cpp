// The stand-in's DirectInput, XInput and Win32 calls over the virtual back end: the rules of
// creation, cooperative levels and acquisition, focus loss, the virtual devices and the names.
#include <dinput.h>
#include <xinput.h>

#include <gtest/gtest.h>

#include "VantorPlatform.h"

namespace {

static_assert(sizeof(GUID) == 16 && sizeof(HRESULT) == 4 && sizeof(DWORD) == 4 && sizeof(WCHAR) == 2);
static_assert(sizeof(XINPUT_GAMEPAD) == 12 && sizeof(XINPUT_STATE) == 16);
static_assert(sizeof(DIOBJECTDATAFORMAT) == 24 && sizeof(DIDATAFORMAT) == 32);
static_assert(static_cast<uint32_t>(DIERR_INPUTLOST) == 0x8007001Eu);
static_assert(static_cast<uint32_t>(DIERR_NOTACQUIRED) == 0x8007000Cu);
static_assert(static_cast<uint32_t>(DIERR_OTHERAPPHASPRIO) == 0x80070005u);

constexpr DWORD kForegroundExclusive = DISCL_EXCLUSIVE | DISCL_FOREGROUND;

class VirtualBackendTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PlatformSetBackend(PlatformBackend::Virtual);
        PlatformVirtualReset();
        ASSERT_EQ(DirectInput8Create(GetModuleHandleW(nullptr), 0x0800, IID_IDirectInput8W,
                                     reinterpret_cast<LPVOID*>(&directInput), nullptr), DI_OK);
        ASSERT_EQ(directInput->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
    }
    void TearDown() override
    {
        if (keyboard != nullptr) {
            keyboard->Release();
        }
        directInput->Release();
        PlatformVirtualReset();
    }
    // A keyboard set up as the input plug-in sets it up.
    HRESULT SetUpKeyboard()
    {
        EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
        EXPECT_EQ(keyboard->SetCooperativeLevel(GetActiveWindow(), kForegroundExclusive), DI_OK);
        return keyboard->Acquire();
    }
    HRESULT Read()
    {
        return keyboard->GetDeviceState(sizeof keys, keys);
    }

    IDirectInput8W* directInput = nullptr;
    IDirectInputDevice8W* keyboard = nullptr;
    BYTE keys[256] = {};
};

TEST_F(VirtualBackendTest, CreationChecksItsArguments)
{
    LPVOID out = reinterpret_cast<LPVOID>(1);
    const HINSTANCE module = GetModuleHandleW(nullptr);
    EXPECT_NE(module, nullptr);
    EXPECT_EQ(DirectInput8Create(module, 0x0700, IID_IDirectInput8W, &out, nullptr), DIERR_OLDDIRECTINPUTVERSION);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(DirectInput8Create(module, 0x0900, IID_IDirectInput8W, &out, nullptr), DIERR_BETADIRECTINPUTVERSION);
    EXPECT_EQ(DirectInput8Create(module, 0x0800, GUID_SysKeyboard, &out, nullptr), DIERR_NOINTERFACE);
    EXPECT_EQ(DirectInput8Create(nullptr, 0x0800, IID_IDirectInput8W, &out, nullptr), DIERR_INVALIDPARAM);
    EXPECT_EQ(DirectInput8Create(module, 0x0800, IID_IDirectInput8W, &out, directInput), DIERR_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);

    IDirectInputDevice8W* device = keyboard;
    EXPECT_EQ(directInput->CreateDevice(GUID_Key, &device, nullptr), DIERR_DEVICENOTREG);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(directInput->CreateDevice(GUID_SysMouse, &device, directInput), DIERR_NOAGGREGATION);
    ASSERT_EQ(directInput->CreateDevice(GUID_SysMouse, &device, nullptr), DI_OK);
    EXPECT_NE(device, keyboard);
    EXPECT_EQ(device->Release(), 0u);
}

TEST_F(VirtualBackendTest, KeyboardFormatMatchesDirectInputs)
{
    EXPECT_EQ(c_dfDIKeyboard.dwSize, sizeof(DIDATAFORMAT));
    EXPECT_EQ(c_dfDIKeyboard.dwObjSize, sizeof(DIOBJECTDATAFORMAT));
    EXPECT_EQ(c_dfDIKeyboard.dwDataSize, 256u);
    ASSERT_EQ(c_dfDIKeyboard.dwNumObjs, 256u);
    EXPECT_EQ(c_dfDIKeyboard.rgodf[DIK_LEFT].dwOfs, static_cast<DWORD>(DIK_LEFT));
    EXPECT_EQ(c_dfDIKeyboard.rgodf[DIK_LEFT].pguid, &GUID_Key);
}

TEST_F(VirtualBackendTest, KeyboardReadsNeedFormatAndAcquisition)
{
    EXPECT_EQ(Read(), DIERR_NOTACQUIRED);
    EXPECT_EQ(keyboard->Acquire(), DIERR_INVALIDPARAM) << "no data format yet";
    EXPECT_EQ(SetUpKeyboard(), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DI_NOEFFECT);
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DIERR_ACQUIRED);
    EXPECT_EQ(keyboard->GetDeviceState(128, keys), DIERR_INVALIDPARAM);

    PlatformVirtualKey(DIK_LEFT, true);
    keys[DIK_UP] = 0x80;
    ASSERT_EQ(Read(), DI_OK);
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(keys[code], code == DIK_LEFT ? 0x80 : 0) << code;
    }
    EXPECT_EQ(keyboard->Unacquire(), DI_OK);
    EXPECT_EQ(keyboard->Unacquire(), DI_NOEFFECT);
    EXPECT_EQ(Read(), DIERR_NOTACQUIRED);
}

TEST_F(VirtualBackendTest, AKeyTappedBetweenTwoReadsReadsAsDownOnce)
{
    ASSERT_EQ(SetUpKeyboard(), DI_OK);
    PlatformVirtualKey(DIK_SPACE, true);
    PlatformVirtualKey(DIK_SPACE, false);
    PlatformVirtualKey(DIK_LEFT, true);
    ASSERT_EQ(Read(), DI_OK);
    EXPECT_EQ(keys[DIK_SPACE], 0x80) << "the tap is seen";
    EXPECT_EQ(keys[DIK_LEFT], 0x80);
    ASSERT_EQ(Read(), DI_OK);
    EXPECT_EQ(keys[DIK_SPACE], 0) << "and only once";
    EXPECT_EQ(keys[DIK_LEFT], 0x80) << "a held key stays down";
    // Released and pressed again between reads: still simply down.
    PlatformVirtualKey(DIK_LEFT, false);
    PlatformVirtualKey(DIK_LEFT, true);
    ASSERT_EQ(Read(), DI_OK);
    EXPECT_EQ(keys[DIK_LEFT], 0x80);
    PlatformVirtualKey(DIK_LEFT, false);
    ASSERT_EQ(Read(), DI_OK);
    EXPECT_EQ(keys[DIK_LEFT], 0) << "a release after a read is seen at the next";

    // A tap before a focus loss or a reset is not carried over.
    PlatformVirtualKey(DIK_UP, true);
    PlatformVirtualKey(DIK_UP, false);
    PlatformVirtualSetFocus(false);
    PlatformVirtualSetFocus(true);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    ASSERT_EQ(Read(), DI_OK);
    EXPECT_EQ(keys[DIK_UP], 0);
    PlatformVirtualKey(DIK_UP, true);
    PlatformVirtualKey(DIK_UP, false);
    PlatformVirtualReset();
    ASSERT_EQ(Read(), DI_OK);
    EXPECT_EQ(keys[DIK_UP], 0);
}

// Alt held since an earlier read, then Enter tapped and Alt released before the next: read as
// Alt+Enter, never as Enter alone. Alt tapped before Enter went down modified nothing.
TEST_F(VirtualBackendTest, AModifierHeldForATappedKeyIsReadWithIt)
{
    ASSERT_EQ(SetUpKeyboard(), DI_OK);
    PlatformVirtualKey(DIK_RMENU, true);
    ASSERT_EQ(Read(), DI_OK);
    PlatformVirtualKey(DIK_RETURN, true);
    PlatformVirtualKey(DIK_RETURN, false);
    PlatformVirtualKey(DIK_RMENU, false);
    ASSERT_EQ(Read(), DI_OK);
    EXPECT_EQ(keys[DIK_RETURN], 0x80);
    EXPECT_EQ(keys[DIK_RMENU], 0x80);
    EXPECT_EQ(keys[DIK_LMENU], 0);

    ASSERT_EQ(Read(), DI_OK);
    PlatformVirtualKey(DIK_LSHIFT, true);
    PlatformVirtualKey(DIK_LSHIFT, false);
    PlatformVirtualKey(DIK_RETURN, true);
    PlatformVirtualKey(DIK_RETURN, false);
    ASSERT_EQ(Read(), DI_OK);
    EXPECT_EQ(keys[DIK_RETURN], 0x80);
    EXPECT_EQ(keys[DIK_LSHIFT], 0x80) << "the tap of Shift itself is seen";
    EXPECT_EQ(keys[DIK_RMENU], 0);
}

TEST_F(VirtualBackendTest, CooperativeLevelRules)
{
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, kForegroundExclusive), E_HANDLE);
    EXPECT_EQ(keyboard->SetCooperativeLevel(GetActiveWindow(), DISCL_EXCLUSIVE), DIERR_INVALIDPARAM);
    EXPECT_EQ(keyboard->SetCooperativeLevel(GetActiveWindow(), DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND),
              DIERR_INVALIDPARAM);
    // A background keyboard is acquirable without focus and keeps reading through focus changes.
    EXPECT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    EXPECT_EQ(keyboard->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), DI_OK);
    PlatformVirtualSetFocus(false);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    PlatformVirtualSetFocus(true);
    EXPECT_EQ(Read(), DI_OK);
    EXPECT_EQ(keyboard->SetCooperativeLevel(GetActiveWindow(), kForegroundExclusive), DIERR_ACQUIRED);
}

TEST_F(VirtualBackendTest, FocusLossLosesTheKeyboardUntilReacquired)
{
    const HWND window = GetActiveWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(SetUpKeyboard(), DI_OK);
    PlatformVirtualSetFocus(false);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(Read(), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(Read(), DIERR_INPUTLOST);
    PlatformVirtualSetFocus(true);
    EXPECT_EQ(GetActiveWindow(), window);
    EXPECT_EQ(Read(), DIERR_INPUTLOST) << "still lost until an Acquire succeeds";
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(Read(), DI_OK);

    // Lost and regained between two reads is still a loss.
    PlatformVirtualSetFocus(false);
    PlatformVirtualSetFocus(true);
    EXPECT_EQ(Read(), DIERR_INPUTLOST);
}

TEST_F(VirtualBackendTest, MouseWithoutFormatCannotBeAcquired)
{
    IDirectInputDevice8W* mouse = nullptr;
    ASSERT_EQ(directInput->CreateDevice(GUID_SysMouse, &mouse, nullptr), DI_OK);
    EXPECT_EQ(mouse->Acquire(), DIERR_INVALIDPARAM);
    EXPECT_EQ(mouse->Unacquire(), DI_NOEFFECT);
    mouse->Release();
}

TEST_F(VirtualBackendTest, VirtualPad)
{
    XINPUT_STATE state{};
    EXPECT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
    EXPECT_EQ(XInputGetState(0, nullptr), static_cast<DWORD>(ERROR_BAD_ARGUMENTS));
    EXPECT_EQ(XInputGetState(4, &state), static_cast<DWORD>(ERROR_BAD_ARGUMENTS));

    PlatformVirtualPadConnected(true);
    PlatformVirtualPadButton(XINPUT_GAMEPAD_A, true);
    PlatformVirtualPadButton(XINPUT_GAMEPAD_START, true);
    PlatformVirtualPadButton(XINPUT_GAMEPAD_A, false);
    PlatformVirtualPadStick(-32768, 32767);
    ASSERT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(state.Gamepad.wButtons, XINPUT_GAMEPAD_START);
    EXPECT_EQ(state.Gamepad.sThumbLX, -32768);
    EXPECT_EQ(state.Gamepad.sThumbLY, 32767);
    EXPECT_EQ(XInputGetState(1, &state), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));

    // The packet number moves with the state and only with it.
    XINPUT_STATE again{};
    XInputGetState(0, &again);
    EXPECT_EQ(again.dwPacketNumber, state.dwPacketNumber);
    PlatformVirtualPadButton(XINPUT_GAMEPAD_START, true);
    XInputGetState(0, &again);
    EXPECT_EQ(again.dwPacketNumber, state.dwPacketNumber);
    PlatformVirtualPadStick(0, 0);
    XInputGetState(0, &again);
    EXPECT_NE(again.dwPacketNumber, state.dwPacketNumber);

    // Unplugged and plugged in again, the pad starts released.
    PlatformVirtualPadConnected(false);
    EXPECT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
    PlatformVirtualPadConnected(true);
    ASSERT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(state.Gamepad.wButtons, 0);
}

TEST_F(VirtualBackendTest, ResetReleasesEverything)
{
    ASSERT_EQ(SetUpKeyboard(), DI_OK);
    PlatformVirtualKey(DIK_SPACE, true);
    PlatformVirtualPadConnected(true);
    PlatformVirtualReset();
    ASSERT_EQ(Read(), DI_OK);
    EXPECT_EQ(keys[DIK_SPACE], 0);
    XINPUT_STATE state{};
    EXPECT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
}

TEST(PlatformNamesTest, KeyAndButtonNamesAsScriptsWriteThem)
{
    EXPECT_EQ(PlatformDikFromName("LEFT"), DIK_LEFT);
    EXPECT_EQ(PlatformDikFromName("RETURN"), DIK_RETURN);
    EXPECT_EQ(PlatformDikFromName("return"), DIK_RETURN);
    EXPECT_EQ(PlatformDikFromName("LMENU"), DIK_LMENU);
    EXPECT_EQ(PlatformDikFromName("RMENU"), DIK_RMENU);
    EXPECT_EQ(PlatformDikFromName("LALT"), DIK_LMENU);
    EXPECT_EQ(PlatformDikFromName("P"), DIK_P);
    EXPECT_EQ(PlatformDikFromName("0"), DIK_0);
    EXPECT_EQ(PlatformDikFromName("ESCAPE"), DIK_ESCAPE);
    EXPECT_EQ(PlatformDikFromName("DIK_LEFT"), -1);
    EXPECT_EQ(PlatformDikFromName(""), -1);
    EXPECT_EQ(PlatformDikFromName(nullptr), -1);

    EXPECT_EQ(PlatformPadButtonFromName("A"), XINPUT_GAMEPAD_A);
    EXPECT_EQ(PlatformPadButtonFromName("START"), XINPUT_GAMEPAD_START);
    EXPECT_EQ(PlatformPadButtonFromName("DPAD_UP"), XINPUT_GAMEPAD_DPAD_UP);
    EXPECT_EQ(PlatformPadButtonFromName("RIGHT_SHOULDER"), XINPUT_GAMEPAD_RIGHT_SHOULDER);
    EXPECT_EQ(PlatformPadButtonFromName("GUIDE"), -1);
    EXPECT_EQ(PlatformPadButtonFromName(nullptr), -1);
}

}  // namespace
