#pragma once
// The settings text: one "Name = value" line per field of the printer
// settings record, joined by "\r\n". Only text work lives here; reading and
// writing the fields is the record's business.
#include <functional>
#include <string>
#include <utility>
#include <vector>

class CSettingsText {
public:
    // Field numbers of Settings(Field); kvAllFields stands for the whole text.
    enum FieldsEnum {
        kvPaperSize = 0,
        kvPaperSource = 1,
        kvPageOrientation = 2,
        kvPrinterName = 3,
        kvPrinterCopies = 4,
        kvPrintQuality = 5,
        kvLeftMargin = 6,
        kvTopMargin = 7,
        kvRightMargin = 8,
        kvBottomMargin = 9,
        kvDisplayInch = 10,
        kvFormName = 11,
        kvPaperWidth = 12,
        kvPaperHeight = 13,
        kvAllFields = 256
    };
    static constexpr int FieldCount = 14;

    // A field's name in the text, or nullptr for a number outside 0..13.
    static const char* FieldName(int field);
    // The field of an exactly (case-sensitively) matching name, or -1.
    static int FieldNumber(const std::string& name);

    // Pieces between "\r\n" separators; an empty text has no lines.
    static std::vector<std::string> SplitLines(const std::string& text);

    // The values a text assigns, in the order they must be applied: the
    // printer first (its device mode replaces everything else), then the
    // others by ascending field number. A later line for a field wins;
    // lines without a known name are ignored.
    using Assignment = std::pair<int, std::string>;
    static std::vector<Assignment> Parse(const std::string& text);

    // The 14-line text: the DisplayInch line, then fields 0..9 and 11..13.
    // valueOf(field) gives each value already as text (empty when unset).
    static std::string Format(const std::function<std::string(int)>& valueOf);
};
