// The ITavrin properties and methods of the Print object.
#include "CPrint.h"
#include "Module.h"
#include "PageText.h"
#include "PictureText.h"
#include "html/CHTMLCaption.h"
#include "Text.h"
#include <algorithm>
#include <vector>
#include <windows.h>

namespace {

template <class T>
HRESULT Out(T* out, T value) {
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
}

}  // namespace

STDMETHODIMP CPrint::putref_Font(IFontDisp* font) {
    ComPtr<IFont> f;
    if (font && FAILED(font->QueryInterface(IID_IFont, f.PutVoid()))) return E_INVALIDARG;
    font_ = f;
    dirty_ = true;
    return S_OK;
}

STDMETHODIMP CPrint::put_Font(IFontDisp* font) {
    ComPtr<IFont> f;
    if (font) {
        ComPtr<IFont> given;
        if (FAILED(font->QueryInterface(IID_IFont, given.PutVoid()))) return E_INVALIDARG;
        HRESULT hr = given->Clone(f.Put());
        if (FAILED(hr)) return hr;
    }
    font_ = f;
    dirty_ = true;
    return S_OK;
}

STDMETHODIMP CPrint::get_Font(IFontDisp** font) {
    if (!font) return E_POINTER;
    *font = nullptr;
    if (!font_) return S_OK;
    return font_->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(font));
}

STDMETHODIMP CPrint::get_Version(BSTR* value) { return ReturnWide(ToWide(ModuleFileVersion()).c_str(), value); }

STDMETHODIMP CPrint::DoPrint(VARIANT showUI) {
    HRESULT hr = CheckProvider("DoPrint");
    if (FAILED(hr)) return hr;
    workspace_.DoPrint(VariantToBool(showUI, true));
    return S_OK;  // also when the user cancels or nothing could be printed
}

STDMETHODIMP CPrint::Preview() {
    HRESULT hr = CheckProvider("Preview");
    if (FAILED(hr)) return hr;
    frame_.SetAutoRelease(autoRelease_ != VARIANT_FALSE);
    CHTMLCaption caption;
    caption.SetCaption(documentCaption_.Caption.ToAnsi());
    frame_.Preview(caption.GetPlainText());
    return S_OK;
}

STDMETHODIMP CPrint::CopyTo(BSTR path, long* result) {
    HRESULT hr = CheckProvider("CopyTo");
    if (FAILED(hr)) return hr;
    const std::string pattern = ToAnsi(path, static_cast<int>(SysStringLen(path)));
    long written = 0;
    if (!pattern.empty()) {
        // Without a preview, export what the providers draw now; with one, what it shows.
        if (!IsWindow(workspace_.Window())) workspace_.Refresh(true, true);
        workspace_.CompleteRecording();
        for (long i = 0; i < GetCount(); ++i) {
            const std::string name = ReplaceAll(pattern, "%i", i + 1);
            DeleteFileA(name.c_str());
            HENHMETAFILE page = GetPage(i).GetHandle();
            if (HENHMETAFILE copy = page ? CopyEnhMetaFileA(page, name.c_str()) : nullptr) {
                DeleteEnhMetaFile(copy);  // the file stays
                ++written;
            }
        }
    }
    if (result) *result = written;
    // The pages written are those recorded before memory ran out: the export is incomplete.
    return RecordingFailed() ? E_OUTOFMEMORY : S_OK;
}

STDMETHODIMP CPrint::get_Caption(BSTR* value) { return ReturnWide(documentCaption_.Caption.Get(), value); }

STDMETHODIMP CPrint::put_Caption(BSTR value) {
    Bstr copy(value, SysStringLen(value));
    if (value && !copy.Get()) return E_OUTOFMEMORY;
    documentCaption_.Caption = value ? copy : Bstr();
    dirty_ = true;
    return S_OK;
}

STDMETHODIMP CPrint::get_hWnd(long* value) {
    return Out(value, frame_.IsWindow() ? static_cast<long>(reinterpret_cast<LONG_PTR>(frame_.Handle())) : 0L);
}

