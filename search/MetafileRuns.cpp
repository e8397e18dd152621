#include "MetafileRuns.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

namespace pagetext {
namespace {

// Record types and constants of the enhanced-metafile format that the text depends on.
enum : uint32_t {
    kHeader = 1, kEof = 14, kSetWindowExt = 9, kSetWindowOrg = 10, kSetViewportExt = 11, kSetViewportOrg = 12,
    kSetMapMode = 17, kSetTextAlign = 22, kScaleViewportExt = 31, kScaleWindowExt = 32, kSaveDC = 33,
    kRestoreDC = 34, kSelectObject = 37, kDeleteObject = 40, kCreateFont = 82, kTextOutA = 83, kTextOutW = 84,
    kPolyTextOutA = 96, kPolyTextOutW = 97,
};
constexpr uint32_t kGlyphIndex = 0x10, kPdy = 0x2000;  // ETO_GLYPH_INDEX, ETO_PDY
constexpr uint32_t kAlignVertical = 24, kAlignBottom = 8, kAlignBaseline = 24;
constexpr uint32_t kAlignHorizontal = 6, kAlignRight = 2, kAlignCenter = 6;
constexpr uint32_t kStockObject = 0x80000000u;
constexpr size_t kMaxSaveDepth = 1024;
constexpr size_t kMaxFonts = 65536;

class Reader {
public:
    Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Has(size_t at, size_t bytes) const { return at <= size_ && bytes <= size_ - at; }
    uint32_t U32(size_t at) const {
        return Has(at, 4) ? uint32_t(data_[at]) | uint32_t(data_[at + 1]) << 8 | uint32_t(data_[at + 2]) << 16 |
                                uint32_t(data_[at + 3]) << 24
                          : 0;
    }
    int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }
    uint16_t U16(size_t at) const { return Has(at, 2) ? uint16_t(data_[at] | data_[at + 1] << 8) : 0; }
    uint8_t U8(size_t at) const { return Has(at, 1) ? data_[at] : 0; }
    const uint8_t* At(size_t at) const { return data_ + at; }

private:
    const uint8_t* data_;
    size_t size_;
};

// What SaveDC keeps: the mapping and the text alignment.
struct DCState {
    uint32_t mapMode = 1;  // MM_TEXT
    double wox = 0, woy = 0, wex = 1, wey = 1, vox = 0, voy = 0, vex = 1, vey = 1;
    uint32_t align = 0;
    uint32_t font = kStockObject;
};

class Player {
public:
    Player(const Reader& r, const Decoder& d, bool place) : r_(r), decoder_(d), place_(place) {}

