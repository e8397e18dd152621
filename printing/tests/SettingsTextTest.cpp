#include "printing/SettingsText.h"
#include <gtest/gtest.h>

namespace {

using Assignments = std::vector<CSettingsText::Assignment>;

TEST(SettingsTextNames, EveryFieldRoundTripsAndMatchingIsExact) {
    for (int field = 0; field < CSettingsText::FieldCount; ++field)
        EXPECT_EQ(CSettingsText::FieldNumber(CSettingsText::FieldName(field)), field);
    for (int field : {14, -1, static_cast<int>(CSettingsText::kvAllFields)})
        EXPECT_EQ(CSettingsText::FieldName(field), nullptr) << field;
    for (const char* name : {"leftmargin", " LeftMargin", ""}) EXPECT_EQ(CSettingsText::FieldNumber(name), -1) << name;
}

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

TEST(SettingsTextFormat, DisplayInchFirstThenFieldsInOrder) {
    auto value = [](int field) {
        return field == CSettingsText::kvPrinterName ? std::string() : std::to_string(field * 10);
    };
    const std::string text = CSettingsText::Format(value);
    EXPECT_EQ(text,
              "DisplayInch = 100\r\nPaperSize = 0\r\nPaperSource = 10\r\nPageOrientation = 20\r\n"
              "PrinterName = \r\nPrinterCopies = 40\r\nPrintQuality = 50\r\nLeftMargin = 60\r\n"
              "TopMargin = 70\r\nRightMargin = 80\r\nBottomMargin = 90\r\nFormName = 110\r\n"
              "PaperWidth = 120\r\nPaperHeight = 130");
}

}  // namespace