STDMETHODIMP CPrint::get_ShowPageNumbers(VARIANT_BOOL* v) { return Out(v, showPageNumbers_); }
STDMETHODIMP CPrint::put_ShowPageNumbers(VARIANT_BOOL v) { showPageNumbers_ = v; dirty_ = true; return S_OK; }
STDMETHODIMP CPrint::get_PageNumbersPosition(PositionEnum* v) { return Out(v, PositionEnum(pageNumbersPosition_)); }
STDMETHODIMP CPrint::put_PageNumbersPosition(PositionEnum v) { pageNumbersPosition_ = v; dirty_ = true; return S_OK; }
STDMETHODIMP CPrint::get_PageNumbersAlignment(AlignmentEnum* v) { return Out(v, AlignmentEnum(pageNumbersAlignment_)); }
STDMETHODIMP CPrint::put_PageNumbersAlignment(AlignmentEnum v) { pageNumbersAlignment_ = v; dirty_ = true; return S_OK; }
STDMETHODIMP CPrint::get_CaptionPosition(PositionEnum* v) { return Out(v, PositionEnum(documentCaption_.Position)); }
STDMETHODIMP CPrint::put_CaptionPosition(PositionEnum v) { documentCaption_.Position = v; dirty_ = true; return S_OK; }
STDMETHODIMP CPrint::get_CaptionAlignment(AlignmentEnum* v) { return Out(v, AlignmentEnum(documentCaption_.Alignment)); }
STDMETHODIMP CPrint::put_CaptionAlignment(AlignmentEnum v) { documentCaption_.Alignment = v; dirty_ = true; return S_OK; }
STDMETHODIMP CPrint::get_AsScreen(VARIANT_BOOL* v) { return Out(v, asScreen_); }
STDMETHODIMP CPrint::put_AsScreen(VARIANT_BOOL v) { asScreen_ = v; dirty_ = true; return S_OK; }
STDMETHODIMP CPrint::get_Foreground(long* v) { return Out(v, foreground_); }
STDMETHODIMP CPrint::put_Foreground(long v) { foreground_ = v; return S_OK; }
STDMETHODIMP CPrint::get_ShowMargins(VARIANT_BOOL* v) { return Out(v, showMargins_); }
STDMETHODIMP CPrint::put_ShowMargins(VARIANT_BOOL v) {
    showMargins_ = v;
    workspace_.SetShowMargins(v != VARIANT_FALSE);
    dirty_ = true;
    if (IsWindow(workspace_.Window())) workspace_.Refresh(true, false);
    return S_OK;
}
STDMETHODIMP CPrint::get_PageFrameStyle(PageFrameStyleEnum* v) { return Out(v, PageFrameStyleEnum(pageFrameStyle_)); }
STDMETHODIMP CPrint::put_PageFrameStyle(PageFrameStyleEnum v) { pageFrameStyle_ = v; dirty_ = true; return S_OK; }
STDMETHODIMP CPrint::get_PageFrameColor(OLE_COLOR* v) { return Out(v, pageFrameColor_); }
STDMETHODIMP CPrint::put_PageFrameColor(OLE_COLOR v) { pageFrameColor_ = v; dirty_ = true; return S_OK; }
STDMETHODIMP CPrint::get_AutoRelease(VARIANT_BOOL* v) { return Out(v, autoRelease_); }
STDMETHODIMP CPrint::put_AutoRelease(VARIANT_BOOL v) {
    autoRelease_ = v;
    if (!frame_.IsWindow()) frame_.SetAutoRelease(v != VARIANT_FALSE);  // read when the frame opens
    return S_OK;
}
STDMETHODIMP CPrint::get_StartPageNumber(long* v) { return Out(v, startPageNumber_); }
STDMETHODIMP CPrint::put_StartPageNumber(long v) { startPageNumber_ = std::max(v, 0L); dirty_ = true; return S_OK; }
STDMETHODIMP CPrint::get_PagesCount(long* v) {
    if (!v) return E_POINTER;
    workspace_.CompleteRecording();  // to a host the document is whole
    return Out(v, GetCount());
}

STDMETHODIMP CPrint::get_Options(VARIANT* value) { return options_.CopyTo(value); }

STDMETHODIMP CPrint::put_Options(VARIANT value) {
    // A reference to the field itself: nothing to copy.
    if (V_VT(&value) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&value) == &options_.Get()) return S_OK;
    VARIANT* field = options_.Put();
    HRESULT hr = VariantCopyInd(field, &value);
    if (FAILED(hr)) {
        VariantClear(field);
        V_VT(field) = VT_ERROR;
        V_ERROR(field) = hr;
    }
    return hr;
}

STDMETHODIMP CPrint::get_PageNumberFormat(BSTR* value) { return ReturnAnsi(pageNumberFormat_, value); }

STDMETHODIMP CPrint::put_PageNumberFormat(BSTR value) {
    pageNumberFormat_ = ToAnsi(value, static_cast<int>(SysStringLen(value)));
    dirty_ = true;
    return S_OK;
}

STDMETHODIMP CPrint::get_PageRange(BSTR* value) { return ReturnAnsi(pageRange_, value); }

STDMETHODIMP CPrint::put_PageRange(BSTR value) {
    pageRange_ = ToAnsi(value, static_cast<int>(SysStringLen(value)));
    dirty_ = true;
    return S_OK;
}

STDMETHODIMP CPrint::ExtraCaption(VARIANT key, VARIANT caption, VARIANT position, VARIANT alignment) {
    SetExtraCaption(VariantToAnsi(key), VariantToAnsi(caption), VariantToLong(position, kFooter),
                    VariantToLong(alignment, kAlignLeft));
    return S_OK;
}

