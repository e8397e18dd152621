#include "SettingsText.h"

#include <map>

namespace {

const char* const kFieldNames[CSettingsText::FieldCount] = {
    "PaperSize",   "PaperSource", "PageOrientation", "PrinterName",  "PrinterCopies",
    "PrintQuality", "LeftMargin", "TopMargin",       "RightMargin",  "BottomMargin",
    "DisplayInch", "FormName",    "PaperWidth",      "PaperHeight"};

const char* const kSeparator = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimLeft(const std::string& s) {
    size_t begin = 0;
    while (begin < s.size() && IsBlank(s[begin])) ++begin;
    return s.substr(begin);
}

std::string Trim(const std::string& s) {
    std::string left = TrimLeft(s);
    size_t end = left.size();
    while (end > 0 && IsBlank(left[end - 1])) --end;
    return left.substr(0, end);
}

} // namespace

const char* CSettingsText::FieldName(int field) {
    return field >= 0 && field < FieldCount ? kFieldNames[field] : nullptr;
}

int CSettingsText::FieldNumber(const std::string& name) {
    for (int field = 0; field < FieldCount; ++field)
        if (name == kFieldNames[field]) return field;
    return -1;
}

std::vector<std::string> CSettingsText::SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    if (text.empty()) return lines;
    size_t start = 0;
    for (;;) {
        size_t at = text.find(kSeparator, start);
        if (at == std::string::npos) break;
        lines.push_back(text.substr(start, at - start));
        start = at + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

std::vector<CSettingsText::Assignment> CSettingsText::Parse(const std::string& text) {
    std::map<int, std::string> values; // ordered by field number
    for (const std::string& line : SplitLines(text)) {
        const size_t eq = line.find('=');
        const int field = FieldNumber(Trim(line.substr(0, eq)));
        if (field < 0) continue;
        // A name without "=" assigns the empty value, as the rest of its line is empty.
        values[field] = eq == std::string::npos ? std::string() : TrimLeft(line.substr(eq + 1));
    }

    std::vector<Assignment> ordered;
    auto printer = values.find(kvPrinterName);
    if (printer != values.end()) {
        ordered.emplace_back(printer->first, printer->second);
        values.erase(printer);
    }
    for (auto& value : values) ordered.emplace_back(value.first, value.second);
    return ordered;
}

std::string CSettingsText::Format(const std::function<std::string(int)>& valueOf) {
    auto line = [&](int field) { return std::string(kFieldNames[field]) + " = " + valueOf(field); };
    std::string displayInch;
    std::string main;
    for (int field = 0; field < FieldCount; ++field) {
        if (field == kvDisplayInch) {
            displayInch = line(field);
            continue;
        }
        if (!main.empty()) main += kSeparator;
        main += line(field);
    }
    return displayInch + kSeparator + main;
}
