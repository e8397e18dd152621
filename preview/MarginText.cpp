#include "MarginText.h"

#include <windows.h>

#include <cstdio>

std::string MarginText(long value, bool inch) {
    // GetNumberFormatA wants plain digits with '.'; it applies the user's separators and decimals.
    char plain[64];
    std::snprintf(plain, sizeof plain, inch ? "%.3f" : "%.2f", value / (inch ? 1000.0 : 100.0));
    char formatted[128] = {};
    std::string text = GetNumberFormatA(LOCALE_USER_DEFAULT, 0, plain, nullptr, formatted, sizeof formatted)
                           ? formatted
                           : plain;
    return text + (inch ? "\"" : " mm");
}

std::string MarginToolTip(const std::string& caption, long value, bool inch) {
    return caption + " (" + MarginText(value, inch) + ")";
}
