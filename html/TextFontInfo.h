#pragma once
// Font attributes of a caption run, kept without any window-system object:
// the drawing side turns a record into its OLE and GDI fonts.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// Holds nothing or one value (a colour that is set or inherited).
template <class T>
using CSmartObject = std::optional<T>;

// A font face named by mark-up: what the drawing side needs for the OLE font
// description. Shared between the records that inherit it.
struct TextFontFace {
    std::string Name;        // ANSI code page
    int64_t SizeCy = 100000; // 10 points in the currency unit
    int16_t Weight = 400;
    int16_t Charset = 1;     // DEFAULT_CHARSET
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    // The drawing side's OLE font for this face, made on first use and
    // released with the face.
    mutable std::shared_ptr<void> OleFont;
};

class TextFontInfo {
public:
    TextFontInfo() = default;
    TextFontInfo(const TextFontInfo&) = default;
    TextFontInfo& operator=(const TextFontInfo&) = default;
    virtual ~TextFontInfo() = default;

    // ORs the flags, takes a non-zero size and a present face; colours are
    // combined by the caller.
    void Merge(const TextFontInfo& other);
    void Assign(const TextFontInfo& other) { *this = other; }
    // A flag, a size, a face or a colour: only then is a font made at all.
    bool HasAttributes() const;

    int16_t Bold = 0;
    int16_t Italic = 0;
    int16_t Underline = 0;
    int16_t Strikeout = 0;
    int16_t Rotated = 0;  // escapement and orientation 900
    int32_t Size = 0;     // points; 0 inherits
    std::shared_ptr<const TextFontFace> Face;
    // COLORREF-style: red in the low byte; higher bits mark automation colours.
    CSmartObject<uint32_t> BackColor;
    CSmartObject<uint32_t> TextColor;
};
