#pragma once
// A smooth stretch of a small 32-bit image (an icon) to another size: a tent filter that
// interpolates when enlarging and averages when shrinking, each of the four bytes of a pixel
// on its own. Give it premultiplied pixels so that transparent ones lend no colour.
#include <cstdint>
#include <vector>

namespace dpi {

// Pixels row by row, top first; an empty result for sizes below 1 or a source of the wrong length.
std::vector<uint32_t> StretchSmooth(const std::vector<uint32_t>& source, int width, int height, int toWidth,
                                    int toHeight);

}  // namespace dpi
