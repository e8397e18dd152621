#include "printing/SettingsText.h"
#include <gtest/gtest.h>

namespace {

using Assignments = std::vector<CSettingsText::Assignment>;

TEST(SettingsTextSplit, SeparatorIsCarriageReturnLineFeedOnly) {
    EXPECT_TRUE(CSettingsText::SplitLines("").empty());
    EXPECT_EQ(CSettingsText::SplitLines("a\r\n"), (std::vector<std::string>{"a", ""}));
    EXPECT_EQ(CSettingsText::SplitLines("a\nb\rc"), (std::vector<std::string>{"a\nb\rc"}));
    EXPECT_EQ(CSettingsText::SplitLines("\r\n\r\n"), (std::vector<std::string>{"", "", ""}));
}

TEST(SettingsTextParse, TextsAndTheAssignmentsTheyGive) {
    const struct {
        const char* text;
        Assignments parsed;
    } cases[] = {
        {"  LeftMargin\t= \t750 ", {{6, "750 "}}},  // the name is trimmed, the value on the left only
        {"leftmargin = 750", {}},
        {"TopMargin=1", {{7, "1"}}},
        {"FormName = a=b", {{11, "a=b"}}},  // only the first "=" splits
        {"FormName = ", {{11, ""}}},
        {"FormName", {{11, ""}}},
        {"Unknown = 1\r\n= 2\r\n\r\nLeft Margin = 3", {}},
        // The printer first, then ascending; later lines win.
        {"TopMargin = 100\r\nPaperHeight = 9\r\nPrinterName = PDF\r\nPaperSize = 9\r\nTopMargin = 200",
         {{3, "PDF"}, {0, "9"}, {7, "200"}, {13, "9"}}},
        {"PrinterName = A\r\nPrinterName = B", {{3, "B"}}},
        {"LeftMargin = 1\nTopMargin = 2", {{6, "1\nTopMargin = 2"}}},  // a lone line feed does not separate
    };
    for (const auto& c : cases) EXPECT_EQ(CSettingsText::Parse(c.text), c.parsed) << c.text;
}

}  // namespace
