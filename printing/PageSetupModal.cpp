// Running the system's page-setup dialog over the record: shown (DoModal),
// or closed as soon as it starts so that it only recomputes (Recalculate).
#include "printing/PageSetupDialog.h"

namespace {

const DWORD kHookFlags = PSD_ENABLEPAGESETUPHOOK | PSD_SHOWHELP;
const DWORD kUnitFlags = PSD_INTHOUSANDTHSOFINCHES | PSD_INHUNDREDTHSOFMILLIMETERS;
const int kPrinterButton = 1026; // psh3
const int kHelpButton = 1038;    // pshHelp

// Process-wide: the hook has no other way to learn it should end the dialog at once.
bool closeAtOnce = false;

UINT_PTR CALLBACK PageSetupHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // Where the dialog has no printer button of its own, Help becomes one.
        if (GetDlgItem(dialog, kPrinterButton))
            ShowWindow(GetDlgItem(dialog, kHelpButton), SW_HIDE);
        else
            SetDlgItemTextA(dialog, kHelpButton, "Printer...");
        if (closeAtOnce) EndDialog(dialog, 1);
        return TRUE;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kHelpButton)
            SendMessageA(dialog, WM_COMMAND, kPrinterButton, lParam);
        return FALSE;
    default:
        return FALSE;
    }
}

// Close-at-once for one call, off again however the call ends.
class CCloseAtOnce {
public:
    CCloseAtOnce() { closeAtOnce = true; }
    ~CCloseAtOnce() { closeAtOnce = false; }
    CCloseAtOnce(const CCloseAtOnce&) = delete;
    CCloseAtOnce& operator=(const CCloseAtOnce&) = delete;
};

} // namespace

int CPageSetupDialog::DoModal(DWORD* errorOut) {
    if (!m_pageSetupDlg) return 0;
    m_psd.hwndOwner = GetActiveWindow();
    m_psd.Flags |= kHookFlags;
    closeAtOnce = false;
    m_psd.lpfnPageSetupHook = PageSetupHook;

    const int result = m_pageSetupDlg(&m_psd);

    m_psd.Flags &= ~kHookFlags;
    closeAtOnce = false;
    m_psd.lpfnPageSetupHook = nullptr;
    if (errorOut && m_extendedError) *errorOut = m_extendedError();
    return result;
}

int CPageSetupDialog::Recalculate() {
    if (!HasPrinter() || !m_pageSetupDlg) return 0;
    m_psd.hwndOwner = nullptr;
    m_psd.Flags = (m_psd.Flags & ~kUnitFlags) | kHookFlags | UnitFlag();
    m_psd.lpfnPageSetupHook = PageSetupHook;
    int result;
    {
        CCloseAtOnce once;
        result = m_pageSetupDlg(&m_psd);
    }
    m_psd.Flags &= ~kHookFlags;
    m_psd.lpfnPageSetupHook = nullptr;
    return result;
}
