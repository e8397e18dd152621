#pragma once
// The text a recorded page drew, read from its enhanced-metafile bytes: one run per text
// record, placed in the reference device's pixels. The bytes come from a provider's drawing
// and are not trusted: a damaged record is skipped, never read past its end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pagetext {

struct Box {
    float left = 0, top = 0, right = 0, bottom = 0;
    bool Empty() const { return right <= left || bottom <= top; }
};

// The font selected when a run was drawn, as its creation record gave it.
struct FontInfo {
    int32_t height = 0;  // logical units: negative is the character height, positive the cell's
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t charSet = 0;
    std::u16string face;
};

// Turns what a record holds into UTF-16. The Windows side knows code pages and fonts; the
// plain one reads narrow text as Latin-1 and cannot map glyph indices.
class Decoder {
public:
    virtual ~Decoder() = default;
    virtual std::u16string Narrow(const uint8_t* bytes, size_t count, uint8_t charSet) const;
    // Empty when the glyphs cannot be mapped back: the run is left out.
    virtual std::u16string Glyphs(const FontInfo& font, const uint16_t* glyphs, size_t count) const;
};

struct Run {
    std::u16string text;
    // text.size() + 1 horizontal positions, character i spanning edges[i] .. edges[i + 1];
    // empty when the characters were not placed.
    std::vector<float> edges;
    float left = 0, right = 0, baseline = 0, ascent = 0, descent = 0;
    float Left() const { return left; }
    float Right() const { return right; }
    float Height() const { return ascent + descent; }
};

struct PageRuns {
    Box page;  // the metafile's frame in device pixels
    std::vector<Run> runs;
};

// Every text record of the metafile (wide and narrow ExtTextOut, PolyTextOut) in drawing order,
// with the mapping, text alignment and font in force where it was drawn. Without
// placeCharacters only the runs are placed (what reading order needs; searching is faster).
PageRuns ReadRuns(const uint8_t* bits, size_t size, const Decoder& decoder, bool placeCharacters = true);

}  // namespace pagetext
