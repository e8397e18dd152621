#include "pictures/Encode64.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

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
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foobar", "Zm9vYmFy"}, {"\xfb\xff\xbf", "+/+/"}};
    for (const auto& [bytes, text] : cases) EXPECT_EQ(Encode(bytes), text) << text;
}

// Every whole group gives three bytes, padding counting as zero; a short tail is
// ignored and characters outside the alphabet are skipped.
TEST(Base64, DecodesWholeGroupsOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"Zm9vYmFy", "foobar"}, {"Zg==", std::string("f\0\0", 3)}, {"Zm8=", std::string("fo\0", 3)},
        {"+/+/", "\xfb\xff\xbf"}, {"Zm9", ""}, {"", ""}, {"Zm9vY", "foo"}, {"Zm9vYmF", "foo"},
        {"Zm9v\r\nYmFy", "foobar"}, {" Zm 9v\tYm-Fy*", "foobar"}, {"\r\n\r\n", ""}};
    for (const auto& [text, bytes] : cases) EXPECT_EQ(Decode(text), bytes) << text;
}

} // namespace
