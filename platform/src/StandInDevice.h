// A DirectInput device of the stand-in: the system keyboard or the system mouse, with
// DirectInput's rules for data formats, cooperative levels and acquisition. A foreground device
// can be acquired only while its window is the active one, and loses acquisition with the
// window's focus: its reads then fail with DIERR_INPUTLOST until an Acquire succeeds again.
#pragma once

#include <vector>

#include "DirectInputUnimplemented.h"
#include "PlatformState.h"

class CStandInDevice : public CDirectInputDeviceUnimplemented {
public:
    enum class Kind { Keyboard, Mouse };

    explicit CStandInDevice(Kind deviceKind);

    HRESULT STDMETHODCALLTYPE Acquire() override;
    HRESULT STDMETHODCALLTYPE Unacquire() override;
    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD size, LPVOID data) override;
    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT format) override;
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Poll() override;

private:
    // Drops acquisition when a foreground device's window has lost focus since Acquire.
    void CheckFocus();
    void FillKeyboard(BYTE* data) const;
    // Whether the format lays the keys out as the stand-in keeps them: byte n is key n.
    bool IsKeyboardLayout() const;

    Kind kind;
    bool hasFormat = false;
    bool keyboardLayout = false;                // the format is the keys' own layout
    DWORD dataSize = 0;
    std::vector<DIOBJECTDATAFORMAT> objects;   // copied from the data format
    HWND window = nullptr;
    bool foreground = false;                    // DirectInput's default is background
    bool acquired = false;
    bool inputLost = false;
    uint64_t acquiredEpoch = 0;
};
