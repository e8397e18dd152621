#pragma once
// A user at the page-setup dialog, for tests that show it.
#include <windows.h>

#include <thread>

// Answers the shown page-setup dialog from another thread, as a user would,
// after noting how the hook left its Help button.
class DialogAnswer {
public:
    explicit DialogAnswer(WORD button) : m_button(button), m_thread([this] { Run(); }) {}
    ~DialogAnswer() { Wait(); }
    void Wait() {
        if (m_thread.joinable()) m_thread.join();
    }
    bool found = false;
    bool helpVisible = true;

private:
    void Run() {
        for (int tries = 0; tries < 200 && !found; ++tries, Sleep(50)) {
            HWND dialog = FindWindowA("#32770", nullptr);
            DWORD process = 0;
            if (!dialog || !GetWindowThreadProcessId(dialog, &process) || process != GetCurrentProcessId()) continue;
            found = true;
            helpVisible = (GetWindowLongA(GetDlgItem(dialog, 1038), GWL_STYLE) & WS_VISIBLE) != 0;
            PostMessageA(dialog, WM_COMMAND, m_button, 0);
        }
    }
    WORD m_button;
    std::thread m_thread;
};

