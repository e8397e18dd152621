// Painting returns every GDI object it makes.
#include <gtest/gtest.h>

#include "DibCanvas.h"
#include "GdiCount.h"
#include "toolbar/CWindowListPartFormatLevel.h"

namespace {

TEST(PaintResources, AThousandPaintsLeaveNoGdiObjectBehind) {
    // Every kind of drawing: hatched and solid fills, an OLE colour, a
    // foreground, a text, a border and the debug overlay with frames.
    const char* layout =
        "[debug][dgl=1]1[bg=0],2[bg=rgb(1,2,3)][fg=-2147483630],"
        "(\"<b>x</b>\"[b=15],3)[bg=-2147483633][b=15]/|/4[bg=-2147483635]";
    DibCanvas canvas(160, 40, RGB(255, 255, 255));
    CWindowListPartFormatLevel format;
    ASSERT_TRUE(format.Paint(canvas.Dc(), layout, RECT{0, 0, 160, 40}));  // caches filled

    const long before = GdiObjectCount();
    {
        // The count must see a single object, or the check below proves nothing.
        Brush probe(CreateSolidBrush(RGB(1, 1, 1)));
        ASSERT_EQ(GdiObjectCount(), before + 1);
    }
    for (int i = 0; i < 1000; ++i)
        ASSERT_TRUE(format.Paint(canvas.Dc(), layout, RECT{0, i % 2, 160, 40}));
    EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
