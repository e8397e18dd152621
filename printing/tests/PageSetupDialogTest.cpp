// The settings record against Wine's real page-setup dialog and spooler,
// with the CUPS printer "PDF" (A4, 300 dpi) as the system's default.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "SettingsVariant.h"
#include "printing/SettingsText.h"

namespace {

using F = CSettingsText;

std::string DefaultPrinter() {
    char name[1024] = {};
    DWORD size = sizeof name;
    return GetDefaultPrinterA(name, &size) ? name : "";
}

// A dialog of this process other than `known`, waited for up to 10 s; null if none came.
HWND WaitForDialog(HWND known) {
    struct Search {
        HWND known, found;
    } search{known, nullptr};
    auto look = [](HWND window, LPARAM data) WINAPI -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        char name[16] = {};
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (window == s->known || process != GetCurrentProcessId() || !GetClassNameA(window, name, sizeof name) ||
            std::string(name) != "#32770")
            return TRUE;
        s->found = window;
        return FALSE;
    };
    for (int tries = 0; tries < 200 && !search.found; ++tries, Sleep(50))
        EnumWindows(look, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class PageSetupDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DefaultPrinter(), "PDF") << "the CUPS printer PDF must be the default"; }
    FakeDefaultSettings defaults;
};

TEST_F(PageSetupDialogTest, FreshRecordLoadsTheDefaultPrinterOnFirstUse) {
    CPageSetupDialog record(defaults);
    EXPECT_TRUE(record.IsInch());
    EXPECT_EQ(SettingLong(record, F::kvPaperWidth), 0) << "no paper before the device mode is loaded";
    EXPECT_EQ(record.CreatePrinterDC(), nullptr) << "no device mode before first use";
    const std::vector<std::string> lines = CSettingsText::SplitLines(SettingText(record, F::kvAllFields));
    const char* const expected[] = {"DisplayInch = 0", "PaperSize = 9", nullptr, "PageOrientation = 1",
                                    "PrinterName = PDF", nullptr, nullptr, "LeftMargin = 500",
                                    nullptr, nullptr, nullptr, nullptr, "PaperWidth = 8263", "PaperHeight = 11692"};
    ASSERT_EQ(lines.size(), 14u);
    for (size_t i = 0; i < lines.size(); ++i)
        if (expected[i]) EXPECT_EQ(lines[i], expected[i]);
    std::unique_ptr<CDCPrinter> printer = record.CreatePrinterDC();
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->GetDeviceCaps(HORZRES), 2479);
    EXPECT_EQ(printer->GetDeviceCaps(VERTRES), 3508);
    record.ReleasePrinterDC(std::move(printer));
}

TEST_F(PageSetupDialogTest, NullOutPointerAndUnknownFields) {
    CPageSetupDialog record(defaults);
    EXPECT_EQ(record.GetSettings(F::kvLeftMargin, nullptr), E_POINTER);
    EXPECT_EQ(Setting(record, 99).Type(), VT_EMPTY);
    EXPECT_EQ(Setting(record, -1).Type(), VT_EMPTY);
    record.Recalculate();
    const std::string before = SettingText(record, F::kvAllFields);
    PutLong(record, 99, 1);
    PutLong(record, 14, 1);
    EXPECT_EQ(SettingText(record, F::kvAllFields), before);
    // An unknown field's put still recalculates: a unit changed behind the record's back shows.
    defaults.DisplayInch = 1;
    PutLong(record, 99, 1);
    EXPECT_NEAR(SettingLong(record, F::kvPaperWidth), 21000, 20);
}

TEST_F(PageSetupDialogTest, SettingsTextAppliesThePrinterFirstAndRoundTrips) {
    std::string text;
    {
        CPageSetupDialog record(defaults);
        // Selecting the printer reloads its device mode; done last, it would undo the orientation.
        PutText(record, F::kvAllFields, "TopMargin = 640\r\nPageOrientation = 2\r\nPrinterName = PDF");
        EXPECT_EQ(SettingLong(record, F::kvTopMargin), 640);
        EXPECT_EQ(SettingLong(record, F::kvPageOrientation), DMORIENT_LANDSCAPE);
        EXPECT_EQ(SettingText(record, F::kvPrinterName), "PDF");
        text = SettingText(record, F::kvAllFields);
    }
    CPageSetupDialog again(defaults);
    PutText(again, F::kvAllFields, text);
    EXPECT_EQ(SettingText(again, F::kvAllFields), text);
}

