#include "PageText.h"
#include <gtest/gtest.h>

namespace {

TEST(PageText, EveryTokenFollowsTheStartNumberAndTheRecordedCount) {
    const struct {
        const char* format;
        int n, start, recorded;
        const char* text;
    } cases[] = {
        {"Page <%page%> of <%count%>", 3, 1, 3, "Page 3 of 3"},
        {"<%page%>/<%count%>", 1, 5, 3, "5/7"},
        {"<%page%>/<%count%>", 1, 0, 3, "0/2"},
        {"<%count%>", 2, 1, 2, "2"},  // pages are decorated per provider: the count so far
        {"<%page%><%page%> <%PAGE%> <%page <%count%><%count%>", 2, 1, 4, "22 <%PAGE%> <%page 44"},
        {"<%pa<%page%>ge%>", 7, 1, 9, "<%pa7ge%>"},
        {"", 1, 1, 1, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatPageText(c.format, c.n, c.start, c.recorded), c.text) << c.format;
    EXPECT_EQ(ReplaceAll("%i-%i.emf", "%i", 2), "2-2.emf");
    EXPECT_EQ(ReplaceAll("%%ii", "%i", 12), "%12i");
    // Many tokens stay linear: a hostile caption costs its length, not its square.
    std::string many;
    for (int i = 0; i < 100000; ++i) many += "<%page%>";
    EXPECT_EQ(FormatPageText(many, 1, 10, 1).size(), 200000u);
}

// Alignments 0 left, 1 centre, 2 right, 3 inside, 4 outside; sides 0 left, 1 centre, 2 right.
TEST(PageText, InsideAndOutsideFollowTheParityOthersStayOrRight) {
    const struct { int page; long alignment; int side; } cases[] = {
        {1, 0, 0}, {2, 1, 1}, {2, 2, 2}, {1, 3, 2}, {2, 3, 0}, {1, 4, 0}, {2, 4, 2}, {1, 77, 2}, {2, -1, 2}};
    for (const auto& c : cases) EXPECT_EQ(ResolveAlignment(c.page, c.alignment), c.side) << c.page << " " << c.alignment;
}

}  // namespace
