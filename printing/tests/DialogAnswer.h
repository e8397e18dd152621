#pragma once
// A user at the page-setup dialog, for tests that show it.
#include <windows.h>
#include <thread>

// A dialog of this process other than `known`, waited for up to 10 s; null if none came.
inline HWND WaitForDialog(HWND known) {
    for (int tries = 0; tries < 200; ++tries, Sleep(50))
        for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, "#32770", nullptr));) {
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (window != known && process == GetCurrentProcessId()) return window;
        }
    return nullptr;
}

// Answers the shown page-setup dialog from another thread. With `viaHelp` it clicks the hidden
// Help button first (it must act as the printer button) and cancels the printer choice.
class DialogAnswer {
public:
    explicit DialogAnswer(WORD button, bool viaHelp = false)
        : m_button(button), m_viaHelp(viaHelp), m_thread([this] { Run(); }) {}
    ~DialogAnswer() { Wait(); }
    void Wait() {
        if (m_thread.joinable()) m_thread.join();
    }
    bool found = false;
    bool helpVisible = true;
    bool printerChoiceOpened = false;

private:
    void Run() {
        HWND setup = WaitForDialog(nullptr);
        if (!setup) return;
        found = true;
        helpVisible = (GetWindowLongA(GetDlgItem(setup, 1038), GWL_STYLE) & WS_VISIBLE) != 0;
        if (m_viaHelp) {
            PostMessageA(setup, WM_COMMAND, MAKEWPARAM(1038, BN_CLICKED), 0);
            if (HWND printer = WaitForDialog(setup)) {
                printerChoiceOpened = true;
                PostMessageA(printer, WM_COMMAND, IDCANCEL, 0);
                for (int tries = 0; tries < 250 && IsWindow(printer); ++tries) Sleep(20);
            }
        }
        PostMessageA(setup, WM_COMMAND, m_button, 0);
    }
    WORD m_button;
    bool m_viaHelp;
    std::thread m_thread;
};
