// Ctrl+C's copy of a page, read back from the clipboard as another program would.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "PageClipboard.h"

namespace {

std::vector<BYTE> Bits(HENHMETAFILE emf) {
    std::vector<BYTE> bits(GetEnhMetaFileBits(emf, 0, nullptr));
    GetEnhMetaFileBits(emf, static_cast<UINT>(bits.size()), bits.data());
    return bits;
}

// What the clipboard holds as an enhanced metafile, or nothing.
std::vector<BYTE> ClipboardBits() {
    std::vector<BYTE> bits;
    if (!OpenClipboard(nullptr)) return bits;
    if (HANDLE data = GetClipboardData(CF_ENHMETAFILE)) bits = Bits(static_cast<HENHMETAFILE>(data));
    CloseClipboard();
    return bits;
}

TEST(PageClipboard, TheClipboardKeepsItsOwnCopyAndABusyClipboardIsLeftAlone) {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Rectangle(dc, 10, 10, 200, 120);
    TextOutA(dc, 20, 20, "page 1", 6);
    HENHMETAFILE page = CloseEnhMetaFile(dc);
    const std::vector<BYTE> expected = Bits(page);
    ASSERT_TRUE(CopyPageToClipboard(nullptr, page));
    EXPECT_EQ(ClipboardBits(), expected);
    EXPECT_FALSE(CopyPageToClipboard(nullptr, nullptr));
    EXPECT_EQ(ClipboardBits(), expected) << "no page: the clipboard keeps what it had";

    // Another thread holds the clipboard open: no copy, and no waiting for it.
    std::atomic<int> phase{0};
    std::thread other([&] {
        HWND window = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        const bool opened = OpenClipboard(window);
        phase = opened ? 1 : 3;
        while (phase == 1) Sleep(5);
        if (opened) CloseClipboard();
        DestroyWindow(window);
    });
    while (phase == 0) Sleep(5);
    const bool held = phase == 1;
    EXPECT_TRUE(held) << "the other thread could not open the clipboard";
    if (held) EXPECT_FALSE(CopyPageToClipboard(nullptr, page));
    phase = 2;
    other.join();
    EXPECT_TRUE(CopyPageToClipboard(nullptr, page));
    DeleteEnhMetaFile(page);
    EXPECT_EQ(ClipboardBits(), expected) << "the page may go away";
}

}  // namespace
