// The input object: owns the DirectInput object and the keyboard and mouse devices, and once a
// frame turns the keyboard and the first gamepad into actions on the host's queue.
#pragma once

#include "InputPlatform.h"
#include "VantorInput.h"

class CVantorInputDI final : public CVantorInput {
public:
    bool Initialize(CVantorEngine* hostEngine) override;
    void AcquireMouse() override;
    void UnacquireMouse() override;
    void Poll() override;

    // What the object holds, for tests: the host sees only CVantorInput.
    IDirectInput8W* DirectInput() const { return directInput; }
    IDirectInputDevice8W* Keyboard() const { return keyboard; }
    IDirectInputDevice8W* Mouse() const { return mouse; }
    bool MouseAcquired() const { return mouseAcquired; }
    CVantorEngine* Engine() const { return engine; }

private:
    // Gives back every DirectInput object held; only the failure paths of Initialize call it.
    void ReleaseDevices();

    IDirectInput8W* directInput = nullptr;    // one reference held
    IDirectInputDevice8W* keyboard = nullptr; // one reference held
    IDirectInputDevice8W* mouse = nullptr;    // one reference held; never configured nor read
    bool mouseAcquired = false;               // the last request, not its outcome
    CVantorEngine* engine = nullptr;          // the host's; not owned
};
