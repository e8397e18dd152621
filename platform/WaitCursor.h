#pragma once
// The hourglass for a synchronous stretch of work: shown when the scope
// starts, the cursor that was there before comes back when it ends.
#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { SetCursor(previous_); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR previous_;
};
