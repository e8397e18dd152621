#include "FontTextDecoder.h"
#include "Gdi.h"
#include <vector>

std::u16string CFontTextDecoder::Narrow(const uint8_t* bytes, size_t count, uint8_t charSet) const {
    CHARSETINFO info{};
    UINT codePage = CP_ACP;
    if (charSet != DEFAULT_CHARSET &&
        TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(charSet)), &info, TCI_SRCCHARSET))
        codePage = info.ciACP;
    if (!count || count > 0x7FFFFFF) return {};
    const int n = static_cast<int>(count);
    const char* text = reinterpret_cast<const char*>(bytes);
    const int wide = MultiByteToWideChar(codePage, 0, text, n, nullptr, 0);
    std::u16string out(static_cast<size_t>(wide > 0 ? wide : 0), u'\0');
    if (wide > 0) MultiByteToWideChar(codePage, 0, text, n, reinterpret_cast<wchar_t*>(&out[0]), wide);
    return out;
}

std::u16string CFontTextDecoder::Glyphs(const pagetext::FontInfo& font, const uint16_t* glyphs, size_t count) const {
    const auto& map = GlyphMap(font);
    std::u16string out;
    for (size_t i = 0; i < count; ++i) {
        auto it = map.find(glyphs[i]);
        if (it == map.end()) return {};  // one glyph we cannot name leaves the run out
        out += it->second;
    }
    return out;
}

const std::unordered_map<uint16_t, char16_t>& CFontTextDecoder::GlyphMap(const pagetext::FontInfo& font) const {
    const FontKey key{font.face, font.weight, font.italic, font.charSet};
    if (auto it = maps_.find(key); it != maps_.end()) return it->second;
    if (maps_.size() >= kFontsKept) maps_.clear();
    auto& map = maps_[key];
    LOGFONTW lf{};
    lf.lfHeight = -64;  // glyph indices do not depend on the size
    lf.lfWeight = font.weight;
    lf.lfItalic = font.italic;
    lf.lfCharSet = font.charSet;
    for (size_t i = 0; i < font.face.size() && i < LF_FACESIZE - 1; ++i) lf.lfFaceName[i] = font.face[i];
    COwnedDC dc(CreateCompatibleDC(nullptr));
    Font handle(CreateFontIndirectW(&lf));
    if (!dc.Get() || !handle.Get()) return map;
    CSelectObject select(dc.Get(), handle.Get());
    const DWORD size = GetFontUnicodeRanges(dc.Get(), nullptr);
    if (!size) return map;
    std::vector<BYTE> buffer(size);
    auto* set = reinterpret_cast<GLYPHSET*>(buffer.data());
    if (!GetFontUnicodeRanges(dc.Get(), set)) return map;
    std::vector<wchar_t> chars;
    for (DWORD r = 0; r < set->cRanges; ++r)
        for (USHORT k = 0; k < set->ranges[r].cGlyphs; ++k)
            chars.push_back(static_cast<wchar_t>(set->ranges[r].wcLow + k));
    std::vector<WORD> indices(chars.size());
    if (chars.empty() ||
        GetGlyphIndicesW(dc.Get(), chars.data(), static_cast<int>(chars.size()), indices.data(), GGI_MARK_NONEXISTING_GLYPHS) ==
            GDI_ERROR)
        return map;
    for (size_t i = 0; i < chars.size(); ++i)
        if (indices[i] != 0xFFFF) map.emplace(indices[i], static_cast<char16_t>(chars[i]));  // the first name wins
    return map;
}
