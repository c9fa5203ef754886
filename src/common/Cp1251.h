// The working code page, Windows-1251: letter case and the conversion to and
// from Unicode that happens at the program's boundaries (widgets, command
// line, terminal, file names). Everything inside the core stays 8-bit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pm::cp1251 {

// Unicode code point of a Windows-1251 byte (0x98, unassigned, maps to U+0098).
char32_t ToUnicode(unsigned char c);
// Windows-1251 byte of a code point, or -1 when the code page lacks it.
int FromUnicode(char32_t cp);

unsigned char ToUpper(unsigned char c);
unsigned char ToLower(unsigned char c);
bool IsUpper(unsigned char c);
bool IsLower(unsigned char c);
// Latin or Cyrillic letter (any case).
bool IsLetter(unsigned char c);
bool IsCyrillicLetter(unsigned char c);

std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
// Case-insensitive comparison that knows the Cyrillic letters.
bool EqualsNoCase(std::string_view a, std::string_view b);
int CompareNoCase(std::string_view a, std::string_view b);

std::string ToUtf8(std::string_view text1251);
// Appends one character, given by its code point, in UTF-8.
void AppendUtf8(std::string& out, char32_t cp);
// Converts UTF-8 to Windows-1251. A character the code page lacks becomes a
// numeric character reference "&#NNNN;" so nothing is lost; a malformed byte
// is taken as a Windows-1251 byte as it stands.
std::string FromUtf8(std::string_view utf8);
// True when the text is well-formed UTF-8 containing at least one multi-byte
// sequence (plain ASCII is not called UTF-8: it needs no conversion).
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace pm::cp1251
