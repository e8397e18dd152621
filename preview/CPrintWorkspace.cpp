#include "CPrintWorkspace.h"
#include "CHostEMFPages.h"

CPrintWorkspace::CPrintWorkspace(IDefaultSettings& defaults, CHostEMFPages& pages)
    : settings_(defaults, PSD_MARGINS), pages_(pages) {}

void CPrintWorkspace::RecordPages() {
    // Called first thing (a print or an export before any preview), the record is still
    // without its printer: load the default one, as every other first use does.
    if (!settings_.Record().hDevMode) settings_.LoadDefaults(nullptr);
    std::unique_ptr<CDCPrinter> printer = settings_.CreatePrinterDC();
    if (!printer) return;
    pages_.LoadPages(printer->GetSafeHdc(), &settings_.Record());
    settings_.ReleasePrinterDC(std::move(printer));
}
