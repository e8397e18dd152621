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
    memstream out(std::move(bytes));
    std::string failure; // the exception's text does not outlive its handler
    try {
        std::vector<unsigned char> lzw = Base64Decode(text);
        if (!lzw.empty())
            CDecoder(lzw.data(), lzw.size(), out).Decode();
    } catch (const CodecError& e) {
        failure = e.what();
    } catch (const std::bad_alloc&) {
        failure = "Write error"; // no memory for the bytes
    }
    bytes = out.Release();
    if (failure.empty())
        return true;
    bytes.clear();
    if (error)
        *error = failure;
    return false;
}

} // namespace LZWCompression
