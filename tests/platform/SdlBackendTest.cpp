// The stand-in's SDL back end under SDL's dummy video driver: devices over a real SDL window,
// the focus rules of a foreground keyboard, the scan code table, and a virtual SDL game
// controller read as an XInput pad.
#include <cstdlib>
#include <set>

#include <SDL.h>
#include <dinput.h>
#include <xinput.h>

#include <gtest/gtest.h>

#include "SdlBackend.h"
#include "VantorPlatform.h"

namespace {

constexpr DWORD kForegroundExclusive = DISCL_EXCLUSIVE | DISCL_FOREGROUND;

class SdlBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_Quit(); }

    void SetUp() override
    {
        window = SDL_CreateWindow("Vantor test", 0, 0, 64, 48, 0);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        PlatformSetBackend(PlatformBackend::Sdl);
        PlatformSetSdlWindow(window);
        ASSERT_EQ(DirectInput8Create(GetModuleHandleW(nullptr), 0x0800, IID_IDirectInput8W,
                                     reinterpret_cast<LPVOID*>(&directInput), nullptr), DI_OK);
        ASSERT_EQ(directInput->CreateDevice(GUID_SysKeyboard, &keyboard, nullptr), DI_OK);
        ASSERT_EQ(keyboard->SetDataFormat(&c_dfDIKeyboard), DI_OK);
    }
    void TearDown() override
    {
        keyboard->Release();
        directInput->Release();
        PlatformSetSdlWindow(nullptr);
        PlatformSetBackend(PlatformBackend::Virtual);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
    }

    // What the window system sends when the game window gains or loses input focus.
    void SendFocus(bool gained)
    {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
        event.window.windowID = SDL_GetWindowID(window);
        SDL_PushEvent(&event);
    }
    HRESULT Read()
    {
        BYTE keys[256];
        return keyboard->GetDeviceState(sizeof keys, keys);
    }

    SDL_Window* window = nullptr;
    IDirectInput8W* directInput = nullptr;
    IDirectInputDevice8W* keyboard = nullptr;
};

TEST_F(SdlBackendTest, WithoutFocusThereIsNoActiveWindowAndNoForegroundKeyboard)
{
    EXPECT_EQ(PlatformGetBackend(), PlatformBackend::Sdl);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(keyboard->SetCooperativeLevel(GetActiveWindow(), kForegroundExclusive), E_HANDLE);
    // Bound to the window by handle, it still waits for the focus.
    ASSERT_EQ(keyboard->SetCooperativeLevel(reinterpret_cast<HWND>(window), kForegroundExclusive), DI_OK);
    EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(Read(), DIERR_NOTACQUIRED);
}

TEST_F(SdlBackendTest, FocusedWindowIsActiveAndItsKeyboardReads)
{
    SendFocus(true);
    EXPECT_EQ(GetActiveWindow(), reinterpret_cast<HWND>(window));
    ASSERT_EQ(keyboard->SetCooperativeLevel(GetActiveWindow(), kForegroundExclusive), DI_OK);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    BYTE keys[256];
    std::fill(std::begin(keys), std::end(keys), BYTE{0x55});
    ASSERT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
    for (BYTE key : keys) {
        EXPECT_EQ(key, 0) << "no key is down under the dummy driver";
    }
}

TEST_F(SdlBackendTest, FocusLossMakesReadsFailUntilReacquired)
{
    SendFocus(true);
    ASSERT_EQ(keyboard->SetCooperativeLevel(GetActiveWindow(), kForegroundExclusive), DI_OK);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    SendFocus(false);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(Read(), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DIERR_OTHERAPPHASPRIO);
    EXPECT_EQ(Read(), DIERR_INPUTLOST);
    SendFocus(true);
    EXPECT_EQ(Read(), DIERR_INPUTLOST);
    EXPECT_EQ(keyboard->Acquire(), DI_OK);
    EXPECT_EQ(Read(), DI_OK);
    // A loss that is over by the next read still counts.
    SendFocus(false);
    SendFocus(true);
    EXPECT_EQ(Read(), DIERR_INPUTLOST);
}

