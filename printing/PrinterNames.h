#pragma once
// The printer list as the profile returns a section's key names: each name
// ended by a zero byte, the list ended by a second zero byte.
#include <cstddef>
#include <string>

// The names joined by "\r\n" (no trailing separator), or only the first name.
// Reading stops at size bytes even when the list is not terminated.
std::string JoinPrinterNames(const char* list, size_t size, bool firstOnly);
