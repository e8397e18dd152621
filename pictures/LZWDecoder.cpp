#include "LZWDecoder.h"

namespace LZWCompression {

CDecoder::CDecoder(const unsigned char* data, size_t size, memstream& out)
    : m_buf(data, size, out), m_entries(new Entry[DictionarySize])
{
    for (uint32_t i = 0; i < 256; ++i)
        m_entries[i] = Entry{0, 1, static_cast<uint8_t>(i)};
    out.Reserve(out.size() + 4 * size);
}

uint32_t CDecoder::GetCode()
{
    if (m_bitCount < m_width) {
        if (m_buf.Available() >= 4) {
            const unsigned char* p = m_buf.GetPointer();
            m_bits = m_bits << 32 | uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
            m_bitCount += 32;
            m_buf.Skip(4);
        } else {
            do {
                unsigned char byte;
                if (!m_buf.Get(byte))
                    Fail("Read error");
                m_bits = (m_bits << 8) | byte;
                m_bitCount += 8;
            } while (m_bitCount < m_width);
        }
    }
    m_bitCount -= m_width;
    return static_cast<uint32_t>(m_bits >> m_bitCount) & ((1u << m_width) - 1);
}

// Writes the string of `code` and returns where it starts.
const unsigned char* CDecoder::Emit(uint32_t code)
{
    const Entry* entries = m_entries.get(); // a local: byte stores cannot change it
    uint32_t length = entries[code].length;
    unsigned char* start = m_buf.Reserve(length);
    unsigned char* p = start + length;
    while (code >= 256) {
        *--p = entries[code].symbol;
        code = entries[code].prefix;
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
            m_entries[m_nextFree] = Entry{static_cast<uint16_t>(previous),
                                          static_cast<uint16_t>(m_entries[previous].length + 1), first};
            if (++m_nextFree + 1 == 1u << m_width)
                ++m_width;
            previous = code;
        }
        if (code == EndCode)
            break;
    }
}

} // namespace LZWCompression