TEST_F(SdlBackendTest, AKeyTappedWithinOneEventPumpReadsAsDownOnce)
{
    SendFocus(true);
    ASSERT_EQ(keyboard->SetCooperativeLevel(GetActiveWindow(), kForegroundExclusive), DI_OK);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    // Pushed events never reach SDL's keyboard state: exactly a press over before the read.
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = SDL_GetWindowID(window);
    event.key.keysym.scancode = SDL_SCANCODE_SPACE;
    SDL_PushEvent(&event);
    event.key.keysym.scancode = SDL_SCANCODE_LEFT;
    event.key.repeat = 1;   // a repeat is not a new press
    SDL_PushEvent(&event);
    event.key.repeat = 0;
    event.key.windowID = SDL_GetWindowID(window) + 100;   // another window's key
    SDL_PushEvent(&event);
    BYTE keys[256];
    ASSERT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
    EXPECT_EQ(keys[DIK_SPACE], 0x80);
    EXPECT_EQ(keys[DIK_LEFT], 0);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
    EXPECT_EQ(keys[DIK_SPACE], 0);

    // Enter pressed with Alt held, both released before the read: Alt is read with it.
    event.key.windowID = SDL_GetWindowID(window);
    event.key.keysym.scancode = SDL_SCANCODE_RETURN;
    event.key.keysym.mod = KMOD_LALT;
    SDL_PushEvent(&event);
    ASSERT_EQ(keyboard->GetDeviceState(sizeof keys, keys), DI_OK);
    EXPECT_EQ(keys[DIK_RETURN], 0x80);
    EXPECT_EQ(keys[DIK_LMENU], 0x80);
    EXPECT_EQ(keys[DIK_RMENU], 0);
}

TEST_F(SdlBackendTest, OtherWindowsFocusDoesNotCount)
{
    SDL_Window* other = SDL_CreateWindow("other", 0, 0, 8, 8, 0);
    ASSERT_NE(other, nullptr);
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    event.window.windowID = SDL_GetWindowID(other);
    SDL_PushEvent(&event);
    EXPECT_EQ(GetActiveWindow(), nullptr);
    SDL_DestroyWindow(other);
}

TEST_F(SdlBackendTest, DestroyedWindowIsNeverHandedOut)
{
    SendFocus(true);
    ASSERT_NE(GetActiveWindow(), nullptr);
    SDL_DestroyWindow(window);
    window = nullptr;
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

TEST_F(SdlBackendTest, LeavingTheBackEndLosesTheKeyboard)
{
    SendFocus(true);
    ASSERT_EQ(keyboard->SetCooperativeLevel(GetActiveWindow(), kForegroundExclusive), DI_OK);
    ASSERT_EQ(keyboard->Acquire(), DI_OK);
    PlatformSetBackend(PlatformBackend::Virtual);
    EXPECT_EQ(Read(), DIERR_INPUTLOST);
}

TEST_F(SdlBackendTest, ControllerSubsystemShutByTheHostMeansNoPad)
{
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    XINPUT_STATE state{};
    EXPECT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
    PlatformSetBackend(PlatformBackend::Virtual);
    PlatformSetBackend(PlatformBackend::Sdl);
    EXPECT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
}

TEST(SdlScancodeTest, KeysMapToTheirDirectInputCodes)
{
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_UP), DIK_UP);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_LEFT), DIK_LEFT);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_DOWN), DIK_DOWN);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_RIGHT), DIK_RIGHT);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_SPACE), DIK_SPACE);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_ESCAPE), DIK_ESCAPE);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_P), DIK_P);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_RETURN), DIK_RETURN);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_KP_ENTER), DIK_NUMPADENTER);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_LALT), DIK_LMENU);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_RALT), DIK_RMENU);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_A), DIK_A);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_F12), DIK_F12);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(SdlBackend::DikFromScancode(SDL_SCANCODE_F24), 0);

    // No two keys share a code, but for the two keys at the backslash position.
    std::set<BYTE> codes;
    int shared = 0;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const BYTE dik = SdlBackend::DikFromScancode(scancode);
        if (dik != 0 && !codes.insert(dik).second) {
            ++shared;
            EXPECT_EQ(dik, DIK_BACKSLASH) << scancode;
        }
    }
    EXPECT_EQ(shared, 1);
}

#if SDL_VERSION_ATLEAST(2, 24, 0)
TEST_F(SdlBackendTest, FirstGameControllerIsTheXInputPad)
{
    XINPUT_STATE state{};
    EXPECT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));

    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    if (SDL_IsGameController(index) != SDL_TRUE) {
        SDL_JoystickDetachVirtual(index);
        GTEST_SKIP() << "this SDL gives virtual joysticks no controller mapping";
    }
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    ASSERT_NE(joystick, nullptr);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, -20000);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, -32768);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, 1);
    SDL_JoystickUpdate();

    ASSERT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(state.Gamepad.wButtons, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_START);
    EXPECT_EQ(state.Gamepad.sThumbLX, -20000);
    EXPECT_EQ(state.Gamepad.sThumbLY, 32767) << "SDL's up is negative, XInput's positive";
    EXPECT_EQ(XInputGetState(1, &state), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));

    // Unplugged, the pad is gone with the next read.
    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(index);
    SDL_JoystickUpdate();
    EXPECT_EQ(XInputGetState(0, &state), static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED));
}
#endif

}  // namespace
