// The record itself: construction, the printer list, the device mode and
// the printer device context.
#include "printing/PageSetupDialog.h"

#include <winspool.h>

#include <vector>

#include "printing/PrinterNames.h"

namespace {

bool SystemVersionAtLeast5() { return LOBYTE(LOWORD(GetVersion())) >= 5; }

std::string CurrentDefaultPrinter() {
    if (!SystemVersionAtLeast5()) return std::string();
    char name[1024] = {};
    DWORD size = sizeof name;
    if (!GetDefaultPrinterA(name, &size)) return std::string();
    return name;
}

// A name at an offset of a locked DEVNAMES block.
const char* DevName(const DEVNAMES* names, WORD offset) {
    return reinterpret_cast<const char*>(names) + offset;
}

} // namespace

CPageSetupDialog::CPageSetupDialog(IDefaultSettings& defaults, DWORD extraFlags)
    : m_psd(),
      m_defaults(defaults),
      m_pageSetupDlg(m_comdlg.Proc<PageSetupDlgProc>("PageSetupDlgA")),
      m_extendedError(m_comdlg.Proc<ExtendedErrorProc>("CommDlgExtendedErrorA")) {
    static_assert(sizeof(void*) != 8 || sizeof(PAGESETUPDLGA) == 128, "PAGESETUPDLGA layout");
    m_psd.lStructSize = sizeof m_psd;
    m_psd.Flags = UnitFlag() | extraFlags;
    m_psd.rtMargin = RECT{500, 500, 500, 500};
    m_savedDefaultPrinter = CurrentDefaultPrinter();
}

CPageSetupDialog::~CPageSetupDialog() {
    if (!m_savedDefaultPrinter.empty() && SystemVersionAtLeast5())
        SetDefaultPrinterA(m_savedDefaultPrinter.c_str());
    FreeHandles();
}

bool CPageSetupDialog::HasPrinter() { return !GetPrinterNames(true).empty(); }

std::string CPageSetupDialog::GetPrinterNames(bool firstOnly) {
    std::vector<char> buffer(8192, '\0');
    GetProfileStringA("PrinterPorts", nullptr, "", buffer.data(), static_cast<DWORD>(buffer.size()));
    return JoinPrinterNames(buffer.data(), buffer.size(), firstOnly);
}

DEVMODEA* CPageSetupDialog::LockDevMode() {
    if (!m_psd.hDevMode) LoadDefaults(nullptr);
    return m_psd.hDevMode ? static_cast<DEVMODEA*>(GlobalLock(m_psd.hDevMode)) : nullptr;
}

void CPageSetupDialog::UnlockDevMode() {
    if (m_psd.hDevMode) GlobalUnlock(m_psd.hDevMode);
}

int CPageSetupDialog::LoadDefaults(DWORD* errorOut) {
    if (m_defaultsLoaded || !HasPrinter()) return 1;
    const DWORD kept = m_psd.Flags;
    const DWORD unit = UnitFlag();
    // PSD_RETURNDEFAULT wants both handles null; drop any left by an earlier recalculation.
    FreeHandles();
    m_psd.Flags = unit | PSD_RETURNDEFAULT;
    const int result = DoModal(errorOut);
    m_defaultsLoaded = 1;
    m_psd.Flags = (kept & ~(PSD_INTHOUSANDTHSOFINCHES | PSD_INHUNDREDTHSOFMILLIMETERS)) | unit;
    return result;
}

bool CPageSetupDialog::IsInch() { return m_defaults.DisplayInch == 0; }

bool CPageSetupDialog::IsMetric() { return !IsInch(); }

std::unique_ptr<CDCPrinter> CPageSetupDialog::CreatePrinterDC() {
    if (!m_psd.hDevMode) return nullptr;
    CGlobalLock<DEVNAMES> names(m_psd.hDevNames);
    if (!names) return nullptr;
    CGlobalLock<DEVMODEA> devMode(m_psd.hDevMode);
    HDC dc = CreateDCA(DevName(names.get(), names->wDriverOffset), DevName(names.get(), names->wDeviceOffset),
                       DevName(names.get(), names->wOutputOffset), devMode.get());
    if (!dc) return nullptr;
    return std::make_unique<CDCPrinter>(dc);
}

void CPageSetupDialog::ReleasePrinterDC(std::unique_ptr<CDCPrinter> dc) { dc.reset(); }

IDefaultSettings& CPageSetupDialog::GetDefaultSettings() { return m_defaults; }

bool CPageSetupDialog::SelectPrinter(const std::string& name) {
    if (name.empty() || !SystemVersionAtLeast5()) return false;
    // An unknown name leaves the record as it is rather than resetting it.
    if (!SetDefaultPrinterA(name.c_str())) return false;
    FreeHandles();
    m_defaultsLoaded = 0;
    LoadDefaults(nullptr);
    return true;
}

void CPageSetupDialog::FreeHandles() {
    if (m_psd.hDevMode) GlobalFree(m_psd.hDevMode);
    if (m_psd.hDevNames) GlobalFree(m_psd.hDevNames);
    m_psd.hDevMode = nullptr;
    m_psd.hDevNames = nullptr;
}

DWORD CPageSetupDialog::UnitFlag() { return IsInch() ? PSD_INTHOUSANDTHSOFINCHES : PSD_INHUNDREDTHSOFMILLIMETERS; }
