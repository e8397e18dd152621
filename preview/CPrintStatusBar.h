#pragma once
// The preview's two-pane status bar: the common controls' status bar under a class of ours.
#include <windows.h>
#include "Library.h"
#include "Window.h"

class CPrintStatusBar : public CWindow {
public:
    static constexpr const char* kClassName = "Koravel.StatusBar";
    CPrintStatusBar();
    ~CPrintStatusBar() override { Destroy(); }
    HWND Create(HWND parent);
    int Height() const;
    // Sizes the bar to the parent's width and splits it: pane 0 up to 96 pixels (at 96 DPI,
    // in proportion above) from the right.
    void Layout();
    void SetText(int pane, const char* text);

private:
    CLibrary commonControls_{"COMCTL32.DLL"};
};
