// The automation face of the record: Settings by field or as text, the
// printer list, orientation and the client size.
#include "printing/PageSetupDialog.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "printing/SettingsText.h"
#include "Gdi.h"
#include "Text.h"
#include "Variant.h"

namespace {

using F = CSettingsText;

void SetLong(VARIANT* value, long number) {
    value->vt = VT_I4;
    value->lVal = number;
}

void SetText(VARIANT* value, const std::string& text) {
    value->vt = VT_BSTR;
    value->bstrVal = Bstr::FromAnsi(text).Detach();
}

// A fixed DEVMODE name field, which need not end in a zero when full.
std::string FixedText(const BYTE* field, size_t size) {
    const char* text = reinterpret_cast<const char*>(field);
    return std::string(text, strnlen(text, size));
}

// The DEVMODE member of a numeric device field and its dmFields bit, or null.
short* DevModeNumber(DEVMODEA& devMode, long field, DWORD& bit) {
    switch (field) {
    case F::kvPaperSize: bit = DM_PAPERSIZE; return &devMode.dmPaperSize;
    case F::kvPaperSource: bit = DM_DEFAULTSOURCE; return &devMode.dmDefaultSource;
    case F::kvPageOrientation: bit = DM_ORIENTATION; return &devMode.dmOrientation;
    case F::kvPrinterCopies: bit = DM_COPIES; return &devMode.dmCopies;
    case F::kvPrintQuality: bit = DM_PRINTQUALITY; return &devMode.dmPrintQuality;
    default: return nullptr;
    }
}

template <class Rect>
auto MarginOf(Rect& margins, long field) -> decltype(&margins.left) {
    switch (field) {
    case F::kvLeftMargin: return &margins.left;
    case F::kvTopMargin: return &margins.top;
    case F::kvRightMargin: return &margins.right;
    case F::kvBottomMargin: return &margins.bottom;
    default: return nullptr;
    }
}

} // namespace

HRESULT CPageSetupDialog::GetSettings(long field, VARIANT* value) {
    if (!value) return E_POINTER;
    VariantInit(value);
    switch (field) {
    case F::kvDisplayInch: SetLong(value, m_defaults.DisplayInch); return S_OK;
    case F::kvPaperWidth: SetLong(value, m_psd.ptPaperSize.x); return S_OK;
    case F::kvPaperHeight: SetLong(value, m_psd.ptPaperSize.y); return S_OK;
    case F::kvAllFields:
        SetText(value, CSettingsText::Format([this](int each) {
            Variant got;
            GetSettings(each, got.Put());
            return VariantToAnsi(got.Get());
        }));
        return S_OK;
    default:
        break;
    }
    if (field < 0 || field >= CSettingsText::FieldCount) return S_OK;
    CDevModeLock devMode(*this);
    if (devMode) GetDevModeField(*devMode.get(), field, value);
    return S_OK;
}

void CPageSetupDialog::GetDevModeField(DEVMODEA& devMode, long field, VARIANT* value) const {
    DWORD bit = 0;
    if (const short* number = DevModeNumber(devMode, field, bit)) {
        if (devMode.dmFields & bit) SetLong(value, *number);
        return;
    }
    if (field == F::kvPrinterName) {
        SetText(value, FixedText(devMode.dmDeviceName, sizeof devMode.dmDeviceName));
    } else if (field == F::kvFormName) {
        SetText(value, FixedText(devMode.dmFormName, sizeof devMode.dmFormName));
    } else if (const LONG* margin = MarginOf(m_psd.rtMargin, field)) {
        SetLong(value, *margin);
    }
}

HRESULT CPageSetupDialog::PutSettings(long field, const VARIANT& value) {
    if (field == F::kvPrinterName) {
        SelectPrinter(VariantToAnsi(value));
        return S_OK;
    }
    CSettingsUpdate update(*this);
    switch (field) {
    case F::kvDisplayInch: m_defaults.DisplayInch = static_cast<int16_t>(VariantToLong(value, 0)); break;
    case F::kvPaperWidth: m_psd.ptPaperSize.x = VariantToLong(value, 0); break;
    case F::kvPaperHeight: m_psd.ptPaperSize.y = VariantToLong(value, 0); break;
    case F::kvAllFields: ApplySettingsText(VariantToAnsi(value)); break;
    default: break;
    }
    CDevModeLock devMode(*this);
    if (devMode) StoreDevModeField(*devMode.get(), field, value);
    return S_OK;
}

