#include "LZWCoder.h"

#include <algorithm>
#include <new>

namespace LZWCompression {

unsigned char* memstream::Extend(size_t count)
{
    if (count > Room())
        throw CodecError("Write error");
    size_t old = m_bytes.size();
    try {
        m_bytes.resize(old + count);
    } catch (const std::bad_alloc&) {
        throw CodecError("Write error");
    }
    return m_bytes.data() + old;
}

void memstream::Reserve(size_t capacity)
{
    try {
        m_bytes.reserve(std::min(capacity, m_bytes.size() + Room()));
    } catch (const std::bad_alloc&) {
    }
}

void Coder::CoderStreamBuf::Sync()
{
    if (m_put != m_putEnd)
        m_out.Truncate(m_out.size() - static_cast<size_t>(m_putEnd - m_put));
    m_put = m_putEnd = nullptr;
}

void Coder::CoderStreamBuf::Overflow(size_t count)
{
    // Chunks keep the memstream's growth (and its zero fill) off the per-byte path.
    constexpr size_t Chunk = 64 * 1024;
    Sync();
    size_t size = std::min(std::max(count, Chunk), std::max(count, m_out.Room()));
    m_put = m_out.Extend(size);
    m_putEnd = m_put + size;
}

} // namespace LZWCompression
