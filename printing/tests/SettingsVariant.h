#pragma once
// Reading and writing Settings(Field) in tests as plain values.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>

#include "printing/PageSetupDialog.h"
#include "printing/VariantText.h"

inline std::string Narrow(BSTR text) {
    std::string out;
    for (UINT i = 0; text && i < SysStringLen(text); ++i) out += static_cast<char>(text[i]);
    return out;
}

inline VARTYPE SettingType(CPageSetupDialog& record, long field) {
    CVariant got;
    record.GetSettings(field, &got.value);
    return got.value.vt;
}

inline long SettingLong(CPageSetupDialog& record, long field) {
    CVariant got;
    record.GetSettings(field, &got.value);
    return got.value.vt == VT_I4 ? got.value.lVal : -99999;
}

inline std::string SettingText(CPageSetupDialog& record, long field) {
    CVariant got;
    record.GetSettings(field, &got.value);
    return got.value.vt == VT_BSTR ? Narrow(got.value.bstrVal) : "<not text>";
}

inline void PutLong(CPageSetupDialog& record, long field, long number) {
    VARIANT value;
    value.vt = VT_I4;
    value.lVal = number;
    EXPECT_EQ(record.PutSettings(field, value), S_OK);
}

inline void PutText(CPageSetupDialog& record, long field, const std::string& text) {
    CVariant value;
    value.value.vt = VT_BSTR;
    value.value.bstrVal = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
    for (size_t i = 0; i < text.size(); ++i) value.value.bstrVal[i] = static_cast<unsigned char>(text[i]);
    EXPECT_EQ(record.PutSettings(field, value.value), S_OK);
}
