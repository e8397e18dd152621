#include "pictures/Encode64.h"
#include "pictures/LZWDecoder.h"
#include "pictures/LZWEncoder.h"

#include "CodeStream.h"

#include <gtest/gtest.h>

#include <random>
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
    Bytes out{1, 2};
    std::string error;
    EXPECT_TRUE(Decode64(Text(in), out, &error)) << error;
    return out;
}

Bytes RandomBytes(size_t size, unsigned alphabet, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes b(size);
    for (auto& c : b) c = static_cast<unsigned char>(rng() % alphabet);
    return b;
}

TEST(Base64, EncodesStandardVectorsWithPadding) {
    const std::pair<std::string, std::string> cases[] = {{"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},
                                                         {"foo", "Zm9v"}, {"foobar", "Zm9vYmFy"}, {"\xfb\xff\xbf", "+/+/"}};
    for (const auto& [bytes, text] : cases) {
        EXPECT_EQ(Base64Encode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size()), text);
    }
}

// Every whole group gives three bytes, padding counting as zero; a short tail is
// ignored and characters outside the alphabet are skipped.
TEST(Base64, DecodesWholeGroupsOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"Zm9vYmFy", "foobar"}, {"Zg==", std::string("f\0\0", 3)}, {"Zm8=", std::string("fo\0", 3)},
        {"+/+/", "\xfb\xff\xbf"}, {"Zm9", ""}, {"", ""}, {"Zm9vY", "foo"}, {"Zm9vYmF", "foo"},
        {"Zm9v\r\nYmFy", "foobar"}, {" Zm 9v\tYm-Fy*", "foobar"}, {"\r\n\r\n", ""}};
    for (const auto& [text, bytes] : cases) EXPECT_EQ(ToBytes(bytes), Base64Decode(text)) << text;
}

TEST(Encode64, WorkedExamples) {
    const struct {
        const char* in;
        Bytes lzw;
        const char* text;
    } cases[] = {{"abc", {0x80, 0x18, 0x4C, 0x46, 0x38, 0x08}, "gBhMRjgI"},
                 {"a", {0x80, 0x18, 0x60, 0x20}, "gBhgIA=="},
                 {"", {}, ""}};
    for (const auto& c : cases) {
        EXPECT_EQ(Lzw(ToBytes(c.in)), c.lzw) << c.in;
        EXPECT_EQ(Text(ToBytes(c.in)), c.text);
        EXPECT_EQ(RoundTrip(ToBytes(c.in)), ToBytes(c.in));
    }
    Bytes out{1, 2};
    EXPECT_TRUE(Decode64("gBh", out));  // too short to hold a group
    EXPECT_TRUE(out.empty());
}

TEST(Encode64, MatchesReferenceEncoderAcrossWidthsAndResets) {
    const Bytes inputs[] = {RandomBytes(20000, 256, 1), RandomBytes(60000, 4, 2), Bytes(100000, 'x'),
                            RandomBytes(9000, 40, 3)};
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
        if (!resetHere && nextFree[i] != 4095) continue;
        Bytes in(data.begin(), data.begin() + i + 2);  // byte i + 1 is the last
        EXPECT_EQ(Lzw(in), ReferenceEncode(in).stream);
        EXPECT_EQ(RoundTrip(in), in) << "length " << in.size();
        (resetHere ? resets : fullEnds)++;
    }
    EXPECT_GE(resets, 3);
    EXPECT_GE(fullEnds, 3);
}

// Bytes decoded before an error are never handed out.
TEST(Encode64, RejectedStreamLoadsNothing) {
    const Bytes noClear = codec_test::CodeWriter().Put('a', 9).Put(257, 9).bytes();
    const std::string cut = Text(RandomBytes(3000, 8, 6));
    const std::pair<std::string, std::string> cases[] = {
        {Base64Encode(noClear.data(), noClear.size()), "Invalid data"},
        {cut.substr(0, cut.size() / 2), "Read error"}};
    for (const auto& [text, message] : cases) {
        Bytes out{1};
        std::string error;
        EXPECT_FALSE(Decode64(text, out, &error));
        EXPECT_EQ(error, message);
        EXPECT_TRUE(out.empty());
    }
}

}  // namespace
