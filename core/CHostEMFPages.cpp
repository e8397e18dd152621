#include "CHostEMFPages.h"
#include "Keyboard.h"
#include "Module.h"
#include "ToolbarIcons.h"
#include "Gdi.h"
#include "PrintClipRect.h"
#include "Text.h"
#include "WaitCursor.h"
#include <olectl.h>
#include <new>
#include <utility>
#include <utility>

namespace {

// Guards the one-level "Object" lookup; a plain counter, the store runs on one thread.
int g_objectLookupDepth = 0;

// The element type of a SAFEARRAY, from its type when readable, else from its features.
VARTYPE ArrayElementType(SAFEARRAY* array) {
    VARTYPE vt = VT_EMPTY;
    if (SUCCEEDED(SafeArrayGetVartype(array, &vt))) return vt;
    if (array->fFeatures & FADF_VARIANT) return VT_VARIANT;
    return VT_EMPTY;
}

// Keeps a device context's map mode and extents across a provider's drawing, which may change them.
class CKeepMapping {
public:
    explicit CKeepMapping(HDC dc) : dc_(dc), mode_(GetMapMode(dc)) {
        GetWindowExtEx(dc_, &window_);
        GetViewportExtEx(dc_, &viewport_);
    }
    ~CKeepMapping() {
        if (GetMapMode(dc_) != mode_) SetMapMode(dc_, mode_);
        SetWindowExtEx(dc_, window_.cx, window_.cy, nullptr);
        SetViewportExtEx(dc_, viewport_.cx, viewport_.cy, nullptr);
    }
    CKeepMapping(const CKeepMapping&) = delete;
    CKeepMapping& operator=(const CKeepMapping&) = delete;

private:
    HDC dc_;
    int mode_;
    SIZE window_{};
    SIZE viewport_{};
};


}  // namespace

// The control's list starts with the toolbar's icons, from the module's resources.
CHostEMFPages::CHostEMFPages()
    : CHostHTMLIcons(CModule::Instance(), kToolbarIconIds), screenDpi_(::ScreenDpi()) {
    documentCaption_.Caption = Bstr(L"Untitled Document");
    documentCaption_.Position = kHeader;
    documentCaption_.Alignment = kAlignCenter;

    FONTDESC desc{sizeof(FONTDESC), const_cast<LPOLESTR>(L"Times New Roman"), {100000, 0}, FW_NORMAL,
                  1 /* DEFAULT_CHARSET */, FALSE, FALSE, FALSE};
    OleCreateFontIndirect(&desc, IID_IFont, font_.PutVoid());

    if (SUCCEEDED(CreateComObject<CPage>(nullptr, IID_IPage, pageObject_.PutVoid())))
        page_ = static_cast<CPage*>(pageObject_.Get());
}

CHostEMFPages::~CHostEMFPages() { pages_.clear(); }

bool CHostEMFPages::GetPrintExtFromVariant(const VARIANT& value, ComPtr<IPrintExt>& found) {
    found.Reset();
    switch (V_VT(&value)) {
    case VT_UNKNOWN:
        return V_UNKNOWN(&value) &&
               SUCCEEDED(V_UNKNOWN(&value)->QueryInterface(IID_IPrintExt, found.PutVoid()));
    case VT_DISPATCH: {
        IDispatch* disp = V_DISPATCH(&value);
        if (!disp) return false;
        if (SUCCEEDED(disp->QueryInterface(IID_IPrintExt, found.PutVoid()))) return true;
        if (g_objectLookupDepth > 0) return false;
        // Script wrappers (a form's control extender, for example) hold the real object in "Object".
        ++g_objectLookupDepth;
        bool ok = false;
        OLECHAR name[] = L"Object";
        LPOLESTR names[] = {name};
        DISPID id = DISPID_UNKNOWN;
        if (SUCCEEDED(disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            Variant inner;
            if (SUCCEEDED(disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                       &none, inner.Put(), nullptr, nullptr)))
                ok = GetPrintExtFromVariant(inner.Get(), found);
        }
        --g_objectLookupDepth;
        return ok;
    }
    default:
        return false;
    }
}

