#pragma once
// VARIANT conversions the automation properties of the settings record use.
#include <windows.h>
#include <oleauto.h>

#include <string>

// A VARIANT cleared when its scope ends.
class CVariant {
public:
    CVariant() { VariantInit(&value); }
    ~CVariant() { VariantClear(&value); }
    CVariant(const CVariant&) = delete;
    CVariant& operator=(const CVariant&) = delete;
    VARIANT value;
};

// The value as a 32-bit integer; a missing argument (VT_ERROR) or a value
// that does not convert counts as 0.
long VariantToLong(const VARIANT& value);
// The value as text in the system code page; empty when missing (VT_ERROR)
// or when it does not convert.
std::string VariantToAnsi(const VARIANT& value);
// A BSTR made from text in the system code page (caller frees).
BSTR AnsiToBstr(const std::string& text);
