// The paint loop: which hook gets which part, with what rectangle and text
// colour; the default text, border and debug drawing, read back as pixels.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DibCanvas.h"
#include "html/tests/CaptionTestSupport.h"
#include "toolbar/CWindowListPartFormatLevel.h"
#include "toolbar/CWindowListPartSettings.h"

namespace {

const COLORREF kCanvas = RGB(10, 200, 10);

std::string Str(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// Records the item and text hooks; captions are parsed with the host's caption host.
class RecordingFormat : public CWindowListPartFormatLevel {
public:
    std::vector<std::string> items;  // "item@rect"
    std::vector<COLORREF> itemTextColours;
    struct Text {
        std::string rect;
        const CHTMLCaption* caption;
        std::string source;
    };
    std::vector<Text> texts;
    FakeHost host;

    void DrawItem(CWindowListPartContext& context, const RECT& rect, int32_t item, const CWindowListPart&) override {
        items.push_back(std::to_string(item) + "@" + Str(rect));
        itemTextColours.push_back(GetTextColor(context.DC()));
    }
    void DrawTextUnit(CWindowListPartContext& context, const RECT& rect, const CWindowListPart& part,
                      CHTMLCaption& caption) override {
        texts.push_back({Str(rect), &caption, part.Unit()->Text()});
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
        // Right list first; the group (with a border) and the text are not items;
        // the group's lines are moved to the group's place.
        {"1,\"t\",(2/3)[b=1],|,4:20", {10, 5, 110, 45}, true,
         {"4@90,5,110,45", "1@10,5,36,45", "2@62,5,90,25", "3@62,25,90,45"}},
        {"1:60,2:60,3", {0, 0, 100, 10}, true, {"1@0,0,60,10", "2@60,0,100,10"}},  // no width: no call
        {"1,2", {0, 0, 0, 10}, true, {}},
        {"", {0, 0, 20, 20}, false, {}},  // without a layout nothing is drawn
        {"1,(2", {0, 0, 20, 20}, false, {}},
        {"[debug]", {0, 0, 20, 20}, false, {}},
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

TEST(PaintLoop, ForegroundColourHoldsForItsPartOnly) {
    DibCanvas canvas(90, 10, kCanvas);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    RecordingFormat format;
    ASSERT_TRUE(format.Paint(canvas.Dc(), "1[fg=rgb(0,0,255)],2,3[fg=-2147483630]", RECT{0, 0, 90, 10}));
    EXPECT_EQ(format.itemTextColours,
              (std::vector<COLORREF>{RGB(0, 0, 255), RGB(1, 2, 3), GetSysColor(COLOR_BTNTEXT)}));
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(1, 2, 3));
}

TEST(PaintLoop, TextUnitsGoToTheTextHookWithTheirCaptionParsedOnce) {
    DibCanvas canvas(100, 10, kCanvas);
    RecordingFormat format;
    const char* layout = "\"<b>Hi</b>\",7,\"<img>1</img>Hi\",\"<b>Hi</b>\",\"";
    ASSERT_TRUE(format.Paint(canvas.Dc(), layout, RECT{0, 0, 100, 10}));
    ASSERT_EQ(format.texts.size(), 4u);
    EXPECT_EQ(format.texts[0].rect, "0,0,20,10");
    EXPECT_EQ(format.texts[3].rect, "80,0,100,10");
    EXPECT_EQ(format.texts[0].caption->GetPlainText(), "Hi");
    EXPECT_EQ(format.texts[0].caption, format.texts[2].caption);
    EXPECT_EQ(format.texts[1].caption->Host(), &format.host);
    EXPECT_EQ(format.texts[1].caption->FirstIconNumber(), 1);
    EXPECT_EQ(format.texts[3].source, "");  // a lone quotation mark
    EXPECT_EQ(format.items, std::vector<std::string>{"7@20,0,40,10"});
    // Painting again (another size too) parses nothing new.
    format.Paint(canvas.Dc(), layout, RECT{0, 0, 60, 10});
    EXPECT_EQ(format.Captions().Count(), 2u);  // the empty text needs none
    EXPECT_EQ(format.texts[4].caption, format.texts[0].caption);
}

TEST(PaintLoop, DefaultTextDrawingAlignsByTheUnitsAlignment) {
    const struct {
        int alignment;
        bool left, centre, right, top, bottom;
    } cases[] = {
        {16, true, false, false, false, false},  // the default: left, centred vertically
        {17, false, true, false, false, false},
        {34, false, false, true, false, true},
        {0, true, false, false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.alignment);
        DibCanvas canvas(200, 60, kCanvas);
        RecordingFormat format;
        const std::string layout = "\"WWW\"[fg=rgb(255,0,0)][a=" + std::to_string(c.alignment) + "]";
        ASSERT_TRUE(format.Paint(canvas.Dc(), layout, RECT{0, 0, 200, 60}));
        const RECT ink = canvas.Ink(kCanvas);
        ASSERT_LT(ink.left, ink.right);
        EXPECT_GT(canvas.Count(ink, RGB(255, 0, 0)), 0);  // in the unit's foreground (edges are smoothed)
        const int cx = (ink.left + ink.right) / 2, cy = (ink.top + ink.bottom) / 2;
        EXPECT_EQ(c.left, ink.left < 4);
        EXPECT_EQ(c.right, ink.right > 192);
        EXPECT_EQ(c.centre, cx > 95 && cx < 105);
        EXPECT_EQ(c.top, ink.top < 8);
        EXPECT_EQ(c.bottom, ink.bottom > 50);
        if (!c.top && !c.bottom) { EXPECT_NEAR(cy, 30, 6); }
    }
}

TEST(PaintLoop, BorderDrawsAnEtchedEdgeOnTheSidesOfItsBits) {
    const struct {
        const char* layout;
        bool left, top, right, bottom;
    } cases[] = {
        {"(1,2)[b=15]", true, true, true, true}, {"(1,2)[b=1]", true, false, false, false},
        {"(1,2)[b=6]", false, true, true, false}, {"1[b=8]", false, false, false, true},
        {"[b=2]1", false, true, false, false},  // the root default border
        {"(1,2)", false, false, false, false},
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
        EXPECT_TRUE(canvas.All(RECT{3, 3, 57, 27}, kCanvas));
        if (c.left) { EXPECT_EQ(canvas.At(0, 15), GetSysColor(COLOR_BTNSHADOW)); }
    }
}

TEST(PaintLoop, DebugOverlayNumbersItemsAndFramesEveryPartWithDgl) {
    const RECT area{0, 0, 80, 24};
    DibCanvas plain(80, 24, kCanvas);
    RecordingFormat format;
    ASSERT_TRUE(format.Paint(plain.Dc(), "[dgl=1]42", area));
    EXPECT_TRUE(plain.All(area, kCanvas)) << "no overlay without the debug attribute";

    // The number, centred on an opaque background of the DC's colours, over the item.
    DibCanvas canvas(80, 24, kCanvas);
    SetBkColor(canvas.Dc(), RGB(255, 255, 0));
    SetTextColor(canvas.Dc(), RGB(0, 0, 128));
    SetBkMode(canvas.Dc(), OPAQUE);
    ASSERT_TRUE(format.Paint(canvas.Dc(), "[debug]42", area));
    const RECT label = canvas.Ink(kCanvas);
    EXPECT_NEAR((label.left + label.right) / 2, 40, 2);
    EXPECT_NEAR((label.top + label.bottom) / 2, 12, 2);
    EXPECT_GT(canvas.Count(label, RGB(255, 255, 0)), 0);
    EXPECT_GT(canvas.Count(label, RGB(0, 0, 128)), 0);
    EXPECT_EQ(canvas.At(0, 0), kCanvas);  // no frame without "dgl"
    EXPECT_EQ(format.items.size(), 2u);

    // With "dgl" every part is framed in the text colour (groups and texts too); only items carry a number.
    DibCanvas framed(80, 24, kCanvas);
    SetTextColor(framed.Dc(), RGB(0, 0, 128));
    ASSERT_TRUE(format.Paint(framed.Dc(), "[debug][dgl=3]\"\"[fg=rgb(200,0,0)],(7)[bg=rgb(0,0,1)]", area));
    EXPECT_TRUE(framed.All(RECT{0, 0, 40, 1}, RGB(0, 0, 128)));
    EXPECT_TRUE(framed.All(RECT{1, 1, 39, 23}, kCanvas));
    EXPECT_TRUE(framed.All(RECT{40, 23, 80, 24}, RGB(0, 0, 128)));
    EXPECT_EQ(framed.At(43, 3), RGB(0, 0, 1));
    EXPECT_GT(framed.Count(RECT{41, 1, 79, 23}, RGB(255, 255, 255)), 0);
}

// What the hooks see of the paint in progress: the root's attributes and the root level.
class SettingsProbe : public CWindowListPartFormatLevel {
public:
    std::string seen, colour, missing = "untouched";
    const CWindowListPartLevel* root = nullptr;
    void DrawItem(CWindowListPartContext& context, const RECT&, int32_t, const CWindowListPart&) override {
        const CWindowListPartSettings& s = context.Settings();
        seen = std::to_string(s.Attribute("theme", colour)) + " " + std::to_string(s.Attribute("none", missing));
        root = context.RootLevel();
    }
    void DrawDebug(CWindowListPartContext&, const RECT&, const CWindowListPart&) override {}
};

TEST(PaintLoop, HooksReachTheRootLevelAndItsSettings) {
    DibCanvas canvas(20, 20, kCanvas);
    SettingsProbe format;
    const char* layout = "[theme=blue][dgl=300][debug=0](1)";
    ASSERT_TRUE(format.Paint(canvas.Dc(), layout, RECT{0, 0, 20, 20}));
    EXPECT_EQ(format.seen, "1 0");
    EXPECT_EQ(format.colour, "blue");
    EXPECT_EQ(format.missing, "untouched");
    EXPECT_EQ(format.root, format.GetLayout(layout));
}

}  // namespace