HRESULT CHostEMFPages::SetPrintExt(IUnknown* object) {
    if (!object) return E_NOTIMPL;
    ComPtr<IPrintExt> provider;
    if (FAILED(object->QueryInterface(IID_IPrintExt, provider.PutVoid()))) return E_NOTIMPL;
    if (provider != currentProvider_) currentProvider_ = provider;
    return S_OK;
}

HRESULT CHostEMFPages::PutPrintExt(IUnknown* object) {
    if (!object) {
        ReleaseProviders();
        return S_OK;
    }
    SetPrintExt(object);  // an object without IPrintExt is ignored
    return S_OK;
}

HRESULT CHostEMFPages::GetPrintExt(IUnknown** out) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!currentProvider_) return S_OK;
    return currentProvider_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(out));
}

HRESULT CHostEMFPages::PutPrintExts(const VARIANT& value) {
    ReleaseProviders();
    ComPtr<IPrintExt> single;
    if (GetPrintExtFromVariant(value, single)) return PutPrintExt(single.Get());

    const VARIANT* v = &value;
    if (V_VT(v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(v)) v = V_VARIANTREF(v);
    if (!(V_VT(v) & VT_ARRAY)) return S_OK;
    SAFEARRAY* array = (V_VT(v) & VT_BYREF) ? (V_ARRAYREF(v) ? *V_ARRAYREF(v) : nullptr) : V_ARRAY(v);
    if (!array || SafeArrayGetDim(array) != 1 || ArrayElementType(array) != VT_VARIANT) return S_OK;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
        Variant element;
        if (FAILED(SafeArrayGetElement(array, &i, element.Put()))) continue;
        const VARIANT* e = &element.Get();
        if (V_VT(e) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(e)) e = V_VARIANTREF(e);
        ComPtr<IPrintExt> provider;
        if (GetPrintExtFromVariant(*e, provider)) providers_.push_back(provider);
    }
    return S_OK;
}

HRESULT CHostEMFPages::GetPrintExts(VARIANT* out) const {
    if (!out) return E_POINTER;
    VariantInit(out);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(providers_.size()));
    if (!array) return S_OK;
    for (LONG i = 0; i < static_cast<LONG>(providers_.size()); ++i) {
        VARIANT element;
        V_VT(&element) = VT_UNKNOWN;
        V_UNKNOWN(&element) = nullptr;
        providers_[i]->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&V_UNKNOWN(&element)));
        SafeArrayPutElement(array, &i, &element);  // copies, adding its own reference
        VariantClear(&element);
    }
    V_VT(out) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(out) = array;
    return S_OK;
}

void CHostEMFPages::ReleaseProviders() {
    // A host that sets PrintExt to Nothing or hands a new PrintExts collection means to drop
    // what it gave before, open preview or not; the Print object closes the preview first.
    providers_.clear();
    currentProvider_.Reset();
}

void CHostEMFPages::SetExtraCaption(const std::string& key, const std::string& caption, long position,
                                    long alignment) {
    if (key.empty()) {
        extraCaptions_.clear();
    } else if (caption.empty()) {
        extraCaptions_.erase(key);
    } else {
        ExtraCaption& entry = extraCaptions_[key];
        entry.Caption = Bstr::FromAnsi(caption);
        entry.Position = position;
        entry.Alignment = alignment;
    }
}

// --- recording -------------------------------------------------------------------

void CHostEMFPages::ClearPages() {
    if (recording_) clearRequested_ = true;
    else pages_.clear();
}

