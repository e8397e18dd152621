// The host's view of the recorded pages' text: a page's text, and the first page holding a text.
#include "CPrint.h"
#include "ErrorInfo.h"
#include "Variant.h"
#include <algorithm>
#include <string>

void CPrint::PagesForText() {
    workspace_.CompleteRecording();
    // Without a preview, what an export would write: recorded once, then read as it stands.
    if (!IsWindow(workspace_.Window()) && GetCount() == 0 && HasProvider()) workspace_.Refresh(true, true);
}

STDMETHODIMP CPrint::PageText(long page, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    PagesForText();
    if (page < 1 || page > GetCount()) {
        RaiseAutomationError("PageText: page " + std::to_string(page) + " is not one of the " +
                                 std::to_string(GetCount()) + " recorded pages",
                             kPrintProgId);
        return DISP_E_BADINDEX;
    }
    const CPageTextCache::Text text = pageTexts_.Of(GetPage(page - 1));
    *value = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text->text.data()), static_cast<UINT>(text->text.size()));
    return *value ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CPrint::FindText(BSTR text, VARIANT startPage, VARIANT matchCase, long* value) {
    if (!value) return E_POINTER;
    *value = 0;
    const std::u16string needle(reinterpret_cast<const char16_t*>(text ? text : L""), SysStringLen(text));
    if (needle.empty()) return S_OK;
    PagesForText();
    const long start = std::max(VariantToLong(startPage, 1), 1L);
    const long found = pageTexts_.FindPage(*this, start - 1, needle, VariantToBool(matchCase, false));
    *value = found + 1;
    return S_OK;
}