TEST_F(PageSetupDialogTest, PaperFollowsTheOrientationAndTheUnit) {
    CPageSetupDialog record(defaults);
    ASSERT_EQ(record.PageOrientation(), DMORIENT_PORTRAIT);
    // A4 in thousandths of an inch, then in hundredths of a millimetre (rounded by the
    // dialog); the margins keep their numbers in either unit.
    const struct {
        bool asText;
        short orientation, displayInch;
        long width, height, slack;
    } steps[] = {{false, DMORIENT_LANDSCAPE, 0, 11692, 8263, 0},
                 {false, DMORIENT_LANDSCAPE, 0, 11692, 8263, 0},
                 {true, DMORIENT_PORTRAIT, 0, 8263, 11692, 0},
                 {true, DMORIENT_PORTRAIT, 1, 21000, 29700, 20}};
    for (const auto& step : steps) {
        PutLong(record, F::kvDisplayInch, step.displayInch);
        if (step.asText) PutText(record, F::kvPageOrientation, std::to_string(step.orientation));
        else record.PutPageOrientation(step.orientation);
        EXPECT_EQ(record.PageOrientation(), step.orientation);
        EXPECT_NEAR(SettingLong(record, F::kvPaperWidth), step.width, step.slack);
        EXPECT_NEAR(SettingLong(record, F::kvPaperHeight), step.height, step.slack);
        EXPECT_EQ(SettingLong(record, F::kvLeftMargin), 500);
    }
    EXPECT_EQ(record.Record().Flags & (PSD_INTHOUSANDTHSOFINCHES | PSD_INHUNDREDTHSOFMILLIMETERS),
              static_cast<DWORD>(PSD_INHUNDREDTHSOFMILLIMETERS));
}

TEST_F(PageSetupDialogTest, DeviceFieldsKeepTheirLimits) {
    CPageSetupDialog record(defaults);
    // Each numeric device field is its own DEVMODE member: distinct values come back apart.
    const struct {
        long field, value;
    } fields[] = {{F::kvPrinterCopies, 3}, {F::kvPrintQuality, 150},
                  {F::kvPaperSource, DMBIN_FORMSOURCE}};  // the source Wine settles on
    for (const auto& f : fields) PutLong(record, f.field, f.value);
    for (const auto& f : fields) EXPECT_EQ(SettingLong(record, f.field), f.value) << f.field;
    PutText(record, F::kvFormName, std::string(40, 'x') + "tail");
    EXPECT_EQ(SettingText(record, F::kvFormName), std::string(31, 'x'));
    PutLong(record, F::kvDisplayInch, 0x10001);  // kept in 16 bits
    EXPECT_EQ(defaults.DisplayInch, 1);
    EXPECT_TRUE(record.IsMetric());
}

TEST_F(PageSetupDialogTest, ClientSizeIsThePageInsideTheMarginsInScreenPixels) {
    CPageSetupDialog record(defaults);
    EXPECT_GT(record.ClientWidth(), 0) << "the default printer's, even before anything else";
    PutText(record, F::kvAllFields, "LeftMargin = 1000\r\nRightMargin = 500\r\nTopMargin = 500\r\nBottomMargin = 2000");
    HDC screen = GetDC(nullptr);
    const int sx = GetDeviceCaps(screen, LOGPIXELSX), sy = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    // A4 at 300 dpi: 2479 x 3508 printer pixels; margins 300 and 150 across, 150 and 600 down.
    auto round = [](double v) { return static_cast<long>(v + 0.5); };
    EXPECT_EQ(record.ClientWidth(), round(2329.0 * sx / 300) - round(300.0 * sx / 300));
    EXPECT_EQ(record.ClientHeight(), round(2908.0 * sy / 300) - round(150.0 * sy / 300));
}

TEST_F(PageSetupDialogTest, SelectingAPrinterReloadsItsDefaultsAndUnknownNamesChangeNothing) {
    CPageSetupDialog record(defaults);
    PutLong(record, F::kvPageOrientation, DMORIENT_LANDSCAPE);
    EXPECT_FALSE(record.SelectPrinter("No Such Printer"));
    EXPECT_FALSE(record.SelectPrinter(""));
    PutText(record, F::kvPrinterName, "No Such Printer");
    EXPECT_EQ(SettingLong(record, F::kvPageOrientation), DMORIENT_LANDSCAPE);
    EXPECT_TRUE(record.SelectPrinter("PDF"));
    EXPECT_EQ(SettingLong(record, F::kvPageOrientation), DMORIENT_PORTRAIT);
    EXPECT_EQ(record.Printers(), "PDF");
    EXPECT_EQ(DefaultPrinter(), "PDF");
}