void CHostEMFPages::LoadPages(HDC reference, const PAGESETUPDLGA* setup) {
    // A provider that asks for a new recording from inside DrawPage would pull the pages
    // being recorded from under this one: the recording under way goes on instead.
    if (recording_) return;
    // For the whole run: the recording mark, and the provider current before comes back at the end.
    struct CRun {
        explicit CRun(CHostEMFPages& store) : store_(store), previous_(store.currentProvider_) {
            store_.recording_ = true;
        }
        ~CRun() {
            store_.currentProvider_ = previous_;
            store_.recording_ = false;
        }
        CHostEMFPages& store_;
        const ComPtr<IPrintExt> previous_;
        const ComPtr<IPage> pageObject_{store_.pageObject_};  // the object every page is described by
    } run(*this);
    CWaitCursor wait;
    screenDpi_ = ::ScreenDpi();
    referenceDC_ = reference;
    pageSetup_ = setup;
    if (page_) {
        page_->SetPageSetup(setup);
        page_->SetReferenceDC(reference);
        page_->SetPixelsPerInch(screenDpi_.cx);
    }
    pages_.clear();
    clearRequested_ = false;

    std::vector<ComPtr<IPrintExt>> providers;
    if (currentProvider_) providers.push_back(currentProvider_);
    providers.insert(providers.end(), providers_.begin(), providers_.end());

    // Each page is closed as soon as it is drawn, so a recording holds one metafile device
    // context however long the document: the decorations go in right after the body, showing
    // the page count the provider announced. A provider that stops early makes that count
    // wrong; its pages are then recorded once more from their own bodies (cut at the mark left
    // before the decorations) with the count it reached.
    // Running out of memory ends the recording: the pages recorded so far stay usable and
    // RecordingFailed() tells.
    recordingFailed_ = false;
    try {
        RecordProviders(providers, reference, setup);
    } catch (const std::bad_alloc&) {
        recordingFailed_ = true;
        decorationCount_ = -1;
        while (!pages_.empty() && !pages_.back()->HasMetafile()) pages_.pop_back();
    }
    if (std::exchange(clearRequested_, false)) pages_.clear();
}

void CHostEMFPages::RecordProviders(const std::vector<ComPtr<IPrintExt>>& providers, HDC reference,
                                    const PAGESETUPDLGA* setup) {
    long pagesSoFar = 0;
    for (const ComPtr<IPrintExt>& provider : providers) {
        if (!provider || clearRequested_) continue;
        currentProvider_ = provider;
        const long count = QueryPageCount();
        OnProviderStart();
        const size_t first = pages_.size();
        decorationCount_ = pagesSoFar + std::max(count, 0L);
        long i = 0;
        for (bool goOn = true; goOn && i < count; ++i) {
            pages_.push_back(std::make_unique<CEMFPage>(setup, this));
            CEMFPage* page = pages_.back().get();
            currentPageIndex_ = i;
            if (page_) page_->SetIndex(i);
            auto recording = page->Record(&CHostEMFPages::DrawPageBody, nullptr, *this, reference, &goOn);
            page->SetIndex(pagesSoFar + i);
            if (recording) {
                CEMFPage::MarkDecorations(recording->DC());
                DrawDecorations(*page, *recording);
                page->Close(std::move(recording));
            }
            OnPageRecorded(pagesSoFar + i);
            if (goOn) goOn = !IsRectEmpty(&page->ClientRect());
            if (goOn) goOn = !EscapePressed() && !clearRequested_;
        }
        pagesSoFar += i;
        if (decorationCount_ != pagesSoFar) {
            decorationCount_ = pagesSoFar;
            for (size_t k = first; k < pages_.size(); ++k) pages_[k]->Redecorate(*this, reference);
        }
        decorationCount_ = -1;
        OnProviderEnd();
    }
}

void CHostEMFPages::HandleMade(const CEnhMetaFileHolder* page) {
    ForgetHandle(page);
    handles_.push_back(page);
    if (handles_.size() > kHandlesKept) {
        const CEnhMetaFileHolder* oldest = handles_.front();
        handles_.pop_front();
        oldest->ReleaseHandle();
    }
}

