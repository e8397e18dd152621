#include "RecordingTest.h"

PAGESETUPDLGA InchSetup(long width, long height, long margin) {
    PAGESETUPDLGA s{};
    s.lStructSize = sizeof s;
    s.Flags = PSD_INTHOUSANDTHSOFINCHES | PSD_MARGINS;
    s.ptPaperSize = POINT{width, height};
    s.rtMargin = RECT{margin, margin, margin, margin};
    return s;
}



CPlayedPage::CPlayedPage(CEMFPage& page, SIZE size) {
    CWindowDC screen;
    memory_.Reset(CreateCompatibleDC(screen));
    bitmap_.Reset(CreateCompatibleBitmap(screen, size.cx, size.cy));
    SelectObject(memory_, bitmap_.Get());  // stays selected for the object's life
    const RECT all{0, 0, size.cx, size.cy};
    FillRect(memory_, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    client = page.Play(memory_, all);
}

std::vector<DWORD> RecordTypes(HENHMETAFILE metafile) {
    std::vector<DWORD> types;
    EnumEnhMetaFile(
        nullptr, metafile,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) WINAPI -> int {
            reinterpret_cast<std::vector<DWORD>*>(param)->push_back(record->iType);
            return 1;
        },
        &types, nullptr);
    return types;
}

int BitmapCopies(HENHMETAFILE metafile) {
    int count = 0;
    EnumEnhMetaFile(
        nullptr, metafile,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) WINAPI -> int {
            if (record->iType == EMR_BITBLT && reinterpret_cast<const EMRBITBLT*>(record)->cbBitsSrc > 0)
                ++*reinterpret_cast<int*>(param);
            return 1;
        },
        &count, nullptr);
    return count;
}

void RecordingTest::SetUp() {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    printer.Reset(CreateDCA("WINSPOOL", "PDF", nullptr, nullptr));
    ASSERT_TRUE(printer) << "the CUPS printer PDF must be installed";
    printerDpiX = GetDeviceCaps(printer, LOGPIXELSX);
    printerDpiY = GetDeviceCaps(printer, LOGPIXELSY);
    CWindowDC screen;
    screenDpiX = GetDeviceCaps(screen, LOGPIXELSX);
    screenDpiY = GetDeviceCaps(screen, LOGPIXELSY);
    store = std::make_unique<CNotingStore>();
}

void RecordingTest::TearDown() {
    store.reset();
    printer.Reset();
    CoUninitialize();
}
