// The fake platform: DirectInput objects, XInput and the two Win32 calls, all recording.
#include "FakePlatform.h"

#include <cstring>

#include "DirectInputUnimplemented.h"

extern "C" {
const GUID IID_IDirectInput8W = {0xBF798031, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};
const GUID GUID_Key = {0x55728220, 0xD33C, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysMouse = {0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysKeyboard = {0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const DIDATAFORMAT c_dfDIKeyboard = {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), DIDF_RELAXIS, 256, 0, nullptr};
}

namespace {

// Call names are made once, so that a quiet fake allocates nothing while the plug-in polls.
class FakeDevice : public CDirectInputDeviceUnimplemented {
public:
    explicit FakeDevice(const std::string& deviceName)
        : releaseCall("Release " + deviceName), acquireCall("Acquire " + deviceName),
          unacquireCall("Unacquire " + deviceName), formatCall("SetDataFormat " + deviceName),
          cooperationCall("SetCooperativeLevel " + deviceName), stateCall("GetDeviceState " + deviceName)
    {
        ++Fake().liveObjects;
    }
    ~FakeDevice() override { --Fake().liveObjects; }

    ULONG STDMETHODCALLTYPE Release() override
    {
        Fake().Record(releaseCall);
        return CDirectInputDeviceUnimplemented::Release();
    }
    HRESULT STDMETHODCALLTYPE Acquire() override { return Call(acquireCall); }
    HRESULT STDMETHODCALLTYPE Unacquire() override { return Call(unacquireCall); }
    HRESULT STDMETHODCALLTYPE SetDataFormat(LPCDIDATAFORMAT format) override
    {
        Fake().dataFormat = format;
        return Call(formatCall);
    }
    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override
    {
        Fake().cooperativeWindow = window;
        Fake().cooperativeFlags = flags;
        return Call(cooperationCall);
    }
    HRESULT STDMETHODCALLTYPE GetDeviceState(DWORD size, LPVOID data) override
    {
        FakePlatform& fake = Fake();
        if (!fake.quiet) {
            fake.calls.push_back(stateCall + " " + std::to_string(size));
        }
        const HRESULT result = fake.ResultOf(stateCall);
        if (result >= 0 && size == sizeof fake.keys) {
            std::memcpy(data, fake.keys, sizeof fake.keys);
        }
        return result;
    }

private:
    static HRESULT Call(const std::string& call)
    {
        Fake().Record(call);
        return Fake().ResultOf(call);
    }

    const std::string releaseCall;
    const std::string acquireCall;
    const std::string unacquireCall;
    const std::string formatCall;
    const std::string cooperationCall;
    const std::string stateCall;
};

class FakeDirectInput : public CDirectInputUnimplemented {
public:
    FakeDirectInput() { ++Fake().liveObjects; }
    ~FakeDirectInput() override { --Fake().liveObjects; }

    ULONG STDMETHODCALLTYPE Release() override
    {
        Fake().Record("Release directInput");
        return CDirectInputUnimplemented::Release();
    }
    HRESULT STDMETHODCALLTYPE CreateDevice(REFGUID guid, LPDIRECTINPUTDEVICE8W* device, LPUNKNOWN outer) override
    {
        const bool keyboard = IsEqualGUID(guid, GUID_SysKeyboard);
        const std::string name = keyboard ? "keyboard" : IsEqualGUID(guid, GUID_SysMouse) ? "mouse" : "unknown";
        const std::string call = "CreateDevice " + name;
        Fake().Record(outer == nullptr ? call : call + " aggregated");
        *device = nullptr;
        const HRESULT result = Fake().ResultOf(call);
        if (result >= 0) {
            *device = new FakeDevice(name);
        }
        return result;
    }
};

}  // namespace

FakePlatform& Fake()
{
    static FakePlatform fake;
    return fake;
}

void ResetFake()
{
    // What the plug-in never releases is reclaimed, as at the end of a process.
    CLiveObject::FreeAll();
    Fake() = FakePlatform();
}

void FakePlatform::Record(const std::string& call)
{
    if (!quiet) {
        calls.push_back(call);
    }
}

HRESULT FakePlatform::ResultOf(const std::string& call) const
{
    const auto found = results.find(call);
    return found == results.end() ? DI_OK : found->second;
}

std::vector<std::string> FakePlatform::CallsStartingWith(const std::string& prefix) const
{
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.rfind(prefix, 0) == 0) {
            found.push_back(call);
        }
    }
    return found;
}

extern "C" HRESULT WINAPI DirectInput8Create(HINSTANCE instance, DWORD version, REFIID iid, LPVOID* out, LPUNKNOWN outer)
{
    FakePlatform& fake = Fake();
    fake.Record("DirectInput8Create");
    fake.createInstance = instance;
    fake.createVersion = version;
    fake.createIidIsDirectInput8W = IsEqualIID(iid, IID_IDirectInput8W);
    fake.createOuterIsNull = outer == nullptr;
    *out = nullptr;
    const HRESULT result = fake.ResultOf("DirectInput8Create");
    if (result >= 0) {
        *out = static_cast<IDirectInput8W*>(new FakeDirectInput());
    }
    return result;
}

extern "C" DWORD WINAPI XInputGetState(DWORD userIndex, XINPUT_STATE* state)
{
    FakePlatform& fake = Fake();
    if (!fake.quiet) {
        fake.calls.push_back("XInputGetState " + std::to_string(userIndex));
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(state);
    for (std::size_t index = 0; index < sizeof *state; ++index) {
        fake.padStateZeroedOnEntry = fake.padStateZeroedOnEntry && bytes[index] == 0;
    }
    if (!fake.padConnected || userIndex != fake.padUserIndex) {
        return ERROR_DEVICE_NOT_CONNECTED;
    }
    state->dwPacketNumber = 1;
    state->Gamepad = fake.pad;
    return ERROR_SUCCESS;
}

extern "C" HWND WINAPI GetActiveWindow(void)
{
    Fake().Record("GetActiveWindow");
    return Fake().activeWindow;
}

extern "C" HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName)
{
    Fake().Record(moduleName == nullptr ? "GetModuleHandleW null" : "GetModuleHandleW name");
    return Fake().moduleHandle;
}
