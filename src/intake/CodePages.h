// Recognising and converting the two foreign Cyrillic code pages a source
// may come in: DOS (code page 866) and KOI8-R. Both convert in place into
// the working code page, Windows-1251.
#pragma once

#include <string>
#include <string_view>

namespace pm::codepages {

// One point for each of ten byte tests that finds its byte anywhere in the
// text (0xA0 and 0xAD are tested twice), 0..10. These are frequent lower-case
// letters in code page 866.
int DosScore(std::string_view text);

// Over the bytes at 1-based positions 1000..2000: +1 for each byte 0xC0-0xDF,
// -1 for each byte 0xE0-0xFF. Windows-1251 text scores negative (lower case
// lies high), KOI8-R text positive (its lower case lies in 0xC0-0xDF).
int KoiScore(std::string_view text);

// Every byte from code page 866; bytes without a counterpart (box drawing,
// shades) become their closest look-alike.
void ConvertFromDos(std::string& text);
// Bytes 0xC0-0xFF and the two forms of yo (0xA3, 0xB3) from KOI8-R; all other
// bytes stay as they are.
void ConvertFromKoi8(std::string& text);

}  // namespace pm::codepages
