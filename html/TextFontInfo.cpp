#include "TextFontInfo.h"

void TextFontInfo::Merge(const TextFontInfo& other) {
    Bold |= other.Bold;
    Italic |= other.Italic;
    Underline |= other.Underline;
    Strikeout |= other.Strikeout;
    Rotated |= other.Rotated;
    if (other.Size != 0) Size = other.Size;
    if (other.Face) Face = other.Face;
}

bool TextFontInfo::HasAttributes() const {
    return Bold || Italic || Underline || Strikeout || Rotated || Size != 0 || Face ||
           BackColor || TextColor;
}
