#pragma once
// Wildcard mask: alternatives separated by blanks, each a list of tokens
// matched left to right without backtracking (so a match costs one pass).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CMaskWord {
public:
    struct TOKEN {
        enum Kind : uint8_t {
            Chars,      // the same characters, ASCII letters folded
            AnyChar,    // "?" (also "*?")
            Digit,      // "#"
            Set,        // "[...]", exact comparison
            Rest,       // "*" at the end
            SkipChars,  // "*abc": past the first folded occurrence of abc
            SkipDigit,  // "*#": past the first digit
            SkipSet,    // "*[...]": past the first character of the set
        };
        Kind kind;
        std::string chars;  // folded for Chars/SkipChars, raw for the sets
    };
    struct PATTERN {
        std::vector<TOKEN> tokens;
        bool Match(std::string_view text) const;
    };

    explicit CMaskWord(std::string_view mask);
    virtual ~CMaskWord() = default;

    // True when any alternative matches the whole text; a mask without
    // alternatives matches nothing.
    bool Match(std::string_view text) const;
    const std::string& Mask() const { return m_mask; }
    const std::vector<PATTERN>& Patterns() const { return m_patterns; }

private:
    std::string m_mask;
    std::vector<PATTERN> m_patterns;
};