void CHostEMFPages::ForgetHandle(const CEnhMetaFileHolder* page) {
    for (auto it = handles_.begin(); it != handles_.end(); ++it) {
        if (*it == page) {
            handles_.erase(it);
            return;
        }
    }
}

long CHostEMFPages::QueryPageCount() {
    announcedPageCount_ = 0;
    long count = 0;
    HRESULT hr = E_FAIL;
    try {
        if (currentProvider_) hr = currentProvider_->PageCount(options_.Get(), &count);
    } catch (...) {
        hr = E_UNEXPECTED;  // a native provider's exception is a failure, not ours to pass on
    }
    if (FAILED(hr)) return 0;
    announcedPageCount_ = count;
    return count;
}

bool CHostEMFPages::CallDrawPage(HDC dc) {
    if (!currentProvider_) return false;
    VARIANT_BOOL goOn = VARIANT_TRUE;
    // Providers take the handle as a 32-bit number; GDI handles fit in it on 64-bit Windows too.
    const long handle = static_cast<long>(reinterpret_cast<LONG_PTR>(dc));
    try {
        currentProvider_->DrawPage(options_.Get(), handle, pageObject_.Get(), &goOn);  // its HRESULT is not used
    } catch (...) {
        // A native provider that throws has failed this page: it is kept as drawn so far,
        // and the flag it left decides, as for any failure.
    }
    return goOn == VARIANT_TRUE;
}

bool CHostEMFPages::DrawPageBody(HDC dc, const RECT&, CHostEMFPages& store) {
    RECT clip{};
    GetClipBox(dc, &clip);  // the client rectangle, in the page's screen pixels
    if (!store.asScreen_) {
        bool goOn;
        {
            CKeepMapping mapping(dc);
            goOn = store.CallDrawPage(dc);
        }
        store.DrawPageFrame(dc, clip);
        return goOn;
    }

    // The provider draws on a screen bitmap of the client size, origin at its top-left.
    const int w = clip.right - clip.left;
    const int h = clip.bottom - clip.top;
    COwnedDC memory(CreateCompatibleDC(nullptr));  // compatible with the screen
    // A section rather than a device bitmap: it is copied into the metafile as it stands, and
    // Wine's metafile BitBlt from a device bitmap leaks.
    Bitmap bitmap(CreateDib32(w, h));
    // Without a bitmap (an empty client area) the provider is still asked, and draws on nothing.
    CSelectObject select(memory, bitmap.Get());
    const RECT area{0, 0, w, h};
    FillRect(memory, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    bool goOn;
    {
        CKeepMapping mapping(memory);
        SetMapMode(memory, MM_ISOTROPIC);
        SetWindowExtEx(memory, w, h, nullptr);
        SetViewportExtEx(memory, w, h, nullptr);
        CPrintClipRect clipToBitmap(memory, area);
        goOn = store.CallDrawPage(memory);
    }
    store.DrawPageFrame(memory, area);
    BitBlt(dc, clip.left, clip.top, w, h, memory, 0, 0, SRCCOPY);
    return goOn;
}

void CHostEMFPages::DrawPageFrame(HDC dc, const RECT& rect) const {
    if (pageFrameStyle_ == 0) return;
    COLORREF color = 0;
    if (FAILED(OleTranslateColor(pageFrameColor_, nullptr, &color))) color = 0;
    Pen pen(CreatePen(static_cast<int>(pageFrameStyle_ - 1), 1, color));
    CSelectObject select(dc, pen.Get());
    const POINT outline[] = {{rect.left, rect.top},
                             {rect.right - 1, rect.top},
                             {rect.right - 1, rect.bottom - 1},
                             {rect.left, rect.bottom - 1},
                             {rect.left, rect.top}};
    Polyline(dc, outline, 5);
}

HFONT CHostEMFPages::FontHandle() const {
    HFONT font = nullptr;
    if (font_) font_->get_hFont(&font);
    return font;
}
