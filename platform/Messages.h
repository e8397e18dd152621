#pragma once
// The registered messages the preview windows send each other, looked up by name once.
#include <windows.h>

struct PreviewMessages {
    UINT loadPage, setPaneText, toolbarClick, anchorClick, magnifyPages, premultiplyPages, multiplyPages;
    // A pane hands Tab or F6 to the frame: wParam 1 forward, 0 backward.
    UINT nextPane;

    static const PreviewMessages& Get() {
        static const PreviewMessages messages{
            RegisterWindowMessageA("PM_LOADPAGE"),      RegisterWindowMessageA("PM_SETPANETEXT"),
            RegisterWindowMessageA("PM_TOOLBARCLICK"),  RegisterWindowMessageA("PM_ANCHORCLICK"),
            RegisterWindowMessageA("PM_MAGNIFYPAGES"),  RegisterWindowMessageA("PM_PREMULTIPLYPAGES"),
            RegisterWindowMessageA("PM_MULTIPLYPAGES"), RegisterWindowMessageA("PM_NEXTPANE")};
        return messages;
    }
};
