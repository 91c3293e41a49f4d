// The stand-in's keyboard and mouse devices.
#include "StandInDevice.h"

#include <cstring>

namespace {

constexpr DWORD kInstanceShift = 8;
constexpr DWORD kInstanceMask = 0xFFFF;
constexpr DWORD kDataAlignment = 4;

bool ExactlyOne(DWORD flags, DWORD first, DWORD second)
{
    return ((flags & first) != 0) != ((flags & second) != 0);
}

}  // namespace

CStandInDevice::CStandInDevice(Kind deviceKind) : kind(deviceKind) {}

HRESULT CStandInDevice::Acquire()
{
    if (!hasFormat) {
        return DIERR_INVALIDPARAM;
    }
    CheckFocus();
    if (acquired) {
        return DI_NOEFFECT;
    }
    if (foreground && (window == nullptr || StandIn::ActiveWindow() != window)) {
        return DIERR_OTHERAPPHASPRIO;
    }
    acquired = true;
    inputLost = false;
    acquiredEpoch = StandIn::FocusEpoch();
    return DI_OK;
}

HRESULT CStandInDevice::Unacquire()
{
    if (!acquired) {
        return DI_NOEFFECT;
    }
    acquired = false;
    return DI_OK;
}

HRESULT CStandInDevice::GetDeviceState(DWORD size, LPVOID data)
{
    if (data == nullptr) {
        return DIERR_INVALIDPARAM;
    }
    CheckFocus();
    if (inputLost) {
        return DIERR_INPUTLOST;
    }
    if (!acquired) {
        return DIERR_NOTACQUIRED;
    }
    if (size != dataSize) {
        return DIERR_INVALIDPARAM;
    }
    auto* bytes = static_cast<BYTE*>(data);
    if (keyboardLayout) {
        // Read once a frame by every game: the keys go straight into the caller's buffer.
        StandIn::ReadKeys(*reinterpret_cast<BYTE(*)[kKeyCount]>(bytes));
        return DI_OK;
    }
    std::memset(bytes, 0, size);
    // The mouse reports no motion and no buttons: nothing reads it.
    if (kind == Kind::Keyboard) {
        FillKeyboard(bytes);
    }
    return DI_OK;
}

HRESULT CStandInDevice::SetDataFormat(LPCDIDATAFORMAT format)
{
    if (acquired) {
        return DIERR_ACQUIRED;
    }
    if (format == nullptr || format->dwSize != sizeof(DIDATAFORMAT) ||
        format->dwObjSize != sizeof(DIOBJECTDATAFORMAT) || format->dwDataSize == 0 ||
        format->dwDataSize % kDataAlignment != 0 || (format->dwNumObjs != 0 && format->rgodf == nullptr)) {
        return DIERR_INVALIDPARAM;
    }
    for (DWORD index = 0; index < format->dwNumObjs; ++index) {
        if (format->rgodf[index].dwOfs >= format->dwDataSize) {
            return DIERR_INVALIDPARAM;
        }
    }
    objects.assign(format->rgodf, format->rgodf + format->dwNumObjs);
    dataSize = format->dwDataSize;
    hasFormat = true;
    keyboardLayout = kind == Kind::Keyboard && IsKeyboardLayout();
    return DI_OK;
}

HRESULT CStandInDevice::SetCooperativeLevel(HWND newWindow, DWORD flags)
{
    if (acquired) {
        return DIERR_ACQUIRED;
    }
    if (!ExactlyOne(flags, DISCL_EXCLUSIVE, DISCL_NONEXCLUSIVE) ||
        !ExactlyOne(flags, DISCL_FOREGROUND, DISCL_BACKGROUND)) {
        return DIERR_INVALIDPARAM;
    }
    const bool wantsForeground = (flags & DISCL_FOREGROUND) != 0;
    if (wantsForeground && newWindow == nullptr) {
        return E_HANDLE;
    }
    window = newWindow;
    foreground = wantsForeground;
    return DI_OK;
}

HRESULT CStandInDevice::Poll()
{
    CheckFocus();
    if (inputLost) {
        return DIERR_INPUTLOST;
    }
    return acquired ? DI_NOEFFECT : DIERR_NOTACQUIRED;
}

void CStandInDevice::CheckFocus()
{
    if (!acquired || !foreground) {
        return;
    }
    if (StandIn::FocusEpoch() != acquiredEpoch || StandIn::ActiveWindow() != window) {
        acquired = false;
        inputLost = true;
    }
}

bool CStandInDevice::IsKeyboardLayout() const
{
    if (dataSize != kKeyCount) {
        return false;
    }
    // Every byte must be filled by the key of its own number, as in the standard keyboard format.
    bool filled[kKeyCount] = {};
    for (const DIOBJECTDATAFORMAT& object : objects) {
        const DWORD instance = (object.dwType >> kInstanceShift) & kInstanceMask;
        if (instance != object.dwOfs) {
            return false;
        }
        filled[instance] = true;
    }
    for (bool byte : filled) {
        if (!byte) {
            return false;
        }
    }
    return true;
}

void CStandInDevice::FillKeyboard(BYTE* data) const
{
    BYTE keys[kKeyCount];
    StandIn::ReadKeys(keys);
    for (const DIOBJECTDATAFORMAT& object : objects) {
        const DWORD instance = (object.dwType >> kInstanceShift) & kInstanceMask;
        if (instance < kKeyCount) {
            data[object.dwOfs] = keys[instance];
        }
    }
}
