// Rule application: one pattern with its replacement template over a text.
// Patterns are compiled multi-line, with Russian ranges and greediness off
// (see PatternDialect.h); every match is replaced, left to right.
#pragma once

#include <string>
#include <string_view>

namespace pm::rx {

// What a rule gives when its pattern does not compile or a match fails
// (including a match that runs into the backtracking limits).
inline constexpr std::string_view kErrorMark = "Error!!!\r\n";

struct RegexOutcome {
    bool ok = false;
    std::string text;   // the result; the input unchanged when !ok
    std::string error;  // PCRE2's message when !ok
};

// Replaces every match of pattern in input by the expanded template.
RegexOutcome TryApplyRegex(std::string_view pattern, std::string_view replacement, std::string_view input);

// The same, with a failure made visible in the text: "Error!!!", a line
// break and the unchanged input.
std::string ApplyRegex(std::string_view pattern, std::string_view replacement, std::string_view input);

}  // namespace pm::rx
