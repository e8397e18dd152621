#include "PictureText.h"
#include "CIconList.h"
#include "pictures/Encode64.h"
#include "MemoryStream.h"
#include "PictureLoader.h"
#include "Variant.h"

namespace {

// The object inside a VARIANT (by reference or not); null when it holds none.
IUnknown* ObjectOf(const VARIANT& value) {
    const VARIANT* v = &value;
    if (V_VT(v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(v)) v = V_VARIANTREF(v);
    switch (V_VT(v)) {
    case VT_DISPATCH: return V_DISPATCH(v);
    case VT_UNKNOWN: return V_UNKNOWN(v);
    case VT_BYREF | VT_DISPATCH: return V_DISPATCHREF(v) ? *V_DISPATCHREF(v) : nullptr;
    case VT_BYREF | VT_UNKNOWN: return V_UNKNOWNREF(v) ? *V_UNKNOWNREF(v) : nullptr;
    default: return nullptr;
    }
}

bool IsObject(const VARIANT& value) {
    VARTYPE type = V_VT(&value);
    if (type == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&value)) type = V_VT(V_VARIANTREF(&value));
    type &= ~VT_BYREF;
    return type == VT_DISPATCH || type == VT_UNKNOWN;
}

std::string Trimmed(const std::string& s) {
    const char* blanks = " \t";
    size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

}  // namespace

std::string EncodePicture(IPicture* picture) {
    ComPtr<IStream> stream = NewMemoryStream();
    Bytes bytes;
    LONG size = 0;
    if (!picture || !stream || FAILED(picture->SaveAsFile(stream.Get(), TRUE, &size)) ||
        !StreamContents(stream.Get(), bytes))
        return {};
    return LZWCompression::Encode64(bytes.data(), bytes.size());
}

bool EncodeFile(const std::string& path, std::string& text) {
    Bytes bytes;
    if (!ReadFileBytes(path, bytes)) return false;
    text = LZWCompression::Encode64(bytes.data(), bytes.size());
    return true;
}

bool EncodeValue(const VARIANT& value, std::string& text) {
    text.clear();
    if (IsObject(value)) {
        ComPtr<IPicture> picture = PictureFromObject(ObjectOf(value));
        if (!picture) return false;
        text = EncodePicture(picture.Get());
        return !text.empty();
    }
    return EncodeFile(VariantToAnsi(value), text);
}

bool EncodeIconsValue(const VARIANT& value, std::string& text) {
    text.clear();
    if (IsObject(value)) return EncodeValue(value, text);
    const std::string list = VariantToAnsi(value);
    CIconList icons;
    for (size_t start = 0; start <= list.size();) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        std::string path = Trimmed(list.substr(start, comma - start));
        if (!path.empty()) icons.AddFromFile(path);
        start = comma + 1;
    }
    text = icons.Encode();
    return !text.empty();
}
