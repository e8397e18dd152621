// Decoder fuzz target. Each input is tried as a raw LZW code stream and as
// Encode64 text. Checks: no crash or sanitizer report; output within the bound
// below; whatever decodes re-encodes and decodes to the same bytes; the input
// itself survives an Encode64 round trip.
//
// Output bound: a code is at least 9 bits and its string at most 3839 bytes
// (the string of code c is at most c - 256 long, codes stay below 4096), so n
// stream bytes decode to at most 3839 * floor(8n / 9) bytes; a text of t
// characters carries at most 3 * (t / 4) stream bytes.
#include "pictures/Encode64.h"
#include "pictures/LZWDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

size_t Bound(size_t streamBytes) { return 3839 * (8 * streamBytes / 9); }

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckRoundTrip(const unsigned char* data, size_t size) {
    std::string text = LZWCompression::Encode64(data, size);
    std::vector<unsigned char> back;
    Check(LZWCompression::Decode64(text, back));
    Check(back.size() == size && std::equal(back.begin(), back.end(), data));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LZWCompression::memstream out;
    bool decoded = true;
    try {
        LZWCompression::CDecoder(data, size, out).Decode();
    } catch (const LZWCompression::CodecError&) {
        decoded = false;
    }
    Check(out.size() <= Bound(size));
    if (decoded)
        CheckRoundTrip(out.data(), out.size());

    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<unsigned char> bytes;
    std::string error;
    if (LZWCompression::Decode64(text, bytes, &error)) {
        Check(bytes.size() <= Bound(size / 4 * 3));
        CheckRoundTrip(bytes.data(), bytes.size());
    } else {
        Check(bytes.empty() && !error.empty());
    }

    CheckRoundTrip(data, size);
    return 0;
}
