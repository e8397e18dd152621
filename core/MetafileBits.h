#pragma once
// Editing the bytes of an enhanced metafile record by record: a marker comment taken out, a
// metafile cut short. The header's byte and record counts follow every edit.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace metafilebits {

constexpr uint32_t kComment = 70;  // EMR_GDICOMMENT
constexpr uint32_t kEof = 14;      // EMR_EOF

// Removes the first comment record whose data is exactly `tag` (tagSize bytes); answers the
// byte offset it had, or 0 when there was none (the header is never a comment).
size_t RemoveComment(std::vector<uint8_t>& bits, const void* tag, size_t tagSize);
// The records before `offset` (a record boundary), then an end-of-file record.
std::vector<uint8_t> CutAt(const std::vector<uint8_t>& bits, size_t offset);

}  // namespace metafilebits
