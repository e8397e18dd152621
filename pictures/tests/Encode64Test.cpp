#include "pictures/Encode64.h"
#include "pictures/LZWDecoder.h"
#include "pictures/LZWEncoder.h"

#include "CodeStream.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

using namespace LZWCompression;
using codec_test::Bytes;
using codec_test::ReferenceEncode;

namespace {

Bytes ToBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Lzw(const Bytes& in) {
    memstream out;
    CEncoder(in.data(), in.size(), out).Encode();
    return Bytes(out.data(), out.data() + out.size());
}

std::string Text(const Bytes& in) { return Encode64(in.data(), in.size()); }

Bytes RoundTrip(const Bytes& in) {
    Bytes out;
    std::string error;
    EXPECT_TRUE(Decode64(Text(in), out, &error)) << error;
    return out;
}

Bytes RandomBytes(size_t size, unsigned alphabet, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes b(size);
    for (auto& c : b)
        c = static_cast<unsigned char>(rng() % alphabet);
    return b;
}

TEST(Encode64, WorkedExamples) {
    EXPECT_EQ(Lzw(ToBytes("abc")), (Bytes{0x80, 0x18, 0x4C, 0x46, 0x38, 0x08}));
    EXPECT_EQ(Text(ToBytes("abc")), "gBhMRjgI");
    EXPECT_EQ(Lzw(ToBytes("a")), (Bytes{0x80, 0x18, 0x60, 0x20}));
    EXPECT_EQ(Text(ToBytes("a")), "gBhgIA==");
    EXPECT_EQ(RoundTrip(ToBytes("abc")), ToBytes("abc"));
    EXPECT_EQ(RoundTrip(ToBytes("a")), ToBytes("a"));
}

TEST(Encode64, EmptyInEmptyOut) {
    EXPECT_EQ(Text({}), "");
    Bytes out{1, 2};
    EXPECT_TRUE(Decode64("", out));
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(Decode64("gBh", out)); // too short to hold a group
    EXPECT_TRUE(out.empty());
}

TEST(Encode64, MatchesReferenceEncoderAcrossWidthsAndResets) {
    const Bytes inputs[] = {RandomBytes(20000, 256, 1), RandomBytes(60000, 4, 2),
                            Bytes(100000, 'x'), RandomBytes(9000, 40, 3)};
    for (const Bytes& in : inputs) {
        EXPECT_EQ(Lzw(in), ReferenceEncode(in).stream);
        EXPECT_EQ(RoundTrip(in), in);
    }
}

// Lengths that end the input right after a dictionary reset, or with the
// dictionary one short of full (end code 13 bits wide).
TEST(Encode64, InputsEndingAtTheDictionaryLimitRoundTrip) {
    Bytes data = RandomBytes(30000, 256, 4);
    auto nextFree = ReferenceEncode(data).nextFreeAfter;
    int resets = 0, fullEnds = 0;
    for (size_t i = 1; i < nextFree.size(); ++i) {
        bool resetHere = nextFree[i] == 258 && nextFree[i - 1] == 4095;
        if (!resetHere && nextFree[i] != 4095)
            continue;
        Bytes in(data.begin(), data.begin() + i + 2); // byte i + 1 is the last
        EXPECT_EQ(Lzw(in), ReferenceEncode(in).stream);
        EXPECT_EQ(RoundTrip(in), in) << "length " << in.size();
        (resetHere ? resets : fullEnds)++;
    }
    EXPECT_GE(resets, 3);
    EXPECT_GE(fullEnds, 3);
}

TEST(Encode64, RejectedStreamLoadsNothing) {
    Bytes out;
    std::string error;
    // First code is 'a', not the clear code.
    auto noClear = codec_test::CodeWriter().Put('a', 9).Put(257, 9).bytes();
    EXPECT_FALSE(Decode64(Base64Encode(noClear.data(), noClear.size()), out, &error));
    EXPECT_EQ(error, "Invalid data");
    EXPECT_TRUE(out.empty());

    // A valid stream cut short: bytes were decoded before the error, none are handed out.
    std::string text = Text(RandomBytes(3000, 8, 6));
    out = {1};
    EXPECT_FALSE(Decode64(text.substr(0, text.size() / 2), out, &error));
    EXPECT_EQ(error, "Read error");
    EXPECT_TRUE(out.empty());
}

// Valid texts with a few characters changed: each either decodes within the
// output bound or fails with one of the codec's messages and no bytes.
TEST(Encode64, DamagedTextDecodesWithinBoundOrLoadsNothing) {
    std::mt19937 rng(7);
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/=";
    const std::set<std::string> messages = {"Invalid data", "Dictionary overflow", "Read error", "Write error"};
    int decoded = 0, rejected = 0;
    for (int round = 0; round < 600; ++round) {
        std::string text = Text(RandomBytes(1 + rng() % 3000, 1 + rng() % 256, rng()));
        for (int n = 1 + rng() % 3; n > 0; --n)
            text[rng() % text.size()] = alphabet[rng() % alphabet.size()];
        Bytes out;
        std::string error;
        if (Decode64(text, out, &error)) {
            EXPECT_LE(out.size(), text.size() / 4 * 3 * 8 / 9 * 3839);
            ++decoded;
        } else {
            EXPECT_TRUE(out.empty());
            EXPECT_EQ(messages.count(error), 1u) << error;
            ++rejected;
        }
    }
    EXPECT_GT(decoded, 0);
    EXPECT_GT(rejected, 0);
}

} // namespace
