// The record on a system without printers (a Wine prefix whose spooler cannot reach CUPS).
#include "SettingsVariant.h"
#include "printing/SettingsText.h"

namespace {

using F = CSettingsText;

TEST(NoPrinterTest, DeviceFieldsAreEmptyTheirPutsDroppedOthersStored) {
    char ports[256] = {};
    GetProfileStringA("PrinterPorts", nullptr, "", ports, sizeof ports);
    ASSERT_EQ(ports[0], '\0') << "this test needs a system without printers";
    FakeDefaultSettings defaults;
    CPageSetupDialog record(defaults);
    EXPECT_FALSE(record.HasPrinter());
    EXPECT_EQ(record.Printers(), "");
    EXPECT_EQ(record.LockDevMode(), nullptr);
    EXPECT_EQ(record.LoadDefaults(nullptr), 1);
    for (long field : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11}) EXPECT_EQ(Setting(record, field).Type(), VT_EMPTY) << field;
    for (long field : {F::kvDisplayInch, F::kvPaperWidth, F::kvPaperHeight})
        EXPECT_EQ(SettingLong(record, field), 0) << field;
    EXPECT_EQ(record.PageOrientation(), 0);
    EXPECT_EQ(record.ClientWidth(), 0);
    EXPECT_EQ(record.CreatePrinterDC(), nullptr);

    PutLong(record, F::kvLeftMargin, 900);
    PutLong(record, F::kvPageOrientation, 2);
    PutText(record, F::kvPrinterName, "PDF");
    PutLong(record, F::kvPaperWidth, 8500);
    PutText(record, F::kvAllFields, "PaperHeight = 11000\r\nDisplayInch = 1\r\nFormName = A4");
    EXPECT_EQ(record.Record().rtMargin.left, 500);
    EXPECT_TRUE(record.IsMetric());
    EXPECT_EQ(SettingText(record, F::kvAllFields),
              "DisplayInch = 1\r\nPaperSize = \r\nPaperSource = \r\nPageOrientation = \r\nPrinterName = \r\n"
              "PrinterCopies = \r\nPrintQuality = \r\nLeftMargin = \r\nTopMargin = \r\nRightMargin = \r\n"
              "BottomMargin = \r\nFormName = \r\nPaperWidth = 8500\r\nPaperHeight = 11000");
}

}  // namespace
