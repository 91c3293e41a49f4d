// A fake of the platform calls the input plug-in makes, linked in place of DirectInput, XInput
// and user32/kernel32: it records every call in order (with the engine's posts, so the two
// interleave), answers with results a test sets per call, and counts live DirectInput objects.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "InputPlatform.h"
#include "VantorEngine.h"

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

// An engine that records the plug-in's posts into the fake's call log and into posts.
class RecordingEngine : public CVantorEngine {
public:
    struct Post {
        bool pushed;          // PushAction; false for PostAction
        std::string name;
        float value;          // 1.0 for PostAction
        bool zeroPadded;      // every byte of the record after the name's terminator is zero
    };

    CVantorGraphics* GetGraphics() override { return nullptr; }
    CVantorSound* GetSound() override { return nullptr; }
    float GetFrameTime() override { return 0.0f; }
    CVantorEntity* CreateEntity(const char*) override { return nullptr; }
    void DestroyEntity(CVantorEntity*) override {}
    void PostAction(const char* name) override;
    void PushAction(ActionRecord action) override;
    std::list<ActionRecord>& GetActions() override { return queue; }

    std::vector<Post> posts;

private:
    std::list<ActionRecord> queue;
};
