#pragma once
// Reads the text records of recorded pages the way Windows drew them: narrow text through the
// code page of the font's character set, glyph indices back through the font's character map.
#include "MetafileRuns.h"
#include <map>
#include <tuple>
#include <unordered_map>

class CFontTextDecoder : public pagetext::Decoder {
public:
    std::u16string Narrow(const uint8_t* bytes, size_t count, uint8_t charSet) const override;
    std::u16string Glyphs(const pagetext::FontInfo& font, const uint16_t* glyphs, size_t count) const override;

private:
    using FontKey = std::tuple<std::u16string, int32_t, uint8_t, uint8_t>;
    // Glyph index to character for one font; empty when the font cannot tell.
    const std::unordered_map<uint16_t, char16_t>& GlyphMap(const pagetext::FontInfo& font) const;
    static constexpr size_t kFontsKept = 16;  // a page uses a handful; a hostile one many
    mutable std::map<FontKey, std::unordered_map<uint16_t, char16_t>> maps_;
};
