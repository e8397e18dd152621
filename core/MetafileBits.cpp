#include "MetafileBits.h"
#include <cstring>

namespace metafilebits {
namespace {

constexpr size_t kBytesField = 48, kRecordsField = 52, kHeaderMin = 88;

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

void Write32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

// The size of the record at `at`, or 0 when it is not a whole record inside the bytes.
size_t RecordSize(const std::vector<uint8_t>& b, size_t at) {
    if (at + 8 > b.size()) return 0;
    const size_t size = Read32(b, at + 4);
    return size >= 8 && size % 4 == 0 && size <= b.size() - at ? size : 0;
}

}  // namespace

size_t RemoveComment(std::vector<uint8_t>& bits, const void* tag, size_t tagSize) {
    if (bits.size() < kHeaderMin) return 0;
    for (size_t at = RecordSize(bits, 0), size; at && (size = RecordSize(bits, at)); at += size) {
        if (Read32(bits, at) != kComment || size < 12 + tagSize || Read32(bits, at + 8) != tagSize) continue;
        if (std::memcmp(bits.data() + at + 12, tag, tagSize) != 0) continue;
        bits.erase(bits.begin() + static_cast<std::ptrdiff_t>(at), bits.begin() + static_cast<std::ptrdiff_t>(at + size));
        Write32(bits, kBytesField, static_cast<uint32_t>(bits.size()));
        Write32(bits, kRecordsField, Read32(bits, kRecordsField) - 1);
        return at;
    }
    return 0;
}

std::vector<uint8_t> CutAt(const std::vector<uint8_t>& bits, size_t offset) {
    if (bits.size() < kHeaderMin || offset > bits.size()) return bits;
    uint32_t records = 0;
    size_t end = 0;
    for (size_t size; end < offset && (size = RecordSize(bits, end)); end += size) ++records;
    std::vector<uint8_t> cut(bits.begin(), bits.begin() + static_cast<std::ptrdiff_t>(end));
    const uint32_t eof[5] = {kEof, 20, 0, 16, 20};  // no palette entries
    const auto* p = reinterpret_cast<const uint8_t*>(eof);
    cut.insert(cut.end(), p, p + sizeof eof);
    Write32(cut, kBytesField, static_cast<uint32_t>(cut.size()));
    Write32(cut, kRecordsField, records + 1);
    return cut;
}

}  // namespace metafilebits
