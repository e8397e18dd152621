#include "Encode64.h"

#include "LZWDecoder.h"
#include "LZWEncoder.h"

#include <new>

namespace LZWCompression {

std::string Encode64(const unsigned char* data, size_t size)
{
    memstream lzw;
    try {
        CEncoder(data, size, lzw).Encode();
    } catch (const CodecError&) {
        throw std::bad_alloc(); // an unlimited memstream fails only for want of memory
    }
    return Base64Encode(lzw.data(), lzw.size());
}

bool Decode64(std::string_view text, std::vector<unsigned char>& bytes, std::string* error)
{
    std::vector<unsigned char> lzw = Base64Decode(text);
    memstream out(std::move(bytes));
    bool decoded = true;
    try {
        if (!lzw.empty())
            CDecoder(lzw.data(), lzw.size(), out).Decode();
    } catch (const CodecError& e) {
        if (error)
            *error = e.what();
        decoded = false;
    }
    bytes = out.Release();
    if (!decoded)
        bytes.clear();
    return decoded;
}

} // namespace LZWCompression
