#include "LZWDecoder.h"

namespace LZWCompression {

CDecoder::CDecoder(const unsigned char* data, size_t size, memstream& out)
    : m_buf(data, size, out), m_entries(new Entry[DictionarySize])
{
    for (uint32_t i = 0; i < 256; ++i)
        m_entries[i] = Entry{i, 0, 1};
}

uint32_t CDecoder::GetCode()
{
    while (m_bitCount < m_width) {
        unsigned char byte;
        if (!m_buf.Get(byte))
            Fail("Read error");
        m_bits = (m_bits << 8) | byte;
        m_bitCount += 8;
    }
    m_bitCount -= m_width;
    return static_cast<uint32_t>(m_bits >> m_bitCount) & ((1u << m_width) - 1);
}

// Writes the string of `code` and returns where it starts.
const unsigned char* CDecoder::Emit(uint32_t code)
{
    uint32_t length = m_entries[code].length;
    unsigned char* start = m_buf.Reserve(length);
    unsigned char* p = start + length;
    while (code >= 256) {
        *--p = static_cast<unsigned char>(m_entries[code].symbol);
        code = m_entries[code].prefix;
    }
    *--p = static_cast<unsigned char>(code);
    return start;
}

void CDecoder::Decode()
{
    try {
        DecodeBlocks();
    } catch (...) {
        m_buf.Sync(); // leave exactly the bytes decoded so far
        throw;
    }
    m_buf.Sync();
}

void CDecoder::DecodeBlocks()
{
    m_width = InitialWidth;
    m_nextFree = FirstFree;
    uint32_t code = GetCode();
    if (code != ClearCode)
        Fail("Invalid data");

    for (;;) {
        // Start of a block: the dictionary holds the single bytes only.
        m_width = InitialWidth;
        m_nextFree = FirstFree;
        code = GetCode();
        if (code == ClearCode)
            continue;
        if (code == EndCode)
            break;
        if (code > 255)
            Fail("Invalid data"); // no previous string to build on yet
        m_buf.Put(static_cast<unsigned char>(code));
        uint32_t previous = code;

        for (;;) {
            code = GetCode();
            if (code == EndCode || code == ClearCode)
                break;
            if (code > m_nextFree)
                Fail("Invalid data");
            if (m_nextFree == DictionarySize)
                Fail("Dictionary overflow");
            unsigned char first;
            if (code == m_nextFree) {
                // The string being defined: previous string + its own first byte.
                const unsigned char* s = Emit(previous);
                first = *s;
                m_buf.Put(first);
            } else {
                first = *Emit(code);
            }
            m_entries[m_nextFree] = Entry{first, previous, m_entries[previous].length + 1};
            if (++m_nextFree + 1 == 1u << m_width)
                ++m_width;
            previous = code;
        }
        if (code == EndCode)
            break;
    }
}

} // namespace LZWCompression
