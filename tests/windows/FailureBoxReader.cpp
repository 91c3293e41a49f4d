// Starts a program as Explorer does when a player double-clicks it (no console, no standard
// streams), waits for the message box it shows, prints the box's title and text on its own
// output, and closes the box with OK. Exit status 0 once a box was read, 1 when the program ended
// or 20 s passed without one, 2 when the program could not be started.
//   FailureBoxReader PROGRAM [ARGS...]
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kLongestWaitMs = 20000;
constexpr DWORD kLookEveryMs = 50;
constexpr int kLongestText = 4096;

struct BoxSearch {
    DWORD process;
    HWND box;
};

// A shown dialog of the process: a message box is a window of the dialog class.
BOOL CALLBACK FindBox(HWND window, LPARAM data)
{
    BoxSearch& search = *reinterpret_cast<BoxSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search.process && std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
        search.box = window;
        return FALSE;
    }
    return TRUE;
}

// The box's words are its static controls with text (the icon's has none).
BOOL CALLBACK CollectText(HWND child, LPARAM data)
{
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    wchar_t text[kLongestText] = {};
    if (_wcsicmp(className, L"Static") == 0 && GetWindowTextW(child, text, kLongestText) > 0) {
        *reinterpret_cast<std::wstring*>(data) += text;
    }
    return TRUE;
}

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2) {
        std::fputs("usage: FailureBoxReader PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    std::wstring command;
    for (int i = 1; i < argc; ++i) {
        command += L"\"" + std::wstring(argv[i]) + L"\" ";
    }
    // Null standard handles and no console to attach to, as for a program started from Explorer.
    STARTUPINFOW start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION child = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                        nullptr, &start, &child)) {
        std::fprintf(stderr, "cannot start %ls (error %lu)\n", argv[1], GetLastError());
        return 2;
    }
    BoxSearch search{child.dwProcessId, nullptr};
    for (DWORD waited = 0; waited < kLongestWaitMs && search.box == nullptr; waited += kLookEveryMs) {
        if (WaitForSingleObject(child.hProcess, kLookEveryMs) == WAIT_OBJECT_0) {
            break;
        }
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    }
    int status = 1;
    if (search.box != nullptr) {
        wchar_t title[256] = {};
        GetWindowTextW(search.box, title, 256);
        std::wstring text;
        EnumChildWindows(search.box, CollectText, reinterpret_cast<LPARAM>(&text));
        std::printf("title: %s\ntext: %s\n", Utf8(title).c_str(), Utf8(text).c_str());
        PostMessageW(search.box, WM_COMMAND, IDOK, 0);
        status = 0;
    } else {
        std::puts("no message box");
    }
    std::fflush(stdout);
    if (WaitForSingleObject(child.hProcess, kLongestWaitMs) != WAIT_OBJECT_0) {
        TerminateProcess(child.hProcess, 1);
    }
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    LocalFree(argv);
    return status;
}
