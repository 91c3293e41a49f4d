// A fake of the platform calls the input plug-in makes, linked in place of DirectInput, XInput
// and user32/kernel32: it records every call in order (with an engine's posts too, through
// FakeCallLog, so the two interleave), answers with results a test sets per call, and counts live
// DirectInput objects.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "InputPlatform.h"
#include "PostRecorder.h"

struct FakePlatform {
    // Calls in order: "DirectInput8Create", "CreateDevice keyboard", "Acquire mouse",
    // "GetDeviceState keyboard 256", "XInputGetState 0", "PushAction left 1", ...
    std::vector<std::string> calls;
    // Result of a call by its name in calls without arguments ("Acquire keyboard"); DI_OK else.
    std::map<std::string, HRESULT> results;
    bool quiet = false;                    // records nothing (for the allocation test)

    // What DirectInput8Create and SetCooperativeLevel were given.
    HINSTANCE createInstance = nullptr;
    DWORD createVersion = 0;
    bool createIidIsDirectInput8W = false;
    bool createOuterIsNull = false;
    HWND cooperativeWindow = nullptr;
    DWORD cooperativeFlags = 0;
    const DIDATAFORMAT* dataFormat = nullptr;
    bool padStateZeroedOnEntry = true;     // every XInputGetState got a zero-filled state

    HINSTANCE moduleHandle = reinterpret_cast<HINSTANCE>(0x4000);
    HWND activeWindow = reinterpret_cast<HWND>(0x1234);
    BYTE keys[256] = {};
    DWORD padUserIndex = 0;                // the slot the pad is plugged into
    bool padConnected = false;
    XINPUT_GAMEPAD pad = {};

    int liveObjects = 0;                   // DirectInput objects and devices not yet released

    void Record(const std::string& call);
    HRESULT ResultOf(const std::string& call) const;
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
};

// The one fake, as the platform is one; Reset() gives a fresh one.
FakePlatform& Fake();
void ResetFake();

// Where an engine's posts go to interleave with the platform calls: the fake's call log.
inline PostRecorder::CallLog FakeCallLog()
{
    return [](const std::string& call) { Fake().Record(call); };
}
