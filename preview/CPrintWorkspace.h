#pragma once
// The preview workspace: owns the printer settings record and records the
// pages against it. It exists for the control's whole life; its window only
// while the preview is open.
#include <windows.h>
#include "IDefaultSettings.h"
#include "PrintJob.h"
#include "printing/PageSetupDialog.h"

class CHostEMFPages;

class CPrintWorkspace {
public:
    CPrintWorkspace(IDefaultSettings& defaults, CHostEMFPages& pages);
    CPrintWorkspace(const CPrintWorkspace&) = delete;
    CPrintWorkspace& operator=(const CPrintWorkspace&) = delete;

    CPageSetupDialog& Settings() { return settings_; }
    CHostEMFPages& Pages() { return pages_; }
    // The workspace window; null while no preview is open (always, in this build).
    HWND Window() const { return window_; }

    // Records every page for the settings record's printer and page setup; without a
    // printer device context nothing is recorded (and the pages recorded before stay).
    void RecordPages();

    // Lays the pages out again; with reload, records them anew first. Fires Refreshing and
    // Refresh around the outermost call. Runs without a window too (print, export).
    void Refresh(bool invalidate, bool reload);
    // DoPrint of the control: without an open preview, the page-setup dialog first (when
    // showUI; cancelling prints nothing) and a fresh recording; then the print job.
    void DoPrint(bool showUI);
    // The print job on the pages as they are recorded.
    void Print();
    // The area the user selected for printing (none: the page range is printed).
    PrintSelection& Selection() { return selection_; }

private:
    IDefaultSettings& defaults_;
    CPageSetupDialog settings_;
    CHostEMFPages& pages_;
    HWND window_ = nullptr;
    DWORD pageSetupError_ = 0;  // a failed page-setup dialog stops re-recording
    PrintSelection selection_;
};
