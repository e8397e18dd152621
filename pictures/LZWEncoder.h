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
    // The child of `entry` for `symbol`, or None. A child found is moved to
    // the front of its list, so that frequent strings are found first.
    uint32_t Find(uint32_t entry, uint32_t symbol) {
        if (entry < 256 && !HasRootChild(entry, symbol))
            return None;
        uint16_t* link = &m_entries[entry].firstChild;
        for (uint32_t child = *link; child != None; child = *link) {
            Entry& e = m_entries[child];
            if (e.symbol == symbol) {
                if (link != &m_entries[entry].firstChild) {
                    *link = e.nextSibling;
                    e.nextSibling = m_entries[entry].firstChild;
                    m_entries[entry].firstChild = static_cast<uint16_t>(child);
                }
                return child;
            }
            link = &e.nextSibling;
        }
        return None;
    }
    // Makes `code` the child of `entry` for `symbol`.
    void Add(uint32_t entry, uint32_t symbol, uint32_t code) {
        Entry& e = m_entries[code];
        e.symbol = static_cast<uint16_t>(symbol);
        e.code = static_cast<uint16_t>(code);
        e.firstChild = None;
        e.nextSibling = m_entries[entry].firstChild;
        m_entries[entry].firstChild = static_cast<uint16_t>(code);
        if (entry < 256)
            m_rootChildren[entry][symbol >> 6] |= uint64_t(1) << (symbol & 63);
    }
    uint32_t Code(uint32_t entry) const { return m_entries[entry].code; }

private:
    // 16-bit fields hold every code (below 4096) and keep the whole table
    // (32 KB) in the first-level cache, where the child walks run.
    struct Entry {
        uint16_t symbol;
        uint16_t code;
        uint16_t firstChild;
        uint16_t nextSibling;
    };
    bool HasRootChild(uint32_t entry, uint32_t symbol) const {
        return (m_rootChildren[entry][symbol >> 6] >> (symbol & 63)) & 1;
    }

    std::unique_ptr<Entry[]> m_entries;
    // Which bytes follow each single byte. The root lists grow longest, and on
    // data that repeats little nearly every walk of them fails: this answers
    // those failures without a walk.
    uint64_t m_rootChildren[256][4] = {};
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
