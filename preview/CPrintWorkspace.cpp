#include "CPrintWorkspace.h"
#include "CHostEMFPages.h"
#include "CPrintRecalcLayout.h"
#include "Text.h"

CPrintWorkspace::CPrintWorkspace(IDefaultSettings& defaults, CHostEMFPages& pages)
    : defaults_(defaults), settings_(defaults, PSD_MARGINS), pages_(pages) {}

void CPrintWorkspace::RecordPages() {
    // Called first thing (a print or an export before any preview), the record is still
    // without its printer: load the default one, as every other first use does.
    if (!settings_.Record().hDevMode) settings_.LoadDefaults(nullptr);
    std::unique_ptr<CDCPrinter> printer = settings_.CreatePrinterDC();
    if (!printer) return;
    pages_.LoadPages(printer->GetSafeHdc(), &settings_.Record());
    settings_.ReleasePrinterDC(std::move(printer));
}

void CPrintWorkspace::Refresh(bool invalidate, bool reload) {
    CPrintRecalcLayout bracket(defaults_);
    settings_.LoadDefaults(nullptr);
    if (reload && pageSetupError_ == 0) {
        pages_.ClearPages();
        RecordPages();
    }
    if (invalidate && window_) InvalidateRect(window_, nullptr, TRUE);
}

void CPrintWorkspace::DoPrint(bool showUI) {
    if (!window_) {
        if (showUI) {
            DWORD error = 0;
            if (!settings_.DoModal(&error)) return;
        }
        Refresh(true, true);
    }
    Print();
}

void CPrintWorkspace::Print() {
    // The spooler names the document after the caption, in the system code page.
    const BSTR caption = pages_.documentCaption_.Caption.Get();
    std::string name = ToAnsi(caption, static_cast<int>(SysStringLen(caption)));
    RunPrintJob(settings_, pages_, caption ? &name : nullptr, selection_);
}
