#include "PictureBytesCheck.h"
#include <algorithm>
#include <cstdint>
#include <set>

namespace {

uint32_t Little32(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

bool TruncatedBitmap(const Bytes& b) {
    constexpr size_t kHeaders = 14 + 40;  // BITMAPFILEHEADER + BITMAPINFOHEADER
    if (b.size() < kHeaders) return true;
    const uint64_t declared = Little32(b, 2), offset = Little32(b, 10);
    const int32_t width = static_cast<int32_t>(Little32(b, 18)), height = static_cast<int32_t>(Little32(b, 22));
    const uint32_t bits = b[28] | (b[29] << 8), compression = Little32(b, 30);
    if (declared > b.size()) return true;
    if (compression != 0 /* BI_RGB */ || width <= 0 || height == 0) return false;
    const uint64_t rows = height < 0 ? -static_cast<int64_t>(height) : height;
    const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    return offset + stride * rows > b.size();
}

// One icon image: a PNG, or a DIB whose colours and mask fit in its bytes.
bool BrokenIconImage(const Bytes& b, size_t at, uint64_t bytes) {
    if (b[at] == 0x89 && b[at + 1] == 'P' && b[at + 2] == 'N' && b[at + 3] == 'G') return false;
    const int32_t width = static_cast<int32_t>(Little32(b, at + 4)), height = static_cast<int32_t>(Little32(b, at + 8));
    const uint32_t planes = b[at + 12] | (b[at + 13] << 8), bits = b[at + 14] | (b[at + 15] << 8);
    const uint32_t compression = Little32(b, at + 16), used = Little32(b, at + 32);
    if (Little32(b, at) != 40 || planes != 1 || compression != 0) return true;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return true;
    if (width <= 0 || width > 256 || height <= 0 || height > 512 || height % 2) return true;
    const uint64_t rows = height / 2;
    const uint64_t colours = bits <= 8 ? (used && used < (1u << bits) ? used : (uint64_t(1) << bits)) : 0;
    const uint64_t colourStride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    const uint64_t maskStride = ((static_cast<uint64_t>(width) + 31) / 32) * 4;
    return 40 + colours * 4 + (colourStride + maskStride) * rows > bytes;
}

// An icon or cursor file whose directory, or one of the images it points at,
// does not lie within the bytes.
bool BrokenIconFile(const Bytes& b) {
    constexpr size_t kDirectory = 6, kEntry = 16, kSmallestImage = 40;
    const size_t count = b[4] | (b[5] << 8);
    if (count == 0 || kDirectory + count * kEntry > b.size()) return true;
    for (size_t i = 0; i < count; ++i) {
        const size_t at = kDirectory + i * kEntry;
        const uint64_t bytes = Little32(b, at + 8), offset = Little32(b, at + 12);
        if (bytes < kSmallestImage || offset < kDirectory + count * kEntry || offset + bytes > b.size() ||
            BrokenIconImage(b, static_cast<size_t>(offset), bytes))
            return true;
    }
    return false;
}

// TIFF in either byte order. Every directory and every value stored outside
// its entry must lie within the bytes, directories must not loop, and every
// strip must too; an uncompressed strip may not hold more than its rows.
class CTiffCheck {
public:
    explicit CTiffCheck(const Bytes& b) : m_b(b), m_little(b[0] == 'I') {}

    bool Broken() const {
        if (m_b.size() < 8) return true;
        std::set<uint64_t> seen;
        uint64_t directory = U32(4);
        if (directory == 0) return true;
        while (directory != 0) {
            if (!seen.insert(directory).second || directory + 2 > m_b.size()) return true;
            const uint64_t entries = U16(directory);
            if (entries == 0 || directory + 2 + entries * 12 + 4 > m_b.size()) return true;
            if (BrokenDirectory(directory + 2, entries)) return true;
            directory = U32(directory + 2 + entries * 12);
        }
        return false;
    }

private:
    struct Entry {
        uint32_t type = 0;
        uint64_t count = 0, at = 0;  // at: where the values are
    };

    uint32_t U16(uint64_t at) const {
        return m_little ? m_b[at] | (m_b[at + 1] << 8) : (m_b[at] << 8) | m_b[at + 1];
    }
    uint64_t U32(uint64_t at) const {
        return m_little ? (U16(at) | (static_cast<uint64_t>(U16(at + 2)) << 16))
                        : ((static_cast<uint64_t>(U16(at)) << 16) | U16(at + 2));
    }
    // Value i of a SHORT or LONG entry; 0 for other types.
    uint64_t Value(const Entry& e, uint64_t i) const {
        if (e.type == 3) return U16(e.at + 2 * i);
        if (e.type == 4) return U32(e.at + 4 * i);
        return 0;
    }

    bool BrokenDirectory(uint64_t first, uint64_t entries) const {
        static const uint32_t kTypeSize[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
        Entry width, height, bits, compression, samples, rowsPerStrip, offsets, counts;
        for (uint64_t i = 0; i < entries; ++i) {
            const uint64_t at = first + i * 12;
            Entry e;
            e.type = U16(at + 2);
            e.count = U32(at + 4);
            if (e.type == 0 || e.type >= sizeof kTypeSize / sizeof kTypeSize[0]) return true;
            const uint64_t bytes = e.count * kTypeSize[e.type];
            e.at = bytes > 4 ? U32(at + 8) : at + 8;
            if (e.at + bytes > m_b.size()) return true;
            switch (U16(at)) {
            case 256: width = e; break;
            case 257: height = e; break;
            case 258: bits = e; break;
            case 259: compression = e; break;
            case 273: offsets = e; break;
            case 277: samples = e; break;
            case 278: rowsPerStrip = e; break;
            case 279: counts = e; break;
            default: break;
            }
        }
        if (offsets.count != counts.count) return true;
        const uint64_t w = width.count ? Value(width, 0) : 0, h = height.count ? Value(height, 0) : 0;
        const uint64_t rows = rowsPerStrip.count ? Value(rowsPerStrip, 0) : h;
        const uint64_t rowBytes = (w * (samples.count ? Value(samples, 0) : 1) * (bits.count ? Value(bits, 0) : 1) + 7) / 8;
        const bool raw = !compression.count || Value(compression, 0) == 1;
        for (uint64_t i = 0; i < offsets.count; ++i) {
            const uint64_t offset = Value(offsets, i), count = Value(counts, i);
            if (offset + count > m_b.size()) return true;
            if (raw && count > rowBytes * std::min(rows, h)) return true;
        }
        return false;
    }

    const Bytes& m_b;
    bool m_little;
};

}  // namespace

bool DamagedPictureBytes(const Bytes& b) {
    if (b.size() >= 2 && b[0] == 'B' && b[1] == 'M') return TruncatedBitmap(b);
    if (b.size() >= 6 && b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0)
        return BrokenIconFile(b);
    if (b.size() >= 4 && ((b[0] == 'I' && b[1] == 'I' && b[2] == 42 && b[3] == 0) ||
                          (b[0] == 'M' && b[1] == 'M' && b[2] == 0 && b[3] == 42)))
        return CTiffCheck(b).Broken();
    return false;
}
