#include "ImageListCheck.h"
#include <cstdint>

namespace {

constexpr size_t kListHeader = 28;   // ILHEAD
constexpr size_t kFileHeader = 14;   // BITMAPFILEHEADER
constexpr size_t kInfoHeader = 40;   // BITMAPINFOHEADER
constexpr uint32_t kLargestIcon = 256;
constexpr int32_t kLargestSide = 32768;
constexpr uint32_t kMaskFlag = 0x0001;  // ILC_MASK

uint32_t U16(const unsigned char* p) { return p[0] | (p[1] << 8); }
uint32_t U32(const unsigned char* p) { return U16(p) | (U16(p + 2) << 16); }

// One bitmap at `at` holding `count` images of cx x cy in columns of its width;
// advances `at` past it.
bool PlausibleBitmap(const unsigned char* data, size_t size, size_t& at, uint32_t cx, uint32_t cy, uint32_t count) {
    if (size - at < kFileHeader + kInfoHeader) return false;
    const unsigned char* file = data + at;
    const unsigned char* info = file + kFileHeader;
    const int32_t width = static_cast<int32_t>(U32(info + 4)), height = static_cast<int32_t>(U32(info + 8));
    const uint32_t planes = U16(info + 12), bits = U16(info + 14);
    if (file[0] != 'B' || file[1] != 'M' || U32(info) != kInfoHeader || planes != 1) return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide) return false;
    const uint32_t columns = static_cast<uint32_t>(width) / cx;
    if (columns == 0 || static_cast<uint32_t>(width) % cx != 0) return false;
    const uint64_t rows = (static_cast<uint64_t>(count) + columns - 1) / columns;
    if (rows * cy > static_cast<uint64_t>(height)) return false;
    const uint64_t palette = bits <= 8 ? (uint64_t(1) << bits) * 4 : 0;
    const uint64_t stride = ((static_cast<uint64_t>(width) * bits + 31) / 32) * 4;
    const uint64_t total = kFileHeader + kInfoHeader + palette + stride * static_cast<uint64_t>(height);
    if (total > size - at) return false;
    at += static_cast<size_t>(total);
    return true;
}

}  // namespace

bool PlausibleImageList(const unsigned char* data, size_t size) {
    if (!data || size < kListHeader) return false;
    const uint32_t magic = U16(data), count = U16(data + 4), capacity = U16(data + 6);
    const uint32_t cx = U16(data + 10), cy = U16(data + 12), flags = U16(data + 18);
    if (magic != 0x4C49 /* "IL" */ || cx == 0 || cy == 0 || cx > kLargestIcon || cy > kLargestIcon ||
        count > capacity)
        return false;
    size_t at = kListHeader;
    if (!PlausibleBitmap(data, size, at, cx, cy, count)) return false;
    return !(flags & kMaskFlag) || PlausibleBitmap(data, size, at, cx, cy, count);
}
