// The hyphenation engine: letter-class break rules for Russian and English
// words, and the two passes built on them.
//  - SoftHyphenate puts "&shy;" at every permissible break of every long word
//    and lets the reader's renderer choose.
//  - DeviceFit lays a paragraph out on an imaginary device line (character
//    widths and line width of a device font) and only where a word runs past
//    the end of a line inserts the hyphen string, or moves the word on.
// Text is Windows-1251. Nothing here knows the pipeline.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pm {
class FontTable;
}

namespace pm::hyph {

inline constexpr std::string_view kSoftHyphen = "&shy;";

// True when a word may break after its k-th character (k counted from 1).
bool IsPermissibleBreak(std::string_view word, size_t k);

// The number of characters before the rightmost permissible break with at
// most n characters before it, or 0 when the word may not break there.
// Words with a digit, apostrophe or other non-letter from the third
// character on (within the searched range) are never broken.
size_t FindBreak(std::string_view word, size_t n);

// Every eligible word (longer than 6 characters, outside tags and entity
// names) gets "&shy;" at each permissible break.
std::string SoftHyphenate(std::string_view text);

// The width of the character the entity name measures as ("&quot" -> '"';
// the name starts with "&", any case).
unsigned char EntityStandIn(std::string_view name);

// What the device-fitted pass lays out with.
struct DeviceLine {
    const FontTable& font;
    std::string_view hyphen = "-";  // inserted at a device-fitted break
};

// Inserts the hyphen string (or a space after a compound word's own hyphen)
// where the text would run past the end of a device line.
std::string DeviceFit(std::string_view text, const DeviceLine& line);

}  // namespace pm::hyph
