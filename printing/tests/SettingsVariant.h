#pragma once
// Reading and writing Settings(Field) in tests as plain values.
#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <string>

#include "printing/PageSetupDialog.h"
#include "Text.h"
#include "Variant.h"

inline std::string Narrow(BSTR text) {
    std::string out;
    for (UINT i = 0; text && i < SysStringLen(text); ++i) out += static_cast<char>(text[i]);
    return out;
}

inline VARTYPE SettingType(CPageSetupDialog& record, long field) {
    Variant got;
    record.GetSettings(field, got.Put());
    return got.Type();
}

inline long SettingLong(CPageSetupDialog& record, long field) {
    Variant got;
    record.GetSettings(field, got.Put());
    return got.Type() == VT_I4 ? V_I4(&got.Get()) : -99999;
}

inline std::string SettingText(CPageSetupDialog& record, long field) {
    Variant got;
    record.GetSettings(field, got.Put());
    return got.Type() == VT_BSTR ? Narrow(V_BSTR(&got.Get())) : "<not text>";
}

inline void PutLong(CPageSetupDialog& record, long field, long number) {
    VARIANT value;
    value.vt = VT_I4;
    value.lVal = number;
    EXPECT_EQ(record.PutSettings(field, value), S_OK);
}

inline void PutText(CPageSetupDialog& record, long field, const std::string& text) {
    Variant value;
    V_VT(value.Put()) = VT_BSTR;
    BSTR b = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
    for (size_t i = 0; i < text.size(); ++i) b[i] = static_cast<unsigned char>(text[i]);
    V_BSTR(value.Ptr()) = b;
    EXPECT_EQ(record.PutSettings(field, value.Get()), S_OK);
}
