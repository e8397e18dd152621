#include "printing/PrinterNames.h"
#include <gtest/gtest.h>

namespace {

TEST(PrinterNames, JoinedWithoutTrailingSeparatorAndBoundedByTheListSize) {
    const struct {
        std::string list;
        const char *all, *first;
    } cases[] = {
        {std::string("PDF\0Laser\0Ink Jet\0\0", 20), "PDF\r\nLaser\r\nInk Jet", "PDF"},
        {std::string(2, '\0'), "", ""},
        {"", "", ""},
        {"PDF", "PDF", "PDF"},  // unterminated
        {std::string("A\0B", 3), "A\r\nB", "A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JoinPrinterNames(c.list.data(), c.list.size(), false), c.all) << c.all;
        EXPECT_EQ(JoinPrinterNames(c.list.data(), c.list.size(), true), c.first) << c.all;
    }
}

}  // namespace
