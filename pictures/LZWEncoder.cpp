#include "LZWEncoder.h"

#include <cstring>

namespace LZWCompression {

CEncodingDictionary::CEncodingDictionary() : m_entries(new Entry[Coder::DictionarySize])
{
    for (uint32_t i = 0; i < 256; ++i)
        m_entries[i] = Entry{uint16_t(i), uint16_t(i), None, None};
}

void CEncodingDictionary::Reset()
{
    for (uint32_t i = 0; i < 256; ++i)
        m_entries[i].firstChild = None;
    std::memset(m_rootChildren, 0, sizeof m_rootChildren);
}

CEncoder::CEncoder(const unsigned char* data, size_t size, memstream& out)
    : m_buf(data, size, out)
{
    // Even data that does not compress then fits without regrowth copies.
    out.Reserve(out.size() + size + size / 2 + 16);
}

void CEncoder::Encode()
{
    size_t size = m_buf.Available();
    if (size == 0)
        return;
    const unsigned char* p = m_buf.GetPointer();
    const unsigned char* end = p + size;
    m_buf.Skip(size);

    Reset();
    uint32_t current = *p++;
    for (; p != end; ++p) {
        uint32_t symbol = *p;
        uint32_t child = m_dictionary.Find(current, symbol);
        if (child != CEncodingDictionary::None) {
            current = child;
            continue;
        }
        PutCode(m_dictionary.Code(current));
        m_dictionary.Add(current, symbol, m_nextFree);
        if (++m_nextFree == 1u << m_width)
            ++m_width;
        if (m_nextFree == DictionarySize)
            Reset(); // the clear code goes out 13 bits wide
        current = symbol;
    }
    PutCode(m_dictionary.Code(current));
    if (m_nextFree + 1 == 1u << m_width)
        ++m_width;
    PutCode(EndCode);
    Flush();
    m_buf.Sync();
}

void CEncoder::Reset()
{
    m_dictionary.Reset();
    m_nextFree = FirstFree;
    PutCode(ClearCode);
    m_width = InitialWidth;
}

void CEncoder::PutCode(uint32_t code)
{
    m_bits = (m_bits << m_width) | code;
    m_bitCount += m_width;
    if (m_bitCount >= 32) {
        m_bitCount -= 32;
        uint32_t word = static_cast<uint32_t>(m_bits >> m_bitCount);
        unsigned char* p = m_buf.Reserve(4);
        p[0] = static_cast<unsigned char>(word >> 24);
        p[1] = static_cast<unsigned char>(word >> 16);
        p[2] = static_cast<unsigned char>(word >> 8);
        p[3] = static_cast<unsigned char>(word);
    }
}

void CEncoder::Flush()
{
    for (; m_bitCount >= 8; m_bitCount -= 8)
        m_buf.Put(static_cast<unsigned char>(m_bits >> (m_bitCount - 8)));
    if (m_bitCount > 0)
        m_buf.Put(static_cast<unsigned char>(m_bits << (8 - m_bitCount)));
    m_bitCount = 0;
}

} // namespace LZWCompression
