// Encode64 text: Base64 over an LZW compression of a byte block, one line, no
// header. Pictures and icon lists travel through it as text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace LZWCompression {

// Standard alphabet with "=" padding, no line breaks.
std::string Base64Encode(const unsigned char* data, size_t size);

// Reads whole groups of 4 alphabet characters, 3 bytes from each (a padded
// group too, "=" counting as 0); characters outside the alphabet are skipped
// and those behind the last whole group are ignored. Fewer than 4 characters
// give nothing.
std::vector<unsigned char> Base64Decode(std::string_view text);

// Bytes -> text; empty input gives an empty text. Throws std::bad_alloc when
// memory runs out.
std::string Encode64(const unsigned char* data, size_t size);

// Text (ANSI) -> bytes, replacing the contents of `bytes` (its memory is
// reused). Returns false when the codec rejects the stream; `bytes` is then
// empty, so a caller never loads a partial picture or icon list, and `error`
// (when given) receives the codec's message. A text that holds no stream at
// all (fewer than 4 characters) succeeds with no bytes.
bool Decode64(std::string_view text, std::vector<unsigned char>& bytes,
              std::string* error = nullptr);

} // namespace LZWCompression
