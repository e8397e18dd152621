// Test helpers: a writer for hand-made code streams and a plain reference
// encoder (map dictionary, bit vector) to check the real one against.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

namespace codec_test {

using Bytes = std::vector<unsigned char>;

class CodeWriter {
public:
    CodeWriter& Put(unsigned code, unsigned width) {
        for (int i = int(width) - 1; i >= 0; --i) m_bits.push_back((code >> i) & 1);
        return *this;
    }
    Bytes bytes() const {
        Bytes out((m_bits.size() + 7) / 8);
        for (size_t i = 0; i < m_bits.size(); ++i) out[i / 8] |= m_bits[i] << (7 - i % 8);
        return out;
    }

private:
    std::vector<bool> m_bits;
};

// Width of the next code a decoder reads while `nextFree` is its next free code.
inline unsigned WidthFor(unsigned nextFree) {
    unsigned width = 9;
    while (nextFree + 1 >= 1u << width) ++width;
    return width;
}

struct Reference {
    Bytes stream;
    std::vector<unsigned> nextFreeAfter; // after each input byte from the second on
};

inline Reference ReferenceEncode(const Bytes& in) {
    Reference ref;
    if (in.empty()) return ref;
    CodeWriter out;
    std::map<std::pair<unsigned, unsigned>, unsigned> dictionary;
    unsigned next = 258, width = 9, current = in[0];
    out.Put(256, 9);
    for (size_t i = 1; i < in.size(); ++i) {
        auto it = dictionary.find({current, in[i]});
        if (it != dictionary.end()) {
            current = it->second;
        } else {
            out.Put(current, width);
            dictionary[{current, in[i]}] = next++;
            if (next == 1u << width) ++width;
            if (next == 4096) {
                out.Put(256, width);
                dictionary.clear();
                next = 258;
                width = 9;
            }
            current = in[i];
        }
        ref.nextFreeAfter.push_back(next);
    }
    out.Put(current, width);
    if (next + 1 == 1u << width) ++width;
    out.Put(257, width);
    ref.stream = out.bytes();
    return ref;
}

} // namespace codec_test
