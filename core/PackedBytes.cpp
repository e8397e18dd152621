#include "PackedBytes.h"
#include <zlib.h>
#include <new>

namespace packedbytes {

std::vector<uint8_t> Pack(const std::vector<uint8_t>& raw) {
    if (raw.empty()) return {};
    // Metafile records repeat a lot: the fastest level already takes most of the gain.
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(size);
    const int result = compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_SPEED);
    if (result == Z_MEM_ERROR) throw std::bad_alloc();
    if (result != Z_OK) return {};
    packed.resize(size);
    packed.shrink_to_fit();
    return packed;
}

bool Unpack(const std::vector<uint8_t>& packed, size_t rawSize, std::vector<uint8_t>& out) {
    out.assign(rawSize, 0);
    uLongf size = static_cast<uLongf>(rawSize);
    if (packed.empty() || uncompress(out.data(), &size, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
        size != rawSize) {
        out.clear();
        return false;
    }
    return true;
}

}  // namespace packedbytes
