#pragma once
// Recording against the printer "PDF" (300 dpi) with a page setup of the
// test's own: a store that notes its notifications, and pixel helpers.
#include "CHostEMFPages.h"
#include "Gdi.h"
#include "GdiCount.h"
#include "MetafileText.h"
#include "ScriptProvider.h"
#include "Variants.h"
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// The store as the Print object sees it, with its notifications written down.
class CNotingStore : public CHostEMFPages {
public:
    void OnPageRecorded(long globalIndex) override { events.push_back("page " + std::to_string(globalIndex)); }
    void OnProviderStart() override { events.push_back("start"); }
    void OnProviderEnd() override { events.push_back("end " + std::to_string(GetCount())); }
    void SetOptions(long value) {
        VARIANT* v = options_.Put();
        V_VT(v) = VT_I4;
        V_I4(v) = value;
    }
    std::vector<std::string> events;
};

// A PAGESETUPDLGA in thousandths of an inch: paper and four equal margins.
PAGESETUPDLGA InchSetup(long width, long height, long margin);

// A page played into a white screen bitmap of `size`; pixels read back as COLORREF.
class CPlayedPage {
public:
    CPlayedPage(CEMFPage& page, SIZE size);
    COLORREF Pixel(int x, int y) const { return GetPixel(memory_, x, y); }
    RECT client{};  // what Play answered

private:
    COwnedDC memory_;
    Bitmap bitmap_;
};


class RecordingTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    void Record() { store->LoadPages(printer.Get(), &setup); }
    // The texts of a recorded page, in drawing order.
    std::vector<std::string> Strings(long page) const {
        std::vector<std::string> s;
        for (const MetafileText& t : TextsOf(store->GetPage(page).GetHandle())) s.push_back(t.text);
        return s;
    }
    // The page setup's lengths in pixels of a device with `dpi`, as the store converts them.
    static long Px(long thousandths, int dpi) { return MulDiv(thousandths, dpi, 1000); }

    COwnedDC printer;
    int printerDpiX = 0, printerDpiY = 0, screenDpiX = 0, screenDpiY = 0;
    PAGESETUPDLGA setup = InchSetup(8500, 11000, 1000);
    std::unique_ptr<CNotingStore> store;
    std::vector<DrawCall> calls;
};
