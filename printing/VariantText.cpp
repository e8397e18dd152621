#include "VariantText.h"

long VariantToLong(const VARIANT& value) {
    if (value.vt == VT_ERROR) return 0;
    CVariant converted;
    if (FAILED(VariantChangeType(&converted.value, const_cast<VARIANT*>(&value), 0, VT_I4))) return 0;
    return converted.value.lVal;
}

std::string VariantToAnsi(const VARIANT& value) {
    if (value.vt == VT_ERROR) return std::string();
    CVariant converted;
    if (FAILED(VariantChangeType(&converted.value, const_cast<VARIANT*>(&value), 0, VT_BSTR)) ||
        !converted.value.bstrVal)
        return std::string();
    const BSTR wide = converted.value.bstrVal;
    const int length = static_cast<int>(SysStringLen(wide));
    if (length == 0) return std::string();
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string text(bytes > 0 ? bytes : 0, '\0');
    if (bytes > 0) WideCharToMultiByte(CP_ACP, 0, wide, length, &text[0], bytes, nullptr, nullptr);
    return text;
}

BSTR AnsiToBstr(const std::string& text) {
    const int length = static_cast<int>(text.size());
    const int chars = length ? MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0) : 0;
    BSTR wide = SysAllocStringLen(nullptr, chars > 0 ? chars : 0);
    if (wide && chars > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide, chars);
    return wide;
}
