#include "pictures/Encode64.h"

#include <gtest/gtest.h>

#include <string>

using LZWCompression::Base64Decode;
using LZWCompression::Base64Encode;

namespace {

std::string Encode(const std::string& s) {
    return Base64Encode(reinterpret_cast<const unsigned char*>(s.data()), s.size());
}
std::string Decode(const std::string& text) {
    auto bytes = Base64Decode(text);
    return std::string(bytes.begin(), bytes.end());
}

TEST(Base64, EncodesStandardVectorsWithPadding) {
    EXPECT_EQ(Encode(""), "");
    EXPECT_EQ(Encode("f"), "Zg==");
    EXPECT_EQ(Encode("fo"), "Zm8=");
    EXPECT_EQ(Encode("foo"), "Zm9v");
    EXPECT_EQ(Encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(Encode("\xfb\xff\xbf"), "+/+/");
}

TEST(Base64, EveryGroupGivesThreeBytesPaddingCountingAsZero) {
    EXPECT_EQ(Decode("Zm9vYmFy"), "foobar");
    EXPECT_EQ(Decode("Zg=="), std::string("f\0\0", 3));
    EXPECT_EQ(Decode("Zm8="), std::string("fo\0", 3));
    EXPECT_EQ(Decode("+/+/"), "\xfb\xff\xbf");
}

TEST(Base64, ShortTextAndTrailingCharactersAreIgnored) {
    EXPECT_EQ(Decode("Zm9"), "");
    EXPECT_EQ(Decode(""), "");
    EXPECT_EQ(Decode("Zm9vY"), "foo");
    EXPECT_EQ(Decode("Zm9vYmF"), "foo");
}

TEST(Base64, CharactersOutsideTheAlphabetAreSkipped) {
    EXPECT_EQ(Decode("Zm9v\r\nYmFy"), "foobar");
    EXPECT_EQ(Decode(" Zm 9v\tYm-Fy*"), "foobar");
    EXPECT_EQ(Decode("\r\n\r\n"), "");
}

} // namespace
