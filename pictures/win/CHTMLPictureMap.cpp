#include "CHTMLPictureMap.h"
#include "PictureLoader.h"
#include "Text.h"
#include "Variant.h"

namespace {

// Puts one element of a rows-by-columns array of VARIANT.
HRESULT PutCell(SAFEARRAY* array, LONG row, LONG column, VARIANT& value) {
    LONG index[2] = {row, column};
    return SafeArrayPutElement(array, index, &value);
}

}  // namespace

HRESULT CHTMLPictureMap::GetPictures(VARIANT* out) const {
    if (!out) return E_POINTER;
    VariantInit(out);
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {static_cast<ULONG>(m_pictures.size()), 0}};
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 2, bounds);
    if (!array) return E_OUTOFMEMORY;
    LONG column = 0;
    HRESULT hr = S_OK;
    for (const auto& entry : m_pictures) {
        Variant key, picture;
        V_VT(key.Ptr()) = VT_BSTR;
        V_BSTR(key.Ptr()) = Bstr::FromAnsi(entry.first).Detach();
        ComPtr<IPictureDisp> disp;
        if (entry.second.Picture() &&
            SUCCEEDED(entry.second.Picture()->QueryInterface(IID_IPictureDisp, disp.PutVoid()))) {
            V_VT(picture.Ptr()) = VT_DISPATCH;
            V_DISPATCH(picture.Ptr()) = disp.Detach();
        }
        if (FAILED(hr = PutCell(array, 0, column, *key.Ptr())) || FAILED(hr = PutCell(array, 1, column, *picture.Ptr())))
            break;
        ++column;
    }
    if (FAILED(hr)) {
        SafeArrayDestroy(array);
        return hr;
    }
    V_VT(out) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(out) = array;
    return S_OK;
}

void CHTMLPictureMap::SetPictures(const VARIANT& value) {
    Clear();
    if (V_VT(&value) != (VT_ARRAY | VT_VARIANT) || !V_ARRAY(&value)) return;
    SAFEARRAY* array = V_ARRAY(&value);
    LONG rowLow = 0, rowHigh = -1, columnLow = 0, columnHigh = -1;
    if (SafeArrayGetDim(array) != 2 || FAILED(SafeArrayGetLBound(array, 1, &rowLow)) ||
        FAILED(SafeArrayGetUBound(array, 1, &rowHigh)) || FAILED(SafeArrayGetLBound(array, 2, &columnLow)) ||
        FAILED(SafeArrayGetUBound(array, 2, &columnHigh)))
        return;
    if (rowHigh - rowLow != 1 || columnHigh < columnLow) return;
    for (LONG column = columnLow; column <= columnHigh; ++column) {
        Variant key, picture;
        LONG keyIndex[2] = {rowLow, column}, pictureIndex[2] = {rowLow + 1, column};
        if (FAILED(SafeArrayGetElement(array, keyIndex, key.Put())) ||
            FAILED(SafeArrayGetElement(array, pictureIndex, picture.Put())))
            continue;
        std::string name = VariantToAnsi(key.Get());
        // An empty key would clear what the earlier columns added.
        if (!name.empty()) AddPicture(name, picture.Get());
    }
}

void CHTMLPictureMap::AddPicture(const std::string& key, const VARIANT& given) {
    if (key.empty()) {
        Clear();
        return;
    }
    // Scripting hosts pass their variables by reference.
    Variant value;
    if (FAILED(VariantCopyInd(value.Ptr(), const_cast<VARIANT*>(&given)))) value.Put();
    ComPtr<IPicture> picture;
    switch (value.Type()) {
    case VT_BSTR: {
        BSTR text = V_BSTR(&value.Get());
        std::string ansi = ToAnsi(text, static_cast<int>(SysStringLen(text)));
        picture = LoadPictureFile(ansi);
        if (!picture) picture = LoadPictureText(ansi);
        break;
    }
    case VT_DISPATCH:
        picture = PictureFromObject(V_DISPATCH(&value.Get()));
        break;
    default:
        break;
    }
    if (!picture) {
        auto found = m_pictures.find(key);
        if (found != m_pictures.end()) {
            if (m_next == found) ++m_next;
            m_pictures.erase(found);
        }
        return;
    }
    m_pictures[key] = CHTMLPicture(std::move(picture));
}

void CHTMLPictureMap::DrawPicture(const std::string& key, HDC dc, const RECT& rect) const {
    auto found = m_pictures.find(key);
    if (found != m_pictures.end()) found->second.Draw(dc, rect);
}

SIZE CHTMLPictureMap::GetPictureSize(const std::string& key) const {
    auto found = m_pictures.find(key);
    return found != m_pictures.end() ? found->second.GetSize() : SIZE{0, 0};
}

void CHTMLPictureMap::FirstPicture() { m_next = m_pictures.begin(); }

bool CHTMLPictureMap::NextPicture(std::string& key, const CHTMLPicture*& picture) {
    if (m_next == m_pictures.end()) return false;
    key = m_next->first;
    picture = &m_next->second;
    ++m_next;
    return true;
}

IPicture* CHTMLPictureMap::Find(const std::string& key) const {
    auto found = m_pictures.find(key);
    return found != m_pictures.end() ? found->second.Picture() : nullptr;
}

void CHTMLPictureMap::Clear() {
    m_pictures.clear();
    m_next = m_pictures.end();
}
