#include "CHostHTMLIcons.h"

#include <olectl.h>

#include "Gdi.h"
#include "Text.h"
#include "Variant.h"

namespace {

// An icon handle destroyed at scope end.
class CIconHandle {
public:
    explicit CIconHandle(HICON icon) : m_icon(icon) {}
    ~CIconHandle() { if (m_icon) DestroyIcon(m_icon); }
    CIconHandle(const CIconHandle&) = delete;
    CIconHandle& operator=(const CIconHandle&) = delete;
    HICON Get() const { return m_icon; }

private:
    HICON m_icon;
};

// The picture object a VARIANT holds, if any.
ComPtr<IPicture> PictureOf(const VARIANT& value) {
    const VARIANT* v = &value;
    if (V_VT(v) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(v)) v = V_VARIANTREF(v);
    IUnknown* object = nullptr;
    switch (V_VT(v)) {
    case VT_DISPATCH: object = V_DISPATCH(v); break;
    case VT_UNKNOWN: object = V_UNKNOWN(v); break;
    case VT_DISPATCH | VT_BYREF: object = V_DISPATCHREF(v) ? *V_DISPATCHREF(v) : nullptr; break;
    case VT_UNKNOWN | VT_BYREF: object = V_UNKNOWNREF(v) ? *V_UNKNOWNREF(v) : nullptr; break;
    default: break;
    }
    ComPtr<IPicture> picture;
    if (object && FAILED(object->QueryInterface(IID_IPicture, picture.PutVoid()))) picture.Reset();
    return picture;
}

// The 2 x n array of (key, picture) columns a VARIANT holds, or null.
SAFEARRAY* PictureArrayOf(const VARIANT& value) {
    const VARTYPE vt = V_VT(&value);
    SAFEARRAY* array = nullptr;
    if (vt == (VT_ARRAY | VT_VARIANT)) array = V_ARRAY(&value);
    else if (vt == (VT_ARRAY | VT_VARIANT | VT_BYREF) && V_ARRAYREF(&value)) array = *V_ARRAYREF(&value);
    if (!array || SafeArrayGetDim(array) != 2) return nullptr;
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)) ||
        upper - lower + 1 != 2)
        return nullptr;
    if (FAILED(SafeArrayGetLBound(array, 2, &lower)) || FAILED(SafeArrayGetUBound(array, 2, &upper)) ||
        upper < lower)
        return nullptr;
    return array;
}

}  // namespace

HRESULT CHostHTMLIcons::GetPictures(VARIANT* pictures) {
    if (!pictures) return E_POINTER;
    VariantInit(pictures);
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {static_cast<ULONG>(m_pictures.size()), 0}};
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 2, bounds);
    if (!array) return E_OUTOFMEMORY;
    LONG column = 0;
    for (const auto& [key, picture] : m_pictures) {
        LONG at[2] = {0, column};
        Variant name;
        const std::wstring wide = ToWide(key);
        V_VT(name.Ptr()) = VT_BSTR;
        V_BSTR(name.Ptr()) = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
        SafeArrayPutElement(array, at, name.Ptr());

        Variant object;
        IPictureDisp* disp = nullptr;
        if (SUCCEEDED(picture->QueryInterface(IID_IPictureDisp, reinterpret_cast<void**>(&disp)))) {
            V_VT(object.Ptr()) = VT_DISPATCH;
            V_DISPATCH(object.Ptr()) = disp;
        }
        at[0] = 1;
        SafeArrayPutElement(array, at, object.Ptr());
        ++column;
    }
    V_VT(pictures) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(pictures) = array;
    return S_OK;
}

HRESULT CHostHTMLIcons::SetPictures(const VARIANT& pictures) {
    m_pictures.clear();
    SAFEARRAY* array = PictureArrayOf(pictures);
    if (!array) return S_OK;
    LONG rowLower = 0, lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &rowLower);
    SafeArrayGetLBound(array, 2, &lower);
    SafeArrayGetUBound(array, 2, &upper);
    for (LONG column = lower; column <= upper; ++column) {
        Variant key, value;
        LONG at[2] = {rowLower, column};
        if (FAILED(SafeArrayGetElement(array, at, key.Put()))) continue;
        at[0] = rowLower + 1;
        if (FAILED(SafeArrayGetElement(array, at, value.Put()))) continue;
        const std::string name = VariantToAnsi(key.Get());
        if (!name.empty()) AddPicture(name, value.Get());
    }
    return S_OK;
}

HRESULT CHostHTMLIcons::AddPicture(std::string_view key, const VARIANT& value) {
    if (key.empty()) {
        m_pictures.clear();
        return S_OK;
    }
    // Picture objects are stored; any other value removes the key. Files and
    // encoded texts are read by the picture loader of the image list.
    ComPtr<IPicture> picture = PictureOf(value);
    if (picture) m_pictures[std::string(key)] = picture;
    else if (const auto it = m_pictures.find(key); it != m_pictures.end()) m_pictures.erase(it);
    return S_OK;
}

void CHostHTMLIcons::DrawStoredPicture(HDC dc, const RECT& rect, std::string_view key) {
    const auto it = m_pictures.find(key);
    if (it == m_pictures.end()) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    it->second->get_Width(&width);
    it->second->get_Height(&height);
    it->second->Render(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, 0, height, width,
                       -height, nullptr);
}

SIZE CHostHTMLIcons::StoredPictureSize(std::string_view key) {
    const auto it = m_pictures.find(key);
    if (it == m_pictures.end()) return {0, 0};
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (FAILED(it->second->get_Width(&width)) || FAILED(it->second->get_Height(&height))) return {0, 0};
    CWindowDC screen;
    return {MulDiv(GetDeviceCaps(screen, LOGPIXELSX), width, 2540),
            MulDiv(GetDeviceCaps(screen, LOGPIXELSY), height, 2540)};
}

bool CHostHTMLIcons::Entry(PictureMap::const_iterator it, std::string& key, IPicture** picture) {
    if (picture) *picture = nullptr;
    if (it == m_pictures.end()) return false;
    key = m_lastKey = it->first;
    if (picture) it->second.CopyTo(picture);
    return true;
}

bool CHostHTMLIcons::FirstPicture(std::string& key, IPicture** picture) {
    return Entry(m_pictures.begin(), key, picture);
}

bool CHostHTMLIcons::NextPicture(std::string& key, IPicture** picture) {
    // Resumes after the key last handed out, so removals in between are safe.
    return Entry(m_pictures.upper_bound(m_lastKey), key, picture);
}

HICON CHostHTMLIcons::IconAt(int32_t) const { return nullptr; }

void CHostHTMLIcons::DrawIcon(HDC dc, const RECT& rect, int32_t iconNumber, bool enabled) {
    if (iconNumber < 1) return;
    const CIconHandle icon(IconAt(iconNumber - 1));
    if (!icon.Get()) return;
    if (enabled)
        DrawIconEx(dc, rect.left, rect.top, icon.Get(), 16, 16, 0, nullptr, DI_NORMAL);
    else
        DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, rect.left, rect.top, 16, 16,
                   DST_ICON | DSS_DISABLED);
}

HTMLSize CHostHTMLIcons::GetPictureSize(std::string_view key) {
    const SIZE size = StoredPictureSize(key);
    return {size.cx, size.cy};
}

void CHostHTMLIcons::DrawPicture(HDC dc, const RECT& rect, std::string_view key, bool) {
    DrawStoredPicture(dc, rect, key);
}
