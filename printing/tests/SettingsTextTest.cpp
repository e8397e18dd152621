#include "printing/SettingsText.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Assignments = std::vector<CSettingsText::Assignment>;

TEST(SettingsTextNames, EveryFieldRoundTripsAndMatchingIsExact) {
    for (int field = 0; field < CSettingsText::FieldCount; ++field)
        EXPECT_EQ(CSettingsText::FieldNumber(CSettingsText::FieldName(field)), field);
    EXPECT_STREQ(CSettingsText::FieldName(CSettingsText::kvFormName), "FormName");
    EXPECT_EQ(CSettingsText::FieldName(14), nullptr);
    EXPECT_EQ(CSettingsText::FieldName(-1), nullptr);
    EXPECT_EQ(CSettingsText::FieldName(CSettingsText::kvAllFields), nullptr);
    EXPECT_EQ(CSettingsText::FieldNumber("leftmargin"), -1);
    EXPECT_EQ(CSettingsText::FieldNumber(" LeftMargin"), -1);
    EXPECT_EQ(CSettingsText::FieldNumber(""), -1);
}

TEST(SettingsTextSplit, SeparatorIsCarriageReturnLineFeedOnly) {
    EXPECT_TRUE(CSettingsText::SplitLines("").empty());
    EXPECT_EQ(CSettingsText::SplitLines("a"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(CSettingsText::SplitLines("a\r\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(CSettingsText::SplitLines("a\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(CSettingsText::SplitLines("a\nb\rc"), (std::vector<std::string>{"a\nb\rc"}));
    EXPECT_EQ(CSettingsText::SplitLines("\r\n\r\n"), (std::vector<std::string>{"", "", ""}));
}

TEST(SettingsTextParse, NameIsTrimmedValueOnlyOnTheLeft) {
    EXPECT_EQ(CSettingsText::Parse("  LeftMargin\t= \t750 "), (Assignments{{6, "750 "}}));
    EXPECT_EQ(CSettingsText::Parse("leftmargin = 750"), Assignments{});
    EXPECT_EQ(CSettingsText::Parse("TopMargin=1"), (Assignments{{7, "1"}}));
    // Only the first "=" splits; the rest belongs to the value.
    EXPECT_EQ(CSettingsText::Parse("FormName = a=b"), (Assignments{{11, "a=b"}}));
    EXPECT_EQ(CSettingsText::Parse("FormName = "), (Assignments{{11, ""}}));
    EXPECT_EQ(CSettingsText::Parse("FormName"), (Assignments{{11, ""}}));
    EXPECT_EQ(CSettingsText::Parse("Unknown = 1\r\n= 2\r\n\r\nLeft Margin = 3"), Assignments{});
}

TEST(SettingsTextParse, PrinterFirstThenAscendingAndLaterLinesWin) {
    const std::string text =
        "TopMargin = 100\r\nPaperHeight = 9\r\nPrinterName = PDF\r\nPaperSize = 9\r\nTopMargin = 200";
    EXPECT_EQ(CSettingsText::Parse(text),
              (Assignments{{3, "PDF"}, {0, "9"}, {7, "200"}, {13, "9"}}));
    EXPECT_EQ(CSettingsText::Parse("PrinterName = A\r\nPrinterName = B"), (Assignments{{3, "B"}}));
    // A lone line feed does not separate: the value runs on.
    EXPECT_EQ(CSettingsText::Parse("LeftMargin = 1\nTopMargin = 2"), (Assignments{{6, "1\nTopMargin = 2"}}));
}

TEST(SettingsTextFormat, DisplayInchFirstThenFieldsInOrder) {
    const std::string text = CSettingsText::Format([](int field) {
        return field == CSettingsText::kvPrinterName ? std::string() : std::to_string(field * 10);
    });
    EXPECT_EQ(text,
              "DisplayInch = 100\r\nPaperSize = 0\r\nPaperSource = 10\r\nPageOrientation = 20\r\n"
              "PrinterName = \r\nPrinterCopies = 40\r\nPrintQuality = 50\r\nLeftMargin = 60\r\n"
              "TopMargin = 70\r\nRightMargin = 80\r\nBottomMargin = 90\r\nFormName = 110\r\n"
              "PaperWidth = 120\r\nPaperHeight = 130");
}

TEST(SettingsTextFormat, ParsingAFormattedTextGivesEveryValueBack) {
    std::map<int, std::string> values;
    for (int field = 0; field < CSettingsText::FieldCount; ++field) values[field] = "v" + std::to_string(field);
    const Assignments parsed = CSettingsText::Parse(CSettingsText::Format([&](int field) { return values[field]; }));
    ASSERT_EQ(parsed.size(), 14u);
    EXPECT_EQ(parsed.front(), (CSettingsText::Assignment{3, "v3"}));
    for (const auto& assignment : parsed) EXPECT_EQ(assignment.second, values[assignment.first]);
}

} // namespace