void CPageSetupDialog::StoreDevModeField(DEVMODEA& devMode, long field, const VARIANT& value) {
    DWORD bit = 0;
    if (short* number = DevModeNumber(devMode, field, bit)) {
        const short stored = static_cast<short>(VariantToLong(value, 0));
        // The paper turns with the page, so its width and height trade places.
        if (field == F::kvPageOrientation && stored != *number)
            std::swap(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y);
        devMode.dmFields |= bit;
        *number = stored;
    } else if (LONG* margin = MarginOf(m_psd.rtMargin, field)) {
        *margin = VariantToLong(value, 0);
    } else if (field == F::kvFormName) {
        // At most 31 characters, so the field keeps its terminating zero.
        const std::string name = VariantToAnsi(value);
        std::memset(devMode.dmFormName, 0, sizeof devMode.dmFormName);
        std::memcpy(devMode.dmFormName, name.data(), std::min(name.size(), sizeof devMode.dmFormName - 1));
    }
}

void CPageSetupDialog::ApplySettingsText(const std::string& text) {
    for (const auto& assignment : CSettingsText::Parse(text)) {
        Variant value;
        V_VT(value.Put()) = VT_BSTR;
        V_BSTR(value.Ptr()) = Bstr::FromAnsi(assignment.second).Detach();
        PutSettings(assignment.first, value.Get());
    }
}

std::string CPageSetupDialog::Printers() { return GetPrinterNames(false); }

long CPageSetupDialog::PageOrientation() {
    Variant orientation;
    GetSettings(F::kvPageOrientation, orientation.Put());
    return orientation.Type() == VT_EMPTY ? 0 : VariantToLong(orientation.Get(), 0);
}

void CPageSetupDialog::PutPageOrientation(long orientation) {
    VARIANT value;
    SetLong(&value, orientation);
    PutSettings(F::kvPageOrientation, value);
}

short CPageSetupDialog::DisplayInch() const { return m_defaults.DisplayInch; }

long CPageSetupDialog::ClientWidth() { return ClientSize().cx; }

long CPageSetupDialog::ClientHeight() { return ClientSize().cy; }

SIZE CPageSetupDialog::ClientSize() {
    // Asked before anything else, the size is still the default printer's.
    if (!m_psd.hDevMode) LoadDefaults(nullptr);
    std::unique_ptr<CDCPrinter> printer = CreatePrinterDC();
    if (!printer) return SIZE{0, 0};
    const int unit = (m_psd.Flags & PSD_INTHOUSANDTHSOFINCHES)       ? 1000
                     : (m_psd.Flags & PSD_INHUNDREDTHSOFMILLIMETERS) ? 2540
                                                                      : 1;
    const int dpiX = printer->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = printer->GetDeviceCaps(LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0) return SIZE{0, 0};
    RECT page{0, 0, MulDiv(m_psd.ptPaperSize.x, dpiX, unit), MulDiv(m_psd.ptPaperSize.y, dpiY, unit)};
    page.left += MulDiv(m_psd.rtMargin.left, dpiX, unit);
    page.top += MulDiv(m_psd.rtMargin.top, dpiY, unit);
    page.right -= MulDiv(m_psd.rtMargin.right, dpiX, unit);
    page.bottom -= MulDiv(m_psd.rtMargin.bottom, dpiY, unit);
    {
        const SIZE screen = ScreenDpi();
        const int screenX = screen.cx, screenY = screen.cy;
        page.left = MulDiv(page.left, screenX, dpiX);
        page.right = MulDiv(page.right, screenX, dpiX);
        page.top = MulDiv(page.top, screenY, dpiY);
        page.bottom = MulDiv(page.bottom, screenY, dpiY);
    }
    ReleasePrinterDC(std::move(printer));
    return SIZE{page.right - page.left, page.bottom - page.top};
}
