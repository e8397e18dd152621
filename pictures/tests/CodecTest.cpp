// LZW streams made by hand; the encoder checked against a plain reference (map dictionary).
#include "pictures/Encode64.h"
#include "pictures/LZWDecoder.h"
#include "pictures/LZWEncoder.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace LZWCompression;

namespace {

using Bytes = std::vector<unsigned char>;

struct CodeWriter {
    CodeWriter& Put(unsigned code, unsigned width) {
        for (int i = int(width) - 1; i >= 0; --i) m_bits.push_back((code >> i) & 1);
        return *this;
    }
    Bytes bytes() const {
        Bytes out((m_bits.size() + 7) / 8);
        for (size_t i = 0; i < m_bits.size(); ++i) out[i / 8] |= m_bits[i] << (7 - i % 8);
        return out;
    }
    std::vector<bool> m_bits;
};

struct Reference {
    Bytes stream;
    std::vector<unsigned> nextFreeAfter; // after each input byte from the second on
};

Reference ReferenceEncode(const Bytes& in) {
    Reference ref;
    if (in.empty()) return ref;
    CodeWriter out;
    std::map<std::pair<unsigned, unsigned>, unsigned> dictionary;
    unsigned next = 258, width = 9, current = in[0];
    out.Put(256, 9);
    for (size_t i = 1; i < in.size(); ++i) {
        auto it = dictionary.find({current, in[i]});
        if (it != dictionary.end()) {
            current = it->second;
        } else {
            out.Put(current, width);
            dictionary[{current, in[i]}] = next++;
            if (next == 1u << width) ++width;
            if (next == 4096) {
                out.Put(256, width);
                dictionary.clear();
                next = 258;
                width = 9;
            }
            current = in[i];
        }
        ref.nextFreeAfter.push_back(next);
    }
    out.Put(current, width);
    if (next + 1 == 1u << width) ++width;
    out.Put(257, width);
    ref.stream = out.bytes();
    return ref;
}

struct Outcome {
    std::string bytes; // decoded before the end or the error
    std::string error; // empty when the end code was reached
};

Outcome Decode(const Bytes& stream) {
    memstream out;
    Outcome result;
    try {
        CDecoder(stream.data(), stream.size(), out).Decode();
    } catch (const CodecError& e) {
        result.error = e.what();
    }
    result.bytes.assign(reinterpret_cast<const char*>(out.data()), out.size());
    return result;
}

// Clear, 'a', then 'a' again until the dictionary holds `lastFree` - 258 strings; each code
// as wide as a decoder reads it while `next` is its next free code.
CodeWriter FillWithA(unsigned lastFree) {
    CodeWriter w;
    w.Put(256, 9).Put('a', 9);
    for (unsigned next = 258, width = 9; next < lastFree; ++next) {
        while (next + 1 >= 1u << width) ++width;
        w.Put('a', width);
    }
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
    for (const auto& [text, bytes] : cases)
        EXPECT_EQ(Bytes(bytes.begin(), bytes.end()), Base64Decode(text)) << text;
}

TEST(Encode64, MatchesReferenceEncoderAcrossWidthsAndResets) {
    const Bytes inputs[] = {RandomBytes(20000, 256, 1), RandomBytes(60000, 4, 2), Bytes(100000, 'x'),
                            RandomBytes(9000, 40, 3), Bytes(1, 'a'), Bytes()};
    for (const Bytes& in : inputs) {
        EXPECT_EQ(Lzw(in), ReferenceEncode(in).stream);
        EXPECT_EQ(RoundTrip(in), in);
    }
}

// Lengths that end the input right after a dictionary reset, or with the
// dictionary one short of full (end code 13 bits wide).
TEST(Encode64, InputsEndingAtTheDictionaryLimitRoundTrip) {
    const Bytes data = RandomBytes(30000, 256, 4);
    const auto nextFree = ReferenceEncode(data).nextFreeAfter;
    int limits = 0;
    for (size_t i = 1; i < nextFree.size(); ++i) {
        if (nextFree[i] != 4095 && (nextFree[i] != 258 || nextFree[i - 1] != 4095)) continue;
        Bytes in(data.begin(), data.begin() + i + 2);  // byte i + 1 is the last
        EXPECT_EQ(Lzw(in), ReferenceEncode(in).stream);
        EXPECT_EQ(RoundTrip(in), in) << "length " << in.size();
        ++limits;
    }
    EXPECT_GE(limits, 6);  // three resets and three full ends at least
}

// Bytes decoded before an error are never handed out.
TEST(Encode64, RejectedStreamLoadsNothing) {
    const Bytes noClear = CodeWriter().Put('a', 9).Put(257, 9).bytes();
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
