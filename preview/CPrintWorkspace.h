#pragma once
// The preview workspace: owns the printer settings record and records the
// pages against it. It exists for the control's whole life; its window only
// while the preview is open.
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

private:
    CPageSetupDialog settings_;
    CHostEMFPages& pages_;
};