TEST_F(PageSetupDialogTest, ShownDialogAnsweredByTheUser) {
    for (const WORD button : {IDCANCEL, IDOK}) {
        CPageSetupDialog record(defaults);
        PutLong(record, F::kvLeftMargin, 800);
        // Wine's dialog settles the paper source when it starts; let it do so before comparing.
        record.Recalculate();
        const std::string before = SettingText(record, F::kvAllFields);
        bool helpVisible = true;
        std::thread user([&] {
            if (HWND dialog = WaitForDialog(nullptr)) {
                helpVisible = (GetWindowLongA(GetDlgItem(dialog, 1038), GWL_STYLE) & WS_VISIBLE) != 0;
                PostMessageA(dialog, WM_COMMAND, button, 0);
            }
        });
        DWORD error = 12345;
        const int result = record.DoModal(&error);
        user.join();
        EXPECT_EQ(result != 0, button == IDOK);
        // The dialog has a printer button of its own (1026), so Help is hidden.
        EXPECT_FALSE(helpVisible);
        // The extended error is looked up as "CommDlgExtendedErrorA", which the library does not export.
        EXPECT_EQ(error, 12345u);
        EXPECT_EQ(record.Record().Flags & (PSD_ENABLEPAGESETUPHOOK | PSD_SHOWHELP), 0u);
        EXPECT_EQ(record.Record().lpfnPageSetupHook, nullptr);
        EXPECT_EQ(SettingText(record, F::kvAllFields), before) << button;
    }
}

TEST_F(PageSetupDialogTest, HelpButtonOpensThePrinterChoice) {
    CPageSetupDialog record(defaults);
    ASSERT_EQ(SettingLong(record, F::kvLeftMargin), 500);
    bool printerChoiceOpened = false;
    std::thread user([&] {
        HWND setup = WaitForDialog(nullptr);
        // Help is hidden, but a click that reaches it must act as the printer button.
        PostMessageA(setup, WM_COMMAND, MAKEWPARAM(1038, BN_CLICKED), 0);
        if (HWND printer = WaitForDialog(setup)) {
            printerChoiceOpened = true;
            PostMessageA(printer, WM_COMMAND, IDCANCEL, 0);
            while (IsWindow(printer)) Sleep(20);
        }
        PostMessageA(setup, WM_COMMAND, IDCANCEL, 0);
    });
    record.DoModal(nullptr);
    user.join();
    EXPECT_TRUE(printerChoiceOpened);
}

// A second printer on the PDF printer's driver and port, known to this
// process only for the length of one test.
class SparePrinterTest : public PageSetupDialogTest {
protected:
    void SetUp() override {
        PageSetupDialogTest::SetUp();
        HANDLE pdf = nullptr;
        ASSERT_TRUE(OpenPrinterA(const_cast<char*>("PDF"), &pdf, nullptr));
        DWORD size = 0;
        GetPrinterA(pdf, 2, nullptr, 0, &size);
        std::vector<BYTE> info(size);
        const BOOL got = GetPrinterA(pdf, 2, info.data(), size, &size);
        ClosePrinter(pdf);
        ASSERT_TRUE(got);
        PRINTER_INFO_2A spare = *reinterpret_cast<PRINTER_INFO_2A*>(info.data());
        spare.pPrinterName = const_cast<char*>(kSpare);
        spare.pShareName = nullptr;
        HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&spare));
        ASSERT_NE(added, nullptr);
        ClosePrinter(added);
    }
    void TearDown() override {
        PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
        HANDLE spare = nullptr;
        SetDefaultPrinterA("PDF");
        ASSERT_TRUE(OpenPrinterA(const_cast<char*>(kSpare), &spare, &access));
        EXPECT_TRUE(DeletePrinter(spare));
        ClosePrinter(spare);
        EXPECT_EQ(CPageSetupDialog(defaults).Printers(), "PDF");
    }
    static constexpr const char* kSpare = "Tavrin Spare";
};

TEST_F(SparePrinterTest, SelectedPrinterIsTheDefaultUntilTheRecordThatChoseItDies) {
    auto first = std::make_unique<CPageSetupDialog>(defaults);
    EXPECT_EQ(first->Printers(), std::string("PDF\r\n") + kSpare);
    PutText(*first, F::kvAllFields, std::string("TopMargin = 640\r\nPrinterName = ") + kSpare);
    EXPECT_EQ(DefaultPrinter(), kSpare);
    EXPECT_EQ(SettingText(*first, F::kvPrinterName), kSpare);
    EXPECT_EQ(SettingLong(*first, F::kvTopMargin), 640);
    {
        // A later record restores what was the default when it was built.
        CPageSetupDialog second(defaults);
        EXPECT_TRUE(second.SelectPrinter("PDF"));
        EXPECT_EQ(DefaultPrinter(), "PDF");
    }
    EXPECT_EQ(DefaultPrinter(), kSpare);
    first.reset();
    EXPECT_EQ(DefaultPrinter(), "PDF");
}

}  // namespace
