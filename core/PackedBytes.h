#pragma once
// Bytes kept deflated: a recorded page's metafile shrinks to a fraction of its size, and
// comes back exactly when it is played, exported or copied.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace packedbytes {

// The deflated form of `raw`; empty when `raw` is.
std::vector<uint8_t> Pack(const std::vector<uint8_t>& raw);
// The `rawSize` bytes that `packed` holds; false (and `out` empty) when they are not exactly
// there, whatever `packed` contains.
bool Unpack(const std::vector<uint8_t>& packed, size_t rawSize, std::vector<uint8_t>& out);

}  // namespace packedbytes
