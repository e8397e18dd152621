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

TEST(PageRange, RangesOfAFivePageDocument) {
    struct Case {
        const char* text;
        std::set<int> pages;
    };
    const Case cases[] = {
        {"2", {2}},          {"2-4", {2, 3, 4}},    {"4-", {4, 5}},     {"-2", {1, 2}},
        {"1,3", {1, 3}},     {"3-1", {}},           {"0", {1}},         {"abc", {1}},
        {"1-3-5", {1, 2, 3}}, {"", {1, 2, 3, 4, 5}}, {"7-9", {}},        {" 2 , 4", {2, 4}},
        {"2x-3", {2, 3}},    {"+3", {3}},           {",,", {1}},        {"-", {1, 2, 3, 4, 5}},
        {"-0", {1}},         {"9", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(Printed(c.text, 5), c.pages) << '"' << c.text << '"';
}

TEST(PageRange, IndicesBeyondTheDocumentMayEnterButNothingIsInvented) {
    EXPECT_EQ(ParsePageRange("7", 5), (std::set<int>{6}));
    EXPECT_EQ(ParsePageRange("", 0), (std::set<int>{}));
    EXPECT_EQ(ParsePageRange("1-3", 0), (std::set<int>{})) << "no pages: nothing, even for a range";
    // A range to a huge page number is cut at the document's end instead of filling memory.
    EXPECT_EQ(ParsePageRange("1-99999999999999999999", 4).size(), 5u);
    EXPECT_EQ(Printed("99999999999999999999-", 4), (std::set<int>{}));
    EXPECT_EQ(Printed("-99999999999999999999", 4), (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(Printed(std::string(100000, ','), 4), (std::set<int>{1}));
}

TEST(PageRange, TextWrittenFromTheSetReadsBackAsTheSameSet) {
    struct Case {
        std::set<int> pages;
        int n;
        const char* text;
    };
    const Case cases[] = {
        {{0, 2, 3, 4}, 5, "1,3-"}, {{0, 1, 2, 3, 4}, 5, ""},  {{}, 5, "6-"},       {{1}, 5, "2"},
        {{4}, 5, "5-"},            {{0, 1, 3}, 5, "1-2,4"},  {{0, 2, 4}, 5, "1,3,5-"}, {{0}, 1, ""},
        {{}, 0, ""},               {{-1, 1, 7}, 5, "2"},      {{1, 2}, 5, "2-3"},    {{}, 1, "2-"},
    };
    for (const Case& c : cases) {
        const std::string text = PageRangeText(c.pages, c.n);
        EXPECT_EQ(text, c.text);
        std::set<int> inside;
        for (int i : c.pages)
            if (i >= 0 && i < c.n) inside.insert(i);
        EXPECT_EQ(Printed(text, c.n).size(), inside.size()) << text;
    }
}

TEST(PageRange, CtrlClicksOnPageTwoOfFive) {
    const std::set<int> all = ParsePageRange("", 5);
    const std::set<int> once = TogglePageInSet(all, 1, false, 5);
    EXPECT_EQ(PageRangeText(once, 5), "1,3-");
    EXPECT_EQ(PageRangeText(TogglePageInSet(once, 1, false, 5), 5), "");
    EXPECT_EQ(PageRangeText(TogglePageInSet(all, 1, true, 5), 5), "2");
    EXPECT_EQ(PageRangeText(TogglePageInSet(TogglePageInSet(all, 1, true, 5), 1, false, 5), 5), "6-");
    for (int outside : {-1, 5, 1 << 30}) EXPECT_EQ(TogglePageInSet(once, outside, true, 5), once);
}

}  // namespace
