#pragma once
// Small byte-string helpers of the mark-up: blank trimming and C-style
// decimal reading (which stops at the first non-digit and never overflows).
#include <cstdint>
#include <string_view>

namespace htmltext {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// Leading blanks, an optional sign, then digits; saturates at the int32 range.
inline int32_t ParseDecimal(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && (IsBlank(s[i]) || s[i] == '\n' || s[i] == '\r' || s[i] == '\v' || s[i] == '\f')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > INT64_C(2147483648)) value = INT64_C(2147483648);
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    return static_cast<int32_t>(value);
}

}  // namespace htmltext
