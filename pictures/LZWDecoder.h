// LZW decompression of an Encode64 code stream.
#pragma once

#include "LZWCoder.h"

#include <cstdint>
#include <memory>

namespace LZWCompression {

class CDecoder : public Coder {
public:
    CDecoder(const unsigned char* data, size_t size, memstream& out);
    // Decodes up to the end code. Raises CodecError on bad input; whatever was
    // decoded before the error stays in the memstream.
    void Decode();

private:
    // An entry's string is its prefix entry's string followed by its symbol.
    // The length lets a string be written back to front without recursion;
    // 16-bit fields keep the table (24 KB) in the first-level cache.
    struct Entry {
        uint16_t prefix;
        uint16_t length;
        uint8_t symbol;
    };

    void DecodeBlocks();
    uint32_t GetCode();
    const unsigned char* Emit(uint32_t code);

    CoderStreamBuf m_buf;
    std::unique_ptr<Entry[]> m_entries;
    uint64_t m_bits = 0; // unread bits, the oldest at the top of the count
    unsigned m_bitCount = 0;
};

} // namespace LZWCompression