    PageRuns Play(size_t size) {
        PageRuns out;
        if (size < 88 || r_.U32(0) != kHeader) return out;
        const size_t headerSize = r_.U32(4);
        if (headerSize < 88 || headerSize > size) return out;
        const double devX = r_.I32(72), devY = r_.I32(76), mmX = r_.I32(80), mmY = r_.I32(84);
        // Device pixels per millimetre: what the metric mapping modes and the frame rest on.
        pxPerMmX_ = devX > 0 && mmX > 0 ? devX / mmX : 1;
        pxPerMmY_ = devY > 0 && mmY > 0 ? devY / mmY : 1;
        out.page = Box{float(r_.I32(24) * pxPerMmX_ / 100), float(r_.I32(28) * pxPerMmY_ / 100),
                       float(r_.I32(32) * pxPerMmX_ / 100), float(r_.I32(36) * pxPerMmY_ / 100)};
        for (size_t at = headerSize; r_.Has(at, 8);) {
            const uint32_t type = r_.U32(at), length = r_.U32(at + 4);
            if (length < 8 || length % 4 || !r_.Has(at, length)) break;  // the rest cannot be framed
            if (type == kEof) break;
            Record(type, at, length, out.runs);
            at += length;
        }
        return out;
    }

private:
    void Record(uint32_t type, size_t at, size_t length, std::vector<Run>& runs) {
        auto need = [&](size_t bytes) { return length >= bytes; };
        switch (type) {
        case kSetWindowExt:
            if (need(16) && r_.I32(at + 8) && r_.I32(at + 12)) s_.wex = r_.I32(at + 8), s_.wey = r_.I32(at + 12);
            break;
        case kSetViewportExt:
            if (need(16) && r_.I32(at + 8) && r_.I32(at + 12)) s_.vex = r_.I32(at + 8), s_.vey = r_.I32(at + 12);
            break;
        case kSetWindowOrg:
            if (need(16)) s_.wox = r_.I32(at + 8), s_.woy = r_.I32(at + 12);
            break;
        case kSetViewportOrg:
            if (need(16)) s_.vox = r_.I32(at + 8), s_.voy = r_.I32(at + 12);
            break;
        case kScaleViewportExt:
        case kScaleWindowExt:
            if (need(24)) Scale(type == kScaleViewportExt ? s_.vex : s_.wex, type == kScaleViewportExt ? s_.vey : s_.wey, at);
            break;
        case kSetMapMode:
            if (need(12)) s_.mapMode = r_.U32(at + 8);
            break;
        case kSetTextAlign:
            if (need(12)) s_.align = r_.U32(at + 8);
            break;
        case kSaveDC:
            if (saved_.size() < kMaxSaveDepth) saved_.push_back(s_);
            break;
        case kRestoreDC:
            if (need(12)) Restore(r_.I32(at + 8));
            break;
        case kSelectObject:
            if (need(12)) {
                // Only fonts matter: the stock fonts (10 to 17 but the palette, 15) and those created here.
                const uint32_t object = r_.U32(at + 8), stock = object & ~kStockObject;
                const bool font = object & kStockObject ? stock >= 10 && stock <= 17 && stock != 15 : fonts_.count(object) != 0;
                if (font) s_.font = object;
            }
            break;
        case kDeleteObject:
            if (need(12)) fonts_.erase(r_.U32(at + 8));
            break;
        case kCreateFont:
            if (need(12 + 92) && (fonts_.size() < kMaxFonts || fonts_.count(r_.U32(at + 8)))) {
                FontInfo f;
                f.height = r_.I32(at + 12);
                f.weight = r_.I32(at + 28);
                f.italic = r_.U8(at + 32);
                f.charSet = r_.U8(at + 35);
                for (size_t i = 0; i < 32; ++i) {
                    const char16_t c = r_.U16(at + 40 + 2 * i);
                    if (!c) break;
                    f.face += c;
                }
                fonts_[r_.U32(at + 8)] = std::move(f);
            }
            break;
        case kTextOutA:
        case kTextOutW:
            if (need(76)) Text(at, length, at + 36, type == kTextOutW, runs);
            break;
        case kPolyTextOutA:
        case kPolyTextOutW:
            if (need(40)) {
                const uint64_t count = r_.U32(at + 36);
                for (uint64_t i = 0; i < count && 40 + (i + 1) * 40 <= length; ++i)
                    Text(at, length, at + 40 + size_t(i) * 40, type == kPolyTextOutW, runs);
            }
            break;
        default:
            break;
        }
    }

    void Scale(double& x, double& y, size_t at) {
        const int32_t xNum = r_.I32(at + 8), xDen = r_.I32(at + 12), yNum = r_.I32(at + 16), yDen = r_.I32(at + 20);
        if (xNum && xDen && yNum && yDen) x = x * xNum / xDen, y = y * yNum / yDen;
    }

    void Restore(int32_t which) {
        // Negative: relative to the latest save; positive: the n-th save counted from the first.
        size_t keep;
        if (which < 0) {
            const size_t back = size_t(-int64_t(which));
            if (back > saved_.size()) return;
            keep = saved_.size() - back;
        } else {
            if (which == 0 || size_t(which) > saved_.size()) return;
            keep = size_t(which) - 1;
        }
        s_ = saved_[keep];
        saved_.resize(keep);
    }

    // Logical units to device pixels along x and y.
    void Factors(double& sx, double& sy) const {
        switch (s_.mapMode) {
        case 2: sx = pxPerMmX_ / 10, sy = -pxPerMmY_ / 10; return;      // MM_LOMETRIC
        case 3: sx = pxPerMmX_ / 100, sy = -pxPerMmY_ / 100; return;    // MM_HIMETRIC
        case 4: sx = pxPerMmX_ * 0.254, sy = -pxPerMmY_ * 0.254; return;  // MM_LOENGLISH
        case 5: sx = pxPerMmX_ * 0.0254, sy = -pxPerMmY_ * 0.0254; return;  // MM_HIENGLISH
        case 6: sx = pxPerMmX_ * 25.4 / 1440, sy = -pxPerMmY_ * 25.4 / 1440; return;  // MM_TWIPS
        case 7: {  // MM_ISOTROPIC: both axes take the smaller scale
            const double m = std::min(std::fabs(s_.vex / s_.wex), std::fabs(s_.vey / s_.wey));
            sx = s_.vex / s_.wex < 0 ? -m : m;
            sy = s_.vey / s_.wey < 0 ? -m : m;
            return;
        }
        case 8: sx = s_.vex / s_.wex, sy = s_.vey / s_.wey; return;  // MM_ANISOTROPIC
        default: sx = sy = 1; return;
        }
    }

