#pragma once
// Colour values of the automation surface as GDI colours: a value with no bits
// above 0x00FFFFFF is already RGB (red in the low byte); any other value is an
// OLE colour (system colours included) resolved by OleTranslateColor.
#include <windows.h>
#include <olectl.h>

#include <cstdint>

// A value OleTranslateColor rejects draws as black, like an unset colour.
inline COLORREF ToColorRef(uint32_t value) {
    if ((value & 0xFF000000u) == 0) return value;
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(static_cast<OLE_COLOR>(value), nullptr, &rgb))) return 0;
    return rgb;
}
