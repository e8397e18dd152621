// The settings record against Wine's real page-setup dialog and spooler,
// with the CUPS printer "PDF" (A4, 300 dpi) as the system's default.
#include <windows.h>
#include <winspool.h>
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
    EXPECT_EQ(SettingLong(record, F::kvPaperWidth), 0);  // no device mode before first use
    EXPECT_EQ(record.CreatePrinterDC(), nullptr);
    const std::string text = SettingText(record, F::kvAllFields);
    for (const char* line : {"\nPaperSize = 9\r", "\nPrinterName = PDF\r", "\nPaperHeight = 11692"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    std::unique_ptr<CDCPrinter> printer = record.CreatePrinterDC();
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->GetDeviceCaps(VERTRES), 3508);
    record.ReleasePrinterDC(std::move(printer));
}

TEST_F(PageSetupDialogTest, NullOutPointerAndUnknownFields) {
    CPageSetupDialog record(defaults);
    EXPECT_EQ(record.GetSettings(F::kvLeftMargin, nullptr), E_POINTER);
    for (long unknown : {99, -1}) EXPECT_EQ(Setting(record, unknown).Type(), VT_EMPTY) << unknown;
    record.Recalculate();
    const std::string before = SettingText(record, F::kvAllFields);
    PutLong(record, 99, 1);
    PutLong(record, 14, 1);
    EXPECT_EQ(SettingText(record, F::kvAllFields), before);
    // An unknown field's put still recalculates: a unit changed behind the record's back shows.
    defaults.DisplayInch = 1;
    PutLong(record, 99, 1);
    EXPECT_NEAR(SettingLong(record, F::kvPaperWidth), 21000, 20);  // A4 in hundredths of a millimetre
    EXPECT_EQ(SettingLong(record, F::kvLeftMargin), 500);  // margins keep their numbers
}

TEST_F(PageSetupDialogTest, SettingsTextAppliesThePrinterFirstAndRoundTrips) {
    std::string text;
    {
        CPageSetupDialog record(defaults);
        // Selecting the printer reloads its device mode; done last, it would undo the orientation.
        PutText(record, F::kvAllFields, "TopMargin = 640\r\nPageOrientation = 2\r\nPrinterName = PDF");
        EXPECT_EQ(SettingLong(record, F::kvPageOrientation), DMORIENT_LANDSCAPE);
        EXPECT_EQ(SettingLong(record, F::kvPaperWidth), 11692);  // the paper turns with the page
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

TEST_F(PageSetupDialogTest, SelectingAPrinterReloadsItsDefaultsAndUnknownNamesChangeNothing) {
    CPageSetupDialog record(defaults);
    record.PutPageOrientation(DMORIENT_LANDSCAPE);
    EXPECT_FALSE(record.SelectPrinter("No Such Printer"));
    EXPECT_FALSE(record.SelectPrinter(""));
    PutText(record, F::kvPrinterName, "No Such Printer");
    EXPECT_EQ(SettingLong(record, F::kvPaperHeight), 8263);
    EXPECT_TRUE(record.SelectPrinter("PDF"));
    EXPECT_EQ(record.PageOrientation(), DMORIENT_PORTRAIT);
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
        DWORD error = 0;
        const int result = record.DoModal(&error);
        user.Wait();
        ASSERT_TRUE(user.found);
        EXPECT_EQ(result != 0, a.button == IDOK);
        // The dialog has a printer button of its own (1026), so Help is hidden.
        EXPECT_FALSE(user.helpVisible);
        EXPECT_EQ(user.printerChoiceOpened, a.viaHelp);
        EXPECT_EQ(SettingText(record, F::kvAllFields), before) << a.button;
    }
}

// A second printer, added for the test: the record that selects it makes it the system's
// default only while it lives, and a later record puts back what it found.
TEST_F(PageSetupDialogTest, SelectedPrinterIsTheDefaultUntilTheRecordThatChoseItDies) {
    const char* spare = "Tavrin Spare";
    HANDLE pdf = nullptr;
    ASSERT_TRUE(OpenPrinterA(const_cast<char*>("PDF"), &pdf, nullptr));
    DWORD size = 0;
    GetPrinterA(pdf, 2, nullptr, 0, &size);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetPrinterA(pdf, 2, info.data(), size, &size));
    ClosePrinter(pdf);
    PRINTER_INFO_2A copy = *reinterpret_cast<PRINTER_INFO_2A*>(info.data());
    copy.pPrinterName = const_cast<char*>(spare);
    copy.pShareName = nullptr;
    HANDLE added = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&copy));
    ASSERT_NE(added, nullptr);
    {
        CPageSetupDialog first(defaults);
        EXPECT_EQ(first.Printers(), std::string("PDF\r\n") + spare);
        PutText(first, F::kvAllFields, std::string("PrinterName = ") + spare);
        EXPECT_EQ(DefaultPrinter(), spare);
        {
            CPageSetupDialog second(defaults);
            EXPECT_TRUE(second.SelectPrinter("PDF"));
            EXPECT_EQ(DefaultPrinter(), "PDF");
        }
        EXPECT_EQ(DefaultPrinter(), spare);
    }
    EXPECT_EQ(DefaultPrinter(), "PDF");
    SetDefaultPrinterA("PDF");  // whatever happened above, the next tests find PDF
    EXPECT_TRUE(DeletePrinter(added));
    ClosePrinter(added);
}

}  // namespace
