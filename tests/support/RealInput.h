#pragma once
// Real X input for tests under Wine and Xvfb: xdotool runs as a Linux process and Wine sees its
// events as a user's. Call it from a second thread while the window's thread pumps messages.
#include <windows.h>

#include <string>

inline void Xdotool(const std::string& args) {
    std::string command = "/usr/bin/xdotool " + args;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return;
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

// "mousemove X Y click 1" at a window's client point.
inline std::string ClickAt(HWND window, POINT client) {
    ClientToScreen(window, &client);
    return "mousemove " + std::to_string(client.x) + " " + std::to_string(client.y) + " click 1";
}
