// The stand-in's DirectInput object: makes the system keyboard and mouse devices.
#pragma once

#include "DirectInputUnimplemented.h"

class CDirectInputStandIn : public CDirectInputUnimplemented {
public:
    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID guid, LPDIRECTINPUTDEVICE8W* device, LPUNKNOWN outer) override;
    HRESULT STDMETHODCALLTYPE GetDeviceStatus(REFGUID instance) override;
    HRESULT STDMETHODCALLTYPE Initialize(HINSTANCE instance, DWORD version) override;
};
