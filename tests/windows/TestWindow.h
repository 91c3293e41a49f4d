// A top-level window of the test program's thread, as a host's game window is: the input
// plug-in binds the keyboard to the active window, so the tests need one, and a second one to
// take the focus away.
#pragma once

#include <windows.h>

class TestWindow {
public:
    explicit TestWindow(const wchar_t* title);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    // True when Windows (under Wine: an X display) could make the window.
    bool Exists() const { return window != nullptr; }
    HWND Handle() const { return window; }

    // Shows the window and brings it to the front; true once it is the foreground window.
    bool Focus();
    // Handles every message waiting for this thread (keyboard and focus changes arrive so).
    static void Pump();

private:
    HWND window = nullptr;
};
