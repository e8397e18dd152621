#pragma once
// Bytes kept deflated: a recorded page's metafile shrinks to a fraction of its size, and
// comes back exactly when it is played, exported or copied. Pages of one document look alike:
// deflated against a dictionary made of one of them, each of the others shrinks much further.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace packedbytes {

using Bytes = std::vector<uint8_t>;

// The deflated form of `raw` (against `dictionary` when given); empty when `raw` is.
Bytes Pack(const Bytes& raw, const Bytes* dictionary = nullptr);
// The `rawSize` bytes that `packed` holds (deflated against `dictionary`); false (and `out`
// empty) when they are not exactly there, whatever `packed` contains.
bool Unpack(const Bytes& packed, size_t rawSize, const Bytes* dictionary, Bytes& out);
// A dictionary from sample bytes: their last 32 KB, the most deflate can look back.
Bytes MakeDictionary(const Bytes& sample);

}  // namespace packedbytes
