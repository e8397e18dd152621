#include "Encode64.h"

#include <array>
#include <cstdint>

namespace LZWCompression {

namespace {

constexpr char Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr unsigned char Skip = 0xFF;

constexpr std::array<unsigned char, 256> MakeValues()
{
    std::array<unsigned char, 256> values{};
    for (auto& v : values)
        v = Skip;
    for (unsigned i = 0; i < 64; ++i)
        values[static_cast<unsigned char>(Alphabet[i])] = static_cast<unsigned char>(i);
    values['='] = 0;
    return values;
}
constexpr std::array<unsigned char, 256> Values = MakeValues();

} // namespace

std::string Base64Encode(const unsigned char* data, size_t size)
{
    std::string text((size + 2) / 3 * 4, '=');
    char* out = &text[0];
    size_t i = 0;
    for (; i + 3 <= size; i += 3, out += 4) {
        uint32_t group = uint32_t(data[i]) << 16 | uint32_t(data[i + 1]) << 8 | data[i + 2];
        out[0] = Alphabet[group >> 18];
        out[1] = Alphabet[(group >> 12) & 63];
        out[2] = Alphabet[(group >> 6) & 63];
        out[3] = Alphabet[group & 63];
    }
    if (size - i == 1) {
        out[0] = Alphabet[data[i] >> 2];
        out[1] = Alphabet[(data[i] & 3) << 4];
    } else if (size - i == 2) {
        out[0] = Alphabet[data[i] >> 2];
        out[1] = Alphabet[(data[i] & 3) << 4 | data[i + 1] >> 4];
        out[2] = Alphabet[(data[i + 1] & 15) << 2];
    }
    return text;
}

std::vector<unsigned char> Base64Decode(std::string_view text)
{
    std::vector<unsigned char> bytes(text.size() / 4 * 3);
    unsigned char* out = bytes.data();
    uint32_t group = 0;
    unsigned count = 0;
    for (char c : text) {
        unsigned char value = Values[static_cast<unsigned char>(c)];
        if (value == Skip)
            continue; // line breaks, blanks and other strays
        group = group << 6 | value;
        if (++count == 4) {
            out[0] = static_cast<unsigned char>(group >> 16);
            out[1] = static_cast<unsigned char>(group >> 8);
            out[2] = static_cast<unsigned char>(group);
            out += 3;
            group = 0;
            count = 0;
        }
    }
    bytes.resize(static_cast<size_t>(out - bytes.data()));
    return bytes;
}

} // namespace LZWCompression
