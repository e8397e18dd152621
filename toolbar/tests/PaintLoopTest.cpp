// Which paint hook gets which part with what rectangle and colour; default drawing as pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DibCanvas.h"
#include "html/tests/CaptionTestSupport.h"
#include "toolbar/CWindowListPartFormatLevel.h"
#include "toolbar/CWindowListPartSettings.h"

namespace {

const COLORREF kCanvas = RGB(10, 200, 10);

// Records what the item and text hooks see; captions are parsed with the host's caption host.
class RecordingFormat : public CWindowListPartFormatLevel {
public:
    std::vector<std::string> items;  // "item@rect"
    std::vector<COLORREF> itemTextColours;
    std::vector<const CHTMLCaption*> captions;
    std::string theme;  // the root's attribute as the hooks read it
    FakeHost host;

    void DrawItem(CWindowListPartContext& context, const RECT& rect, int32_t item, const CWindowListPart&) override {
        items.push_back(std::to_string(item) + "@" + std::to_string(rect.left) + "," +
                        std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
                        std::to_string(rect.bottom));
        itemTextColours.push_back(GetTextColor(context.DC()));
        context.Settings().Attribute("theme", theme);
    }
    void DrawTextUnit(CWindowListPartContext& context, const RECT& rect, const CWindowListPart& part,
                      CHTMLCaption& caption) override {
        captions.push_back(&caption);
        CWindowListPartFormatLevel::DrawTextUnit(context, rect, part, caption);
    }

protected:
    IHTMLCaptionHostBase* CaptionHost() override { return &host; }
};

TEST(PaintLoop, ItemHookOncePerPlacedItemWithItsRectangle) {
    const struct {
        const char* layout;
        RECT area;
        bool paints;
        std::vector<std::string> items;
    } cases[] = {
        // Right list first; the bordered group and the text are not items, the group's lines move.
        {"1,\"t\",(2/3)[b=1],|,4:20", {10, 5, 110, 45}, true,
         {"4@90,5,110,45", "1@10,5,36,45", "2@62,5,90,25", "3@62,25,90,45"}},
        {"1:60,2:60,3", {0, 0, 100, 10}, true, {"1@0,0,60,10", "2@60,0,100,10"}},  // no width: no call
        {"", {0, 0, 20, 20}, false, {}},  // without a layout nothing is drawn
        {"1,(2", {0, 0, 20, 20}, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        DibCanvas canvas(120, 60, kCanvas);
        RecordingFormat format;
        EXPECT_EQ(format.Paint(canvas.Dc(), c.layout, c.area), c.paints);
        EXPECT_EQ(format.items, c.items);
        if (!c.paints) { EXPECT_TRUE(canvas.All(canvas.Rect(), kCanvas)); }
    }
}

TEST(PaintLoop, ForegroundColourHoldsForItsPartOnlyAndHooksSeeTheRoot) {
    DibCanvas canvas(90, 10, kCanvas);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    RecordingFormat format;
    const char* layout = "[theme=blue]1[fg=rgb(0,0,255)],2,3[fg=-2147483630]";
    ASSERT_TRUE(format.Paint(canvas.Dc(), layout, RECT{0, 0, 90, 10}));
    EXPECT_EQ(format.itemTextColours,
              (std::vector<COLORREF>{RGB(0, 0, 255), RGB(1, 2, 3), GetSysColor(COLOR_BTNTEXT)}));
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(1, 2, 3));
    EXPECT_EQ(format.theme, "blue");
}

TEST(PaintLoop, TextUnitsGoToTheTextHookWithTheirCaptionParsedOnce) {
    DibCanvas canvas(100, 10, kCanvas);
    RecordingFormat format;
    const char* layout = "\"<b>Hi</b>\",7,\"<img>1</img>Hi\",\"<b>Hi</b>\",\"";  // the last: a lone quote
    ASSERT_TRUE(format.Paint(canvas.Dc(), layout, RECT{0, 0, 100, 10}));
    ASSERT_EQ(format.captions.size(), 4u);
    EXPECT_EQ(format.captions[0]->GetPlainText(), "Hi");
    EXPECT_EQ(format.captions[0], format.captions[2]);
    EXPECT_EQ(format.captions[1]->Host(), &format.host);
    // Painting again (another size too) parses nothing new; the empty text needs no caption.
    format.Paint(canvas.Dc(), layout, RECT{0, 0, 60, 10});
    EXPECT_EQ(format.Captions().Count(), 2u);
    EXPECT_EQ(format.captions[4], format.captions[0]);
}

// Where the alignment puts the content is the layout's part; here, that the text follows it.
TEST(PaintLoop, DefaultTextDrawingAlignsByTheUnitsAlignment) {
    DibCanvas canvas(200, 60, kCanvas);
    RecordingFormat format;
    ASSERT_TRUE(format.Paint(canvas.Dc(), "\"WWW\"[fg=rgb(255,0,0)][a=34]", RECT{0, 0, 200, 60}));
    const RECT ink = canvas.Ink(kCanvas);
    EXPECT_GT(canvas.Count(ink, RGB(255, 0, 0)), 0);  // in the unit's foreground (edges are smoothed)
    EXPECT_GT(ink.right, 192);
    EXPECT_GT(ink.bottom, 50);
}

TEST(PaintLoop, BorderDrawsAnEtchedEdgeOnTheSidesOfItsBits) {
    const struct {
        const char* layout;
        bool left, top, right, bottom;
    } cases[] = {
        {"(1,2)[b=15]", true, true, true, true}, {"(1,2)[b=1]", true, false, false, false},
        {"(1,2)[b=6]", false, true, true, false}, {"1[b=8]", false, false, false, true},
        {"[b=2]1", false, true, false, false},  // the root default border
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        DibCanvas canvas(60, 30, kCanvas);
        RecordingFormat format;
        ASSERT_TRUE(format.Paint(canvas.Dc(), c.layout, RECT{0, 0, 60, 30}));
        // Sides without their corners, which the neighbouring sides may touch.
        EXPECT_EQ(c.left, canvas.Count(RECT{0, 3, 1, 27}, kCanvas) == 0);
        EXPECT_EQ(c.top, canvas.Count(RECT{3, 0, 57, 1}, kCanvas) == 0);
        EXPECT_EQ(c.right, canvas.Count(RECT{59, 3, 60, 27}, kCanvas) == 0);
        EXPECT_EQ(c.bottom, canvas.Count(RECT{3, 29, 57, 30}, kCanvas) == 0);
        if (c.left) { EXPECT_EQ(canvas.At(0, 15), GetSysColor(COLOR_BTNSHADOW)); }
    }
}

TEST(PaintLoop, DebugOverlayNumbersItemsAndFramesEveryPartWithDgl) {
    const RECT area{0, 0, 80, 24};
    RecordingFormat format;
    // The number, centred on an opaque background of the DC's colours, over the item.
    DibCanvas canvas(80, 24, kCanvas);
    SetBkColor(canvas.Dc(), RGB(255, 255, 0));
    SetTextColor(canvas.Dc(), RGB(0, 0, 128));
    SetBkMode(canvas.Dc(), OPAQUE);
    ASSERT_TRUE(format.Paint(canvas.Dc(), "[debug]42", area));
    const RECT label = canvas.Ink(kCanvas);
    EXPECT_NEAR((label.left + label.right) / 2, 40, 2);
    EXPECT_GT(canvas.Count(label, RGB(255, 255, 0)), 0);
    EXPECT_GT(canvas.Count(label, RGB(0, 0, 128)), 0);
    EXPECT_EQ(canvas.At(0, 0), kCanvas);  // no frame without "dgl"

    // With "dgl" texts are framed too (in the text colour); only items carry a number.
    ASSERT_TRUE(format.Paint(canvas.Dc(), "[debug][dgl=3]\"\"[fg=rgb(200,0,0)],(7)[bg=rgb(0,0,1)]", area));
    EXPECT_TRUE(canvas.All(RECT{0, 0, 40, 1}, RGB(0, 0, 128)));
    EXPECT_EQ(canvas.At(43, 3), RGB(0, 0, 1));
}

}  // namespace
