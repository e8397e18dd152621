#pragma once
// The registered messages the preview windows send each other, looked up by name once.
#include <windows.h>

struct PreviewMessages {
    UINT loadPage, setPaneText, toolbarClick, anchorClick, magnifyPages, premultiplyPages, multiplyPages;

    static const PreviewMessages& Get() {
        static const PreviewMessages messages{
            RegisterWindowMessageA("PM_LOADPAGE"),      RegisterWindowMessageA("PM_SETPANETEXT"),
            RegisterWindowMessageA("PM_TOOLBARCLICK"),  RegisterWindowMessageA("PM_ANCHORCLICK"),
            RegisterWindowMessageA("PM_MAGNIFYPAGES"),  RegisterWindowMessageA("PM_PREMULTIPLYPAGES"),
            RegisterWindowMessageA("PM_MULTIPLYPAGES")};
        return messages;
    }
};

// Sent by a pane of the preview frame to the frame: move the focus to the next pane (wParam 1)
// or the previous one (0).
inline UINT NextPaneMessage() {
    static const UINT message = RegisterWindowMessageA("PM_NEXTPANE");
    return message;
}
