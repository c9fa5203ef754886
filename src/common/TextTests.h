// Small text tests shared by the pipeline stages.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace pm::text {

// Character codes of the working code page.
inline constexpr unsigned char kLaquo = 171;     // «
inline constexpr unsigned char kRaquo = 187;     // »
inline constexpr unsigned char kEnDash = 150;    // –
inline constexpr unsigned char kEmDash = 151;    // —
inline constexpr unsigned char kEllipsis = 133;  // …
inline constexpr unsigned char kNbsp = 160;

// Empty or spaces only.
bool IsBlankLine(std::string_view s);
// Hyphen-minus (45) or the en dash (150).
bool IsDashChar(unsigned char c);
// "!", double quote, single quote, ".", ":", "?" and "»".
bool IsSentenceEnd(unsigned char c);

std::string TrimLeft(std::string_view s);   // spaces only
std::string TrimRight(std::string_view s);  // spaces only
std::string Trim(std::string_view s);

// Position of needle in hay at or after from, ignoring ASCII and Cyrillic case.
size_t FindNoCase(std::string_view hay, std::string_view needle, size_t from = 0);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
bool EndsWithNoCase(std::string_view s, std::string_view suffix);

// Case-sensitive tests against a list of words.
bool ContainsAny(std::string_view s, std::initializer_list<std::string_view> words);
bool EqualsAny(std::string_view s, std::initializer_list<std::string_view> words);
bool StartsWithAny(std::string_view s, std::initializer_list<std::string_view> words);

// Replaces every occurrence of from with to, left to right, in one pass.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

}  // namespace pm::text
