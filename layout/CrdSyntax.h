#pragma once
// Lexical rules shared by every CRD reader: stripped form, splitting with
// parenthesis depth and quoted runs, numbers, attribute blocks and colours.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace crd {

struct Piece {
    std::string_view raw;       // as written
    std::string_view stripped;  // StripForm(raw)
    size_t offset = 0;          // where raw starts in the scanned text
};

// Blanks and tabs cut at both ends, then one enclosing pair of parentheses
// removed when the "(" at the start matches the ")" at the end.
std::string_view StripForm(std::string_view text);
inline bool IsStripped(std::string_view text) { return StripForm(text).size() == text.size(); }

// Splits at `sep` where it stands at depth 0 outside quoted runs. With
// `strip` the text is put in stripped form first (offsets then refer to
// that form). A last piece with unbalanced parentheses is dropped.
std::vector<Piece> Split(std::string_view text, std::string_view sep, bool strip);

// Position of the first `c` at depth 0 outside quoted runs, or npos.
size_t FindOutside(std::string_view text, char c);

// Signed decimal, leading white space skipped, clamped to 32 bits; no digits give 0.
int32_t ReadNumber(std::string_view text);

// Reads "[key=value]" blocks from the start of the trimmed text, handing each
// pair to `onPair`; answers the body that follows the last block.
std::string_view ReadAttributeBlocks(
    std::string_view text,
    const std::function<void(std::string_view key, std::string_view value)>& onPair);

// "rgb(r,g,b)" (any case) or a plain number.
uint32_t ReadColour(std::string_view value);
// "RGB(r,g,b)" for RGB values, the signed decimal for OLE colours.
void WriteColour(std::string& out, uint32_t colour);
void WriteNumber(std::string& out, int64_t value);

}  // namespace crd