    void Text(size_t record, size_t length, size_t text, bool wide, std::vector<Run>& runs) {
        const int32_t x = r_.I32(text), y = r_.I32(text + 4);
        const uint64_t chars = r_.U32(text + 8), offString = r_.U32(text + 12), options = r_.U32(text + 16);
        const uint64_t offDx = r_.U32(text + 36);
        const uint64_t unit = wide || (options & kGlyphIndex) ? 2 : 1;
        if (!chars || offString + chars * unit > length) return;
        const FontInfo* font = nullptr;
        if (auto it = fonts_.find(s_.font); it != fonts_.end()) font = &it->second;

        Run run;
        const size_t at = record + size_t(offString);
        if (options & kGlyphIndex) {
            if (!font) return;
            std::vector<uint16_t> glyphs(static_cast<size_t>(chars));
            for (size_t i = 0; i < glyphs.size(); ++i) glyphs[i] = r_.U16(at + 2 * i);
            run.text = decoder_.Glyphs(*font, glyphs.data(), glyphs.size());
            if (run.text.size() != glyphs.size()) return;  // widths no longer line up with characters
        } else if (wide) {
            run.text.resize(size_t(chars));
            std::memcpy(&run.text[0], r_.At(at), size_t(chars) * 2);  // little-endian, as the record
            static_assert(sizeof(char16_t) == 2, "UTF-16 code units");
        } else {
            run.text = decoder_.Narrow(r_.At(at), size_t(chars), font ? font->charSet : 0);
            if (run.text.size() != chars) run.text.resize(size_t(chars), u'?');
        }
        for (char16_t& c : run.text)
            if (c < 0x20 || c == 0x7F) c = u' ';  // control characters would break lines and words

        double sx, sy;
        Factors(sx, sy);
        const double dx = s_.vox + (x - s_.wox) * sx, dy = s_.voy + (y - s_.woy) * sy;
        // Stock fonts and fonts of height 0 are about 12 logical units high.
        const double height = font && font->height ? std::fabs(double(font->height)) : 12;
        const double em = (font && font->height > 0 ? height * 0.85 : height) * std::fabs(sy);
        run.ascent = float(em * 0.9);
        run.descent = float(em * 0.25);

        // Advances from the record's spacing array when it is whole, else half an em each.
        const uint64_t step = options & kPdy ? 8 : 4;
        const bool hasDx = offDx && offDx + chars * step <= length;
        if (place_) run.edges.resize(run.text.size() + 1);
        double width = 0;
        if (!hasDx) {
            width = em / 2 * double(run.text.size());
            for (size_t i = 0; place_ && i < run.text.size(); ++i) run.edges[i + 1] = float(em / 2 * double(i + 1));
        } else {
            // The same sums with and without the places: the text comes out the same either way.
            for (size_t i = 0; i < run.text.size(); ++i) {
                int32_t advance;
                std::memcpy(&advance, r_.At(record + size_t(offDx) + i * size_t(step)), 4);
                width += std::min(std::fabs(advance * sx), 1e7);
                if (place_) run.edges[i + 1] = float(width);
            }
        }
        const uint32_t h = s_.align & kAlignHorizontal;
        const double left = h == kAlignCenter ? dx - width / 2 : h == kAlignRight ? dx - width : dx;
        for (float& e : run.edges) e += float(left);
        run.left = float(left);
        run.right = float(left + width);
        const uint32_t v = s_.align & kAlignVertical;
        run.baseline = float(v == kAlignBaseline ? dy : v == kAlignBottom ? dy - run.descent : dy + run.ascent);
        if (!std::isfinite(run.baseline) || !std::isfinite(run.left) || !std::isfinite(run.right)) return;
        runs.push_back(std::move(run));
    }

    const Reader& r_;
    const Decoder& decoder_;
    const bool place_;
    double pxPerMmX_ = 1, pxPerMmY_ = 1;
    DCState s_;
    std::vector<DCState> saved_;
    std::map<uint32_t, FontInfo> fonts_;
};

}  // namespace

std::u16string Decoder::Narrow(const uint8_t* bytes, size_t count, uint8_t) const {
    return std::u16string(bytes, bytes + count);
}

std::u16string Decoder::Glyphs(const FontInfo&, const uint16_t*, size_t) const { return {}; }

PageRuns ReadRuns(const uint8_t* bits, size_t size, const Decoder& decoder, bool placeCharacters) {
    if (!bits) return {};
    Reader reader(bits, size);
    return Player(reader, decoder, placeCharacters).Play(size);
}

}  // namespace pagetext
