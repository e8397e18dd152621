#include "pictures/LZWDecoder.h"

#include "CodeStream.h"

#include <gtest/gtest.h>

#include <string>

using namespace LZWCompression;
using codec_test::CodeWriter;
using codec_test::WidthFor;

namespace {

struct Outcome {
    std::string bytes; // decoded before the end or the error
    std::string error; // empty when the end code was reached
};

Outcome Decode(const codec_test::Bytes& stream, size_t limit = SIZE_MAX) {
    memstream out(limit);
    Outcome result;
    try {
        CDecoder(stream.data(), stream.size(), out).Decode();
    } catch (const CodecError& e) {
        result.error = e.what();
    }
    result.bytes.assign(reinterpret_cast<const char*>(out.data()), out.size());
    return result;
}

// Clear, 'a', then 'a' again until the dictionary holds `lastFree` - 258 strings.
CodeWriter FillWithA(unsigned lastFree) {
    CodeWriter w;
    w.Put(256, 9).Put('a', 9);
    for (unsigned next = 258; next < lastFree; ++next)
        w.Put('a', WidthFor(next));
    return w;
}

TEST(LZWDecoder, StreamsAndWhatTheyDecodeTo) {
    const std::string full(4096 - 258 + 1, 'a');  // 3838 strings added: the next code is 13 bits wide
    struct Case {
        CodeWriter stream;
        std::string bytes;  // decoded before the end or the error
        const char* error;
    } cases[] = {
        // A code equal to the next free one repeats the previous string plus its first byte.
        {CodeWriter().Put(256, 9).Put('a', 9).Put(258, 9).Put(257, 9), "aaa", ""},
        // A clear code restarts a block anywhere.
        {CodeWriter().Put(256, 9).Put('a', 9).Put(256, 9).Put('b', 9).Put(257, 9), "ab", ""},
        {CodeWriter().Put(256, 9).Put(256, 9).Put(257, 9), "", ""},
        // A full dictionary may only end or clear.
        {FillWithA(4096).Put(257, 13), full, ""},
        {FillWithA(4096).Put(256, 13).Put('b', 9).Put(257, 9), full + "b", ""},
        {FillWithA(4096).Put('a', 13).Put(257, 13), full, "Dictionary overflow"},
        // Invalid codes stop with the bytes decoded so far.
        {CodeWriter().Put('a', 9).Put(257, 9), "", "Invalid data"},                            // no clear code first
        {CodeWriter().Put(256, 9).Put(258, 9).Put(257, 9), "", "Invalid data"},                // no previous string
        {CodeWriter().Put(256, 9).Put('a', 9).Put('b', 9).Put(260, 9), "ab", "Invalid data"},  // beyond next free
        {CodeWriter().Put(256, 9).Put('x', 9).Put(256, 9).Put(300, 9), "x", "Invalid data"},   // an old block's string
    };
    for (auto& c : cases) {
        auto r = Decode(c.stream.bytes());
        EXPECT_EQ(r.error, c.error) << c.bytes.size();
        EXPECT_EQ(r.bytes, c.bytes);
    }
}

// A stream cut before its end code is a read error; an output stream that fills up a write
// error, with what fitted decoded.
TEST(LZWDecoder, CutStreamsAndFullOutputs) {
    auto whole = CodeWriter().Put(256, 9).Put('a', 9).Put('b', 9).Put(257, 9).bytes();
    for (size_t size = 0; size + 1 < whole.size(); ++size)
        EXPECT_EQ(Decode(codec_test::Bytes(whole.begin(), whole.begin() + size)).error, "Read error") << size;
    auto stream = FillWithA(1000).Put(257, 10).bytes();
    for (size_t limit : {0, 1, 100, 500}) {
        auto r = Decode(stream, limit);
        EXPECT_EQ(r.error, "Write error");
        EXPECT_EQ(r.bytes, std::string(r.bytes.size(), 'a'));
        EXPECT_LE(r.bytes.size(), limit);
    }
    EXPECT_EQ(Decode(stream, 1000 - 258 + 1).error, "");
}

} // namespace
