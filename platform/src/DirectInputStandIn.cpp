// DirectInput 8 of the stand-in: the creation function, the object, and the GUIDs and keyboard
// data format that DirectInput's libraries export, with their real values.
#include "DirectInputStandIn.h"

#include <new>

#include "StandInDevice.h"

extern "C" {
const GUID IID_IDirectInput8W = {0xBF798031, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};
const GUID GUID_Key = {0x55728220, 0xD33C, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
}

namespace {

constexpr DWORD kDirectInput8 = 0x0800;

// One optional button object per DIK_ code, at the offset of its code.
struct KeyboardObjects {
    DIOBJECTDATAFORMAT entries[kKeyCount];

    KeyboardObjects() : entries{}
    {
        for (DWORD code = 0; code < kKeyCount; ++code) {
            entries[code] = {&GUID_Key, code, DIDFT_OPTIONAL | DIDFT_BUTTON | DIDFT_MAKEINSTANCE(code), 0};
        }
    }
};

KeyboardObjects keyboardObjects;

}  // namespace

extern "C" const DIDATAFORMAT c_dfDIKeyboard = {
    sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_RELAXIS, kKeyCount, kKeyCount, keyboardObjects.entries,
};

HRESULT CDirectInputStandIn::CreateDevice(REFGUID guid, LPDIRECTINPUTDEVICE8W* device, LPUNKNOWN outer)
{
    if (device == nullptr) {
        return E_POINTER;
    }
    *device = nullptr;
    if (outer != nullptr) {
        return DIERR_NOAGGREGATION;
    }
    CStandInDevice::Kind kind;
    if (IsEqualGUID(guid, GUID_SysKeyboard)) {
        kind = CStandInDevice::Kind::Keyboard;
    } else if (IsEqualGUID(guid, GUID_SysMouse)) {
        kind = CStandInDevice::Kind::Mouse;
    } else {
        return DIERR_DEVICENOTREG;
    }
    CStandInDevice* created = new (std::nothrow) CStandInDevice(kind);
    if (created == nullptr) {
        return DIERR_OUTOFMEMORY;
    }
    *device = created;
    return DI_OK;
}

HRESULT CDirectInputStandIn::GetDeviceStatus(REFGUID instance)
{
    if (IsEqualGUID(instance, GUID_SysKeyboard) || IsEqualGUID(instance, GUID_SysMouse)) {
        return DI_OK;
    }
    return DIERR_DEVICENOTREG;
}

HRESULT CDirectInputStandIn::Initialize(HINSTANCE instance, DWORD version)
{
    if (instance == nullptr) {
        return DIERR_INVALIDPARAM;
    }
    if (version < kDirectInput8) {
        return DIERR_OLDDIRECTINPUTVERSION;
    }
    if (version > kDirectInput8) {
        return DIERR_BETADIRECTINPUTVERSION;
    }
    return DI_OK;
}

extern "C" HRESULT WINAPI DirectInput8Create(HINSTANCE instance, DWORD version, REFIID iid, LPVOID* out, LPUNKNOWN outer)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (outer != nullptr) {
        return DIERR_NOAGGREGATION;
    }
    if (!IsEqualIID(iid, IID_IDirectInput8W)) {
        return DIERR_NOINTERFACE;
    }
    CDirectInputStandIn* created = new (std::nothrow) CDirectInputStandIn();
    if (created == nullptr) {
        return DIERR_OUTOFMEMORY;
    }
    const HRESULT result = created->Initialize(instance, version);
    if (result < 0) {
        created->Release();
        return result;
    }
    *out = static_cast<IDirectInput8W*>(created);
    return DI_OK;
}
