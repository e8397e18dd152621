#include "PageText.h"
#include <gtest/gtest.h>

namespace {

TEST(PageText, TokensFollowTheStartNumberAndTheRecordedCount) {
    EXPECT_EQ(FormatPageText("Page <%page%> of <%count%>", 1, 1, 3), "Page 1 of 3");
    EXPECT_EQ(FormatPageText("Page <%page%> of <%count%>", 3, 1, 3), "Page 3 of 3");
    EXPECT_EQ(FormatPageText("<%page%>/<%count%>", 1, 5, 3), "5/7");
    EXPECT_EQ(FormatPageText("<%page%>/<%count%>", 3, 5, 3), "7/7");
    EXPECT_EQ(FormatPageText("<%page%>/<%count%>", 1, 0, 3), "0/2");
    // Pages are decorated per provider: the count is what is recorded so far.
    EXPECT_EQ(FormatPageText("<%count%>", 2, 1, 2), "2");
    EXPECT_EQ(FormatPageText("<%count%>", 3, 1, 5), "5");
    EXPECT_EQ(FormatPageText("Report <%page%>", 1, 1, 1), "Report 1");
}

TEST(PageText, EveryOccurrenceAndNothingElseIsReplaced) {
    EXPECT_EQ(FormatPageText("<%page%><%page%> <%PAGE%> <%page <%count%><%count%>", 2, 1, 4),
              "22 <%PAGE%> <%page 44");
    EXPECT_EQ(FormatPageText("", 1, 1, 1), "");
    EXPECT_EQ(FormatPageText("<%pa<%page%>ge%>", 7, 1, 9), "<%pa7ge%>");
    EXPECT_EQ(ReplaceAll("%i-%i.emf", "%i", 2), "2-2.emf");
    EXPECT_EQ(ReplaceAll("page.emf", "%i", 2), "page.emf");
    EXPECT_EQ(ReplaceAll("%%ii", "%i", 12), "%12i");
    // Many tokens stay linear: a hostile caption costs its length, not its square.
    std::string many;
    for (int i = 0; i < 100000; ++i) many += "<%page%>";
    EXPECT_EQ(FormatPageText(many, 1, 10, 1).size(), 200000u);
}

TEST(PageText, AlignmentFollowsParityForInsideAndOutside) {
    for (int n : {1, 2, 3, 4}) {
        EXPECT_EQ(ResolveAlignment(n, 0), 0);
        EXPECT_EQ(ResolveAlignment(n, 1), 1);
        EXPECT_EQ(ResolveAlignment(n, 2), 2);
        EXPECT_EQ(ResolveAlignment(n, 3), n % 2 ? 2 : 0);
        EXPECT_EQ(ResolveAlignment(n, 4), n % 2 ? 0 : 2);
        EXPECT_EQ(ResolveAlignment(n, 77), 2);
        EXPECT_EQ(ResolveAlignment(n, -1), 2);
    }
}

}  // namespace