STDMETHODIMP CPrint::get_Debug(BSTR* value) {
    if (value) *value = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CPrint::Refresh() {
    // Only an open preview records again; a print or an export records for itself.
    if (IsWindow(workspace_.Window())) workspace_.Refresh(true, true);
    return S_OK;
}

// Printer settings, kept by the workspace's settings record.
STDMETHODIMP CPrint::get_PageOrientation(PageOrientationEnum* v) {
    if (!v) return E_POINTER;
    *v = static_cast<PageOrientationEnum>(workspace_.Settings().PageOrientation());
    return S_OK;
}
STDMETHODIMP CPrint::put_PageOrientation(PageOrientationEnum v) {
    workspace_.Settings().PutPageOrientation(v);
    return S_OK;
}
STDMETHODIMP CPrint::get_Settings(FieldsEnum field, VARIANT* v) { return workspace_.Settings().GetSettings(field, v); }
STDMETHODIMP CPrint::put_Settings(FieldsEnum field, VARIANT v) { return workspace_.Settings().PutSettings(field, v); }
STDMETHODIMP CPrint::get_Printers(BSTR* v) { return ReturnAnsi(workspace_.Settings().Printers(), v); }
STDMETHODIMP CPrint::get_ClientWidth(long* v) { return Out(v, workspace_.Settings().ClientWidth()); }
STDMETHODIMP CPrint::get_ClientHeight(long* v) { return Out(v, workspace_.Settings().ClientHeight()); }

// Toolbar.
STDMETHODIMP CPrint::get_ItemCaption(ItemCaptionEnum item, BSTR* v) { return ReturnAnsi(toolbar_.ItemCaption(item), v); }
STDMETHODIMP CPrint::put_ItemCaption(ItemCaptionEnum item, BSTR v) {
    toolbar_.SetItemCaption(item, ToAnsi(v, static_cast<int>(SysStringLen(v))));
    return S_OK;
}
STDMETHODIMP CPrint::get_ItemToolTip(ItemCaptionEnum item, BSTR* v) { return ReturnAnsi(toolbar_.ItemToolTip(item), v); }
STDMETHODIMP CPrint::put_ItemToolTip(ItemCaptionEnum item, BSTR v) {
    toolbar_.SetItemToolTip(item, ToAnsi(v, static_cast<int>(SysStringLen(v))));
    return S_OK;
}
STDMETHODIMP CPrint::get_ToolBarFormat(BSTR* v) { return ReturnAnsi(toolbar_.Format(), v); }
STDMETHODIMP CPrint::put_ToolBarFormat(BSTR v) {
    toolbar_.SetFormat(ToAnsi(v, static_cast<int>(SysStringLen(v))));
    dirty_ = true;
    return S_OK;
}

// Images, pictures and their text form.
STDMETHODIMP CPrint::get_Encode64(VARIANT picture, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    try {
        std::string text;
        if (EncodeValue(picture, text)) return ReturnAnsi(text, value);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP CPrint::get_Encode64Icons(VARIANT icons, BSTR* value) {
    if (!value) return E_POINTER;
    *value = nullptr;
    try {
        std::string text;
        if (EncodeIconsValue(icons, text)) return ReturnAnsi(text, value);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

STDMETHODIMP CPrint::Images(VARIANT handle) {
    CIconList::SetFromVariant(handle);
    return S_OK;
}

STDMETHODIMP CPrint::ReplaceIcon(VARIANT icon, VARIANT index, long* result) {
    // Icon handles are 32-bit values, sign-extended like every USER handle.
    HICON handle = reinterpret_cast<HICON>(static_cast<LONG_PTR>(VariantToLong(icon, 0)));
    long at = VariantToLong(index, -1);
    if (handle) {
        long answer = CIconList::ReplaceIcon(handle, at);
        if (result) *result = answer;
    } else if (at < 0) {
        CIconList::Clear();
    } else {
        CIconList::Remove(at);
    }
    return S_OK;
}

STDMETHODIMP CPrint::get_HTMLPicture(BSTR key, VARIANT* value) {
    if (!value) return E_POINTER;
    VariantInit(value);
    IPicture* picture = Pictures().Find(ToAnsi(key, static_cast<int>(SysStringLen(key))));
    IDispatch* dispatch = nullptr;
    if (picture && SUCCEEDED(picture->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)))) {
        V_VT(value) = VT_DISPATCH;
        V_DISPATCH(value) = dispatch;
    }
    return S_OK;
}

STDMETHODIMP CPrint::put_HTMLPicture(BSTR key, VARIANT value) {
    Pictures().AddPicture(ToAnsi(key, static_cast<int>(SysStringLen(key))), value);
    return S_OK;
}
