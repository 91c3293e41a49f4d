// The test program's windows.
#include "TestWindow.h"

namespace {

constexpr const wchar_t* kClassName = L"VantorTestWindow";
constexpr int kSize = 240;
constexpr DWORD kFocusTimeoutMs = 3000;
constexpr DWORD kFocusStepMs = 10;

void RegisterClassOnce()
{
    static const bool registered = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass) != 0;
    }();
    static_cast<void>(registered);
}

}  // namespace

TestWindow::TestWindow(const wchar_t* title)
{
    RegisterClassOnce();
    window = CreateWindowExW(0, kClassName, title, WS_OVERLAPPEDWINDOW, 0, 0, kSize, kSize, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
}

TestWindow::~TestWindow()
{
    if (window != nullptr) {
        DestroyWindow(window);
        Pump();
    }
}

bool TestWindow::Focus()
{
    if (window == nullptr) {
        return false;
    }
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    for (DWORD waited = 0; waited < kFocusTimeoutMs; waited += kFocusStepMs) {
        Pump();
        if (GetForegroundWindow() == window && GetActiveWindow() == window) {
            return true;
        }
        Sleep(kFocusStepMs);
    }
    return false;
}

void TestWindow::Pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
