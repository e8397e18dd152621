#include "printing/PageRange.h"
#include <gtest/gtest.h>

namespace {

// The 1-based pages of the set that exist in a document of n pages.
std::set<int> Printed(const std::string& text, int n) {
    std::set<int> printed;
    for (int i : ParsePageRange(text, n))
        if (i < n) printed.insert(i + 1);
    return printed;
}

TEST(PageRange, TextsAndThePagesTheyPrint) {
    const std::string commas(100000, ',');
    const struct {
        const char* text;
        int n;
        std::set<int> pages;
    } cases[] = {
        {"2", 5, {2}},          {"2-4", 5, {2, 3, 4}},    {"4-", 5, {4, 5}},     {"-2", 5, {1, 2}},
        {"1,3", 5, {1, 3}},     {"3-1", 5, {}},           {"0", 5, {1}},         {"abc", 5, {1}},
        {"1-3-5", 5, {1, 2, 3}}, {"", 5, {1, 2, 3, 4, 5}}, {"7-9", 5, {}},        {" 2 , 4", 5, {2, 4}},
        {"2x-3", 5, {2, 3}},    {"+3", 5, {3}},           {",,", 5, {1}},        {"-", 5, {1, 2, 3, 4, 5}},
        {"-0", 5, {1}},         {"9", 5, {}},
        {"99999999999999999999-", 4, {}}, {"-99999999999999999999", 4, {1, 2, 3, 4}}, {commas.c_str(), 4, {1}},
    };
    for (const auto& c : cases) EXPECT_EQ(Printed(c.text, c.n), c.pages) << '"' << c.text << '"';
    // Indices beyond the document may enter, but a range is cut there instead of filling memory.
    EXPECT_EQ(ParsePageRange("7", 5), (std::set<int>{6}));
    EXPECT_TRUE(ParsePageRange("", 0).empty());
    EXPECT_TRUE(ParsePageRange("1-3", 0).empty());
    EXPECT_EQ(ParsePageRange("1-99999999999999999999", 4).size(), 5u);
}

TEST(PageRange, SetsAndTheTextsWrittenForThem) {
    const struct {
        std::set<int> pages;
        int n;
        const char* text;
    } cases[] = {
        {{0, 2, 3, 4}, 5, "1,3-"}, {{0, 1, 2, 3, 4}, 5, ""},  {{}, 5, "6-"},       {{1}, 5, "2"},
        {{4}, 5, "5-"},            {{0, 1, 3}, 5, "1-2,4"},  {{0, 2, 4}, 5, "1,3,5-"}, {{0}, 1, ""},
        {{}, 0, ""},               {{-1, 1, 7}, 5, "2"},      {{1, 2}, 5, "2-3"},    {{}, 1, "2-"},
    };
    for (const auto& c : cases) EXPECT_EQ(PageRangeText(c.pages, c.n), c.text) << c.text;
}

}  // namespace
