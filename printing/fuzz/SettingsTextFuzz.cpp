// Any byte string parses without fault into known fields in application
// order, and formatting the parsed values parses back to the same values.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>

#include "printing/SettingsText.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto parsed = CSettingsText::Parse(text);

    std::map<int, std::string> values;
    int previous = -1;
    for (size_t i = 0; i < parsed.size(); ++i) {
        const int field = parsed[i].first;
        Check(field >= 0 && field < CSettingsText::FieldCount);
        Check(field != CSettingsText::kvPrinterName || i == 0);
        if (field != CSettingsText::kvPrinterName) {
            Check(field > previous);
            previous = field;
        }
        Check(parsed[i].second.find("\r\n") == std::string::npos);
        Check(parsed[i].second.empty() || (parsed[i].second[0] != ' ' && parsed[i].second[0] != '\t'));
        values[field] = parsed[i].second;
    }

    const std::string formatted = CSettingsText::Format([&](int field) {
        auto found = values.find(field);
        return found == values.end() ? std::string() : found->second;
    });
    Check(CSettingsText::SplitLines(formatted).size() == CSettingsText::FieldCount);
    for (const auto& again : CSettingsText::Parse(formatted)) {
        auto found = values.find(again.first);
        Check(found == values.end() ? again.second.empty() : again.second == found->second);
    }
    return 0;
}
