// The settings record against Wine's real page-setup dialog and spooler,
// with the CUPS printer "PDF" (A4, 300 dpi) as the system's default.
#include <windows.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "DialogAnswer.h"
#include "SettingsVariant.h"
#include "printing/SettingsText.h"

namespace {

using F = CSettingsText;

std::string DefaultPrinter() {
    char name[1024] = {};
    DWORD size = sizeof name;
    return GetDefaultPrinterA(name, &size) ? name : "";
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
        if (expected[i]) {
            EXPECT_EQ(lines[i], expected[i]);
        }
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
    EXPECT_NEAR(SettingLong(record, F::kvPaperWidth), 21000, 20);  // A4 in hundredths of a millimetre
    EXPECT_NEAR(SettingLong(record, F::kvPaperHeight), 29700, 20);
    EXPECT_EQ(SettingLong(record, F::kvLeftMargin), 500) << "margins keep their numbers";
}

TEST_F(PageSetupDialogTest, SettingsTextAppliesThePrinterFirstAndRoundTrips) {
    std::string text;
    {
        CPageSetupDialog record(defaults);
        // Selecting the printer reloads its device mode; done last, it would undo the orientation.
        PutText(record, F::kvAllFields, "TopMargin = 640\r\nPageOrientation = 2\r\nPrinterName = PDF");
        EXPECT_EQ(SettingLong(record, F::kvTopMargin), 640);
        EXPECT_EQ(SettingLong(record, F::kvPageOrientation), DMORIENT_LANDSCAPE);
        EXPECT_EQ(SettingLong(record, F::kvPaperWidth), 11692) << "the paper turns with the page";
        EXPECT_EQ(SettingText(record, F::kvPrinterName), "PDF");
        text = SettingText(record, F::kvAllFields);
    }
    CPageSetupDialog again(defaults);
    PutText(again, F::kvAllFields, text);
    EXPECT_EQ(SettingText(again, F::kvAllFields), text);
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
    record.PutPageOrientation(DMORIENT_LANDSCAPE);
    EXPECT_FALSE(record.SelectPrinter("No Such Printer"));
    EXPECT_FALSE(record.SelectPrinter(""));
    PutText(record, F::kvPrinterName, "No Such Printer");
    EXPECT_EQ(SettingLong(record, F::kvPaperHeight), 8263);
    EXPECT_TRUE(record.SelectPrinter("PDF"));
    EXPECT_EQ(record.PageOrientation(), DMORIENT_PORTRAIT);
    EXPECT_EQ(record.Printers(), "PDF");
    EXPECT_EQ(DefaultPrinter(), "PDF");
}

TEST_F(PageSetupDialogTest, ShownDialogAnsweredByTheUser) {
    const struct {
        WORD button;
        bool viaHelp;
    } answers[] = {{IDCANCEL, false}, {IDOK, false}, {IDCANCEL, true}};
    for (const auto& a : answers) {
        CPageSetupDialog record(defaults);
        PutLong(record, F::kvLeftMargin, 800);
        // Wine's dialog settles the paper source when it starts; let it do so before comparing.
        record.Recalculate();
        const std::string before = SettingText(record, F::kvAllFields);
        DialogAnswer user(a.button, a.viaHelp);
        DWORD error = 12345;
        const int result = record.DoModal(&error);
        user.Wait();
        ASSERT_TRUE(user.found);
        EXPECT_EQ(result != 0, a.button == IDOK);
        // The dialog has a printer button of its own (1026), so Help is hidden.
        EXPECT_FALSE(user.helpVisible);
        EXPECT_EQ(user.printerChoiceOpened, a.viaHelp);
        // The extended error is looked up as "CommDlgExtendedErrorA", which the library does not export.
        EXPECT_EQ(error, 12345u);
        EXPECT_EQ(record.Record().Flags & (PSD_ENABLEPAGESETUPHOOK | PSD_SHOWHELP), 0u);
        EXPECT_EQ(record.Record().lpfnPageSetupHook, nullptr);
        EXPECT_EQ(SettingText(record, F::kvAllFields), before) << a.button;
    }
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
