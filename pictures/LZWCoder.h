// Shared parts of the LZW encoder and decoder: constants, byte buffers and the
// error the codec raises.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

namespace LZWCompression {

// Raised inside the codec; what() is one of "Invalid data", "Dictionary
// overflow", "Read error" or "Write error".
class CodecError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Growable in-memory byte stream that receives the codec's output. Growing it
// beyond its limit, or running out of memory, is a "Write error".
class memstream {
public:
    explicit memstream(size_t limit = std::numeric_limits<size_t>::max()) : m_limit(limit) {}
    // Starts empty on the memory of `storage`, so a buffer used before is
    // filled again without new allocations.
    explicit memstream(std::vector<unsigned char>&& storage) : m_bytes(std::move(storage)) {
        m_bytes.clear();
    }

    // Appends `count` bytes for the caller to fill and returns the first.
    unsigned char* Extend(size_t count);
    // Capacity hint, so that growing within it copies nothing; ignored when
    // it cannot be met.
    void Reserve(size_t capacity);
    // Drops everything behind the first `size` bytes.
    void Truncate(size_t size) { if (size < m_bytes.size()) m_bytes.resize(size); }
    size_t Room() const { return m_limit - m_bytes.size(); }

    const unsigned char* data() const { return m_bytes.data(); }
    size_t size() const { return m_bytes.size(); }
    std::vector<unsigned char> Release() { return std::move(m_bytes); }

private:
    std::vector<unsigned char> m_bytes;
    size_t m_limit = std::numeric_limits<size_t>::max();
};

// Base of CEncoder and CDecoder: the format's constants and the state both
// sides keep in step (code width and next free code).
class Coder {
public:
    static constexpr unsigned ClearCode = 256;
    static constexpr unsigned EndCode = 257;
    static constexpr unsigned FirstFree = 258;
    static constexpr unsigned InitialWidth = 9;
    static constexpr unsigned MaxWidth = 12; // only a clear or end code may be wider
    static constexpr unsigned DictionarySize = 1u << MaxWidth;

    class CoderStreamBuf;

protected:
    [[noreturn]] static void Fail(const char* message) { throw CodecError(message); }

    unsigned m_width = InitialWidth;
    unsigned m_nextFree = FirstFree;
};

// Byte buffer between a coder and its memory: a get area over the input bytes
// (not copied) and a put area handed out by the output memstream in chunks,
// so that the coders' inner loops touch plain pointers only.
class Coder::CoderStreamBuf {
public:
    CoderStreamBuf(const unsigned char* data, size_t size, memstream& out)
        : m_get(data), m_getEnd(data + size), m_out(out) {}
    ~CoderStreamBuf() { Sync(); }
    CoderStreamBuf(const CoderStreamBuf&) = delete;
    CoderStreamBuf& operator=(const CoderStreamBuf&) = delete;

    bool Get(unsigned char& byte) {
        if (m_get == m_getEnd)
            return false;
        byte = *m_get++;
        return true;
    }
    size_t Available() const { return static_cast<size_t>(m_getEnd - m_get); }
    const unsigned char* GetPointer() const { return m_get; }
    void Skip(size_t count) { m_get += count; }

    void Put(unsigned char byte) { *Reserve(1) = byte; }
    // Returns room for `count` contiguous bytes and counts them as written.
    unsigned char* Reserve(size_t count) {
        if (static_cast<size_t>(m_putEnd - m_put) < count)
            Overflow(count);
        unsigned char* p = m_put;
        m_put += count;
        return p;
    }
    // Gives the unused part of the put area back to the memstream.
    void Sync();

private:
    void Overflow(size_t count);

    const unsigned char* m_get;
    const unsigned char* m_getEnd;
    memstream& m_out;
    unsigned char* m_put = nullptr;
    unsigned char* m_putEnd = nullptr;
};

} // namespace LZWCompression
