#include "PrinterNames.h"

std::string JoinPrinterNames(const char* list, size_t size, bool firstOnly) {
    std::string joined;
    size_t at = 0;
    while (at < size && list[at] != '\0') {
        size_t end = at;
        while (end < size && list[end] != '\0') ++end;
        if (!joined.empty()) joined += "\r\n";
        joined.append(list + at, end - at);
        if (firstOnly) break;
        at = end + 1;
    }
    return joined;
}
