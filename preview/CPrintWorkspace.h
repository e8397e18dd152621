#pragma once
// The preview workspace: owns the printer settings record and records the
// pages against it. It exists for the control's whole life; its window only
// while the preview is open.
#include <windows.h>
#include "IDefaultSettings.h"
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

private:
    CPageSetupDialog settings_;
    CHostEMFPages& pages_;
    HWND window_ = nullptr;
};
