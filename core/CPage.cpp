#include "CPage.h"

const QIEntry* CPage::QITable() const {
    static const QIEntry table[] = {
        QI_ENTRY(CPage, IPage),
        QI_ENTRY_VIA(CPage, IDispatch, IPage),
        {nullptr, nullptr},
    };
    return table;
}

STDMETHODIMP CPage::get_Index(long* value) {
    if (!value) return E_POINTER;
    *value = index_;
    return S_OK;
}

HRESULT CPage::Measure(double* value, long (*pick)(const PAGESETUPDLGA&)) const {
    if (!value) return E_POINTER;
    *value = setup_ ? pick(*setup_) / 1000.0 : 0.0;
    return S_OK;
}

STDMETHODIMP CPage::get_Left(double* v) {
    return Measure(v, [](const PAGESETUPDLGA& s) -> long { return s.rtMargin.left; });
}
STDMETHODIMP CPage::get_Top(double* v) {
    return Measure(v, [](const PAGESETUPDLGA& s) -> long { return s.rtMargin.top; });
}
STDMETHODIMP CPage::get_Width(double* v) {
    return Measure(v, [](const PAGESETUPDLGA& s) -> long {
        return s.ptPaperSize.x - s.rtMargin.right - s.rtMargin.left;
    });
}
STDMETHODIMP CPage::get_Height(double* v) {
    return Measure(v, [](const PAGESETUPDLGA& s) -> long {
        return s.ptPaperSize.y - s.rtMargin.bottom - s.rtMargin.top;
    });
}
STDMETHODIMP CPage::get_PageWidth(double* v) {
    return Measure(v, [](const PAGESETUPDLGA& s) -> long { return s.ptPaperSize.x; });
}
STDMETHODIMP CPage::get_PageHeight(double* v) {
    return Measure(v, [](const PAGESETUPDLGA& s) -> long { return s.ptPaperSize.y; });
}

STDMETHODIMP CPage::get_PixelsPerInch(long* v) {
    if (!v) return E_POINTER;
    *v = setup_ ? pixelsPerInch_ : 0;
    return S_OK;
}
