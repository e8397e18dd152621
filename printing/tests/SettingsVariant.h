#pragma once
// A settings record in tests, its Settings(Field) read and written as plain values.
#include <gtest/gtest.h>
#include "Variants.h"
#include "core/IDefaultSettings.h"
#include "printing/PageSetupDialog.h"

struct FakeDefaultSettings : IDefaultSettings {
    long OnToolbarClick(long, long) override { return 0; }
    void OnRefreshEnd() override {}
    void OnRefreshBegin() override {}
    void OnAnchorClick(const char*, const char*) override {}
};

inline Variant Setting(CPageSetupDialog& record, long field) {
    Variant got;
    record.GetSettings(field, got.Put());
    return got;
}

inline long SettingLong(CPageSetupDialog& record, long field) {
    const Variant got = Setting(record, field);
    return got.Type() == VT_I4 ? V_I4(&got.Get()) : -99999;
}

inline std::string SettingText(CPageSetupDialog& record, long field) {
    const Variant got = Setting(record, field);
    return got.Type() == VT_BSTR ? VariantToAnsi(got.Get()) : "<not text>";
}

inline void PutLong(CPageSetupDialog& record, long field, long number) {
    EXPECT_EQ(record.PutSettings(field, NumberVariant(number).Get()), S_OK);
}

inline void PutText(CPageSetupDialog& record, long field, const std::string& text) {
    EXPECT_EQ(record.PutSettings(field, TextVariant(text).Get()), S_OK);
}
