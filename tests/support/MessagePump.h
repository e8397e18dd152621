#pragma once
// Message pumping for tests whose windows live on the test's own thread.
#include <windows.h>

inline void Pump(DWORD ms) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

// Pumps until `done` or the time is up; answers `done` at the end.
template <class Done>
bool PumpUntil(Done done, DWORD ms = 3000) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < ms && !done();) Pump(20);
    return done();
}
