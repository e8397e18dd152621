// LZW compression of a byte block into the Encode64 code stream.
#pragma once

#include "LZWCoder.h"

#include <cstdint>
#include <memory>

namespace LZWCompression {

// The encoder's string table: entries 0 to 255 are the single bytes; a longer
// string is found from its prefix's entry through the prefix's child list.
class CEncodingDictionary {
public:
    static constexpr uint32_t None = 0; // entry 0 is a root, never anyone's child

    CEncodingDictionary();

    // Back to the 256 single-byte entries.
    void Reset();
    // The child of `entry` for `symbol`, or None.
    uint32_t Find(uint32_t entry, uint32_t symbol) const {
        for (uint32_t child = m_entries[entry].firstChild; child != None;
             child = m_entries[child].nextSibling) {
            if (m_entries[child].symbol == symbol)
                return child;
        }
        return None;
    }
    // Makes `code` the child of `entry` for `symbol`.
    void Add(uint32_t entry, uint32_t symbol, uint32_t code) {
        Entry& e = m_entries[code];
        e.symbol = symbol;
        e.code = code;
        e.firstChild = None;
        e.nextSibling = m_entries[entry].firstChild;
        m_entries[entry].firstChild = code;
    }
    uint32_t Code(uint32_t entry) const { return m_entries[entry].code; }

private:
    struct Entry {
        uint32_t symbol;
        uint32_t code;
        uint32_t firstChild;
        uint32_t nextSibling;
    };
    std::unique_ptr<Entry[]> m_entries;
};

class CEncoder : public Coder {
public:
    CEncoder(const unsigned char* data, size_t size, memstream& out);
    // Writes the whole code stream; nothing at all for an empty input.
    void Encode();

private:
    void Reset();
    void PutCode(uint32_t code);
    void Flush();

    CoderStreamBuf m_buf;
    CEncodingDictionary m_dictionary;
    uint64_t m_bits = 0;    // pending bits, the newest at the bottom
    unsigned m_bitCount = 0;
};

} // namespace LZWCompression
