#pragma once
// The read-only page description handed to every DrawPage call: the index of
// the page within its provider and the page geometry from the page setup.
#include "ComObject.h"
#include "Dispatch.h"
#include "Tavrin_h.h"
#include <commdlg.h>

class CPage : public ComObject<CDispatchImpl<IPage>> {
    DECLARE_QI_TABLE(CPage)
    explicit CPage(IUnknown* outer) : ComObject(outer) {}

    // Page setup in its measurement unit; not owned, null until the first recording.
    void SetPageSetup(const PAGESETUPDLGA* setup) { setup_ = setup; }
    void SetIndex(long index) { index_ = index; }
    void SetReferenceDC(HDC dc) { referenceDC_ = dc; }
    // The page's logical units per inch: the screen's resolution when it was recorded.
    void SetPixelsPerInch(long dpi) { pixelsPerInch_ = dpi; }

    STDMETHODIMP get_Index(long* value) override;
    STDMETHODIMP get_Left(double* value) override;
    STDMETHODIMP get_Top(double* value) override;
    STDMETHODIMP get_Width(double* value) override;
    STDMETHODIMP get_Height(double* value) override;
    STDMETHODIMP get_PageWidth(double* value) override;
    STDMETHODIMP get_PageHeight(double* value) override;
    STDMETHODIMP get_PixelsPerInch(long* value) override;

private:
    // Measures in thousandths (of an inch or a centimetre) become the unit itself.
    HRESULT Measure(double* value, long (*pick)(const PAGESETUPDLGA&)) const;

    const PAGESETUPDLGA* setup_ = nullptr;
    long index_ = 0;
    HDC referenceDC_ = nullptr;
    long pixelsPerInch_ = 0;
};
