// Ctrl+C's copy of a page, read back from the clipboard as another program would.
#include "PageClipboard.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<BYTE> Bits(HENHMETAFILE emf) {
    std::vector<BYTE> bits(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), bits.data());
    return bits;
}

std::vector<BYTE> ClipboardBits() {
    std::vector<BYTE> bits;
    if (!OpenClipboard(nullptr)) return bits;
    if (HANDLE data = GetClipboardData(CF_ENHMETAFILE)) bits = Bits(static_cast<HENHMETAFILE>(data));
    CloseClipboard();
    return bits;
}

TEST(PageClipboard, TheClipboardKeepsItsOwnCopy) {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Rectangle(dc, 10, 10, 200, 120);
    TextOutA(dc, 20, 20, "page 1", 6);
    HENHMETAFILE page = CloseEnhMetaFile(dc);
    const std::vector<BYTE> expected = Bits(page);
    ASSERT_TRUE(CopyPageToClipboard(nullptr, page));
    EXPECT_EQ(ClipboardBits(), expected);
    EXPECT_FALSE(CopyPageToClipboard(nullptr, nullptr));
    EXPECT_EQ(ClipboardBits(), expected) << "no page: the clipboard keeps what it had";
    DeleteEnhMetaFile(page);
    EXPECT_EQ(ClipboardBits(), expected) << "the page may go away";
}

}  // namespace
