// The stand-in's windows.h: the few Win32 types, result codes and calls that the input plug-in
// uses, with the names, values and layouts they have on Windows (LONG and DWORD are 32 bits,
// WCHAR 16), so that the plug-in compiles unchanged here and there. On the include path only on
// systems other than Windows; the functions come from the stand-in library.
#pragma once

#include <cstdint>

#define WINAPI
#define STDMETHODCALLTYPE
#define DECLSPEC_IMPORT __attribute__((visibility("default")))
#define WINUSERAPI DECLSPEC_IMPORT
#define WINBASEAPI DECLSPEC_IMPORT

#ifdef __cplusplus
#define EXTERN_C extern "C"
#else
#define EXTERN_C extern
#endif

typedef int32_t LONG;
typedef uint32_t ULONG;
typedef uint32_t DWORD;
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef int16_t SHORT;
typedef int32_t BOOL;
typedef char16_t WCHAR;
typedef LONG HRESULT;
typedef void* LPVOID;
typedef void* HANDLE;
typedef DWORD* LPDWORD;
typedef const WCHAR* LPCWSTR;

#define DECLARE_HANDLE(name) struct name##__ { int unused; }; typedef struct name##__* name
DECLARE_HANDLE(HWND);
DECLARE_HANDLE(HINSTANCE);
typedef HINSTANCE HMODULE;

typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID;
typedef GUID IID;
typedef GUID* LPGUID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;

inline bool IsEqualGUID(REFGUID a, REFGUID b)
{
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) {
        return false;
    }
    for (int i = 0; i < 8; ++i) {
        if (a.Data4[i] != b.Data4[i]) {
            return false;
        }
    }
    return true;
}
#define IsEqualIID(a, b) IsEqualGUID(a, b)

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#define MAKE_HRESULT(sev, fac, code) \
    static_cast<HRESULT>((static_cast<uint32_t>(sev) << 31) | (static_cast<uint32_t>(fac) << 16) | static_cast<uint32_t>(code))
#define SEVERITY_ERROR 1
#define FACILITY_WIN32 7

#define S_OK static_cast<HRESULT>(0)
#define S_FALSE static_cast<HRESULT>(1)
#define E_NOTIMPL static_cast<HRESULT>(0x80004001u)
#define E_NOINTERFACE static_cast<HRESULT>(0x80004002u)
#define E_POINTER static_cast<HRESULT>(0x80004003u)
#define E_FAIL static_cast<HRESULT>(0x80004005u)
#define E_ACCESSDENIED static_cast<HRESULT>(0x80070005u)
#define E_HANDLE static_cast<HRESULT>(0x80070006u)
#define E_OUTOFMEMORY static_cast<HRESULT>(0x8007000Eu)
#define E_INVALIDARG static_cast<HRESULT>(0x80070057u)
#define CLASS_E_NOAGGREGATION static_cast<HRESULT>(0x80040110u)
#define REGDB_E_CLASSNOTREG static_cast<HRESULT>(0x80040154u)

#define ERROR_SUCCESS 0L
#define ERROR_INVALID_ACCESS 12L
#define ERROR_READ_FAULT 30L
#define ERROR_NOT_READY 21L
#define ERROR_BAD_ARGUMENTS 160L
#define ERROR_BUSY 170L
#define ERROR_ALREADY_INITIALIZED 1247L
#define ERROR_OLD_WIN_VERSION 1150L
#define ERROR_RMODE_APP 1153L
#define ERROR_DEVICE_NOT_CONNECTED 1167L

// COM's base interface, as C++ sees it on Windows: virtual operations only, in this order.
struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;
};
typedef IUnknown* LPUNKNOWN;

// The active window of the calling thread's message queue; null when none is active.
EXTERN_C WINUSERAPI HWND WINAPI GetActiveWindow(void);
// The handle of a loaded module; null for the name gives the executable's own.
EXTERN_C WINBASEAPI HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName);
