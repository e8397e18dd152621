#pragma once
// Real X input for tests under Wine and Xvfb: xdotool runs as a Linux process and Wine sees its
// events as a user's. Call it from a second thread while the window's thread pumps messages.
#include <windows.h>
#include <string>

// Runs a Linux program (Wine starts it as any process); Wine may not wait for it to end.
inline void RunUnix(std::string command) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

inline void Xdotool(const std::string& args) { RunUnix("/usr/bin/xdotool " + args); }

// "mousemove X Y click 1" at a window's client point.
inline std::string ClickAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return "mousemove " + std::to_string(client.x) + " " + std::to_string(client.y) + " click 1";
}
