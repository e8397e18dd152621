#include "printing/PrinterNames.h"

#include <gtest/gtest.h>

namespace {

std::string Join(const std::string& list, bool firstOnly) {
    return JoinPrinterNames(list.data(), list.size(), firstOnly);
}

TEST(PrinterNames, JoinedWithoutTrailingSeparator) {
    const std::string three("PDF\0Laser\0Ink Jet\0\0", 20);
    EXPECT_EQ(Join(three, false), "PDF\r\nLaser\r\nInk Jet");
    EXPECT_EQ(Join(three, true), "PDF");
}

TEST(PrinterNames, EmptyListGivesEmptyText) {
    EXPECT_EQ(Join(std::string(2, '\0'), false), "");
    EXPECT_EQ(Join(std::string(2, '\0'), true), "");
    EXPECT_EQ(Join("", false), "");
}

TEST(PrinterNames, UnterminatedListStopsAtItsSize) {
    EXPECT_EQ(Join("PDF", false), "PDF");
    EXPECT_EQ(Join(std::string("A\0B", 3), false), "A\r\nB");
}

} // namespace
