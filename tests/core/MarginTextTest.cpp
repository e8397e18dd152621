// The margin text in the user's number format (the test prefix's user is en-US).
#include "MarginText.h"
#include <gtest/gtest.h>
#include <climits>

namespace {

TEST(MarginText, InchesAndMillimetresInTheUsersFormat) {
    struct Case { long value; bool inch; const char* text; };
    const Case cases[] = {{1250, true, "1.25\""},      {0, true, "0.00\""},      {1000, false, "10.00 mm"},
                          {-250, false, "-2.50 mm"}, {123456, true, "123.46\""}, {500000, false, "5,000.00 mm"}};
    for (const Case& c : cases) EXPECT_EQ(MarginText(c.value, c.inch), c.text) << c.value;
    // Wine groups only the last three digits of longer numbers; ask only for the unit there.
    const std::string huge = MarginText(LONG_MAX, false);
    EXPECT_EQ(huge.substr(huge.size() - 6), ".47 mm") << huge;
    EXPECT_EQ(MarginToolTip("Adjust margin", 500, true), "Adjust margin (0.50\")");
}

}  // namespace
