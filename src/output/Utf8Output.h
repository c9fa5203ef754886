// The finished document in UTF-8, for browsers and readers that no longer
// expect Windows-1251. Off unless asked for: Windows-1251 is what the
// program writes.
#pragma once

#include <string>
#include <string_view>

namespace pm {

// The document converted to UTF-8 with the code page it declares changed to
// match: the charset of its Content-Type meta tag and, for XML, the encoding
// of its declaration. A page whose head declares none gets a meta tag right
// after <head>, so that a browser does not guess. Character references stay
// as written.
std::string Utf8Document(std::string_view document);

// A saved text in the code page asked for: as it is, or in UTF-8 (a
// document with its declared code page changed, plain text converted).
std::string InOutputCodePage(std::string text, bool plainText, bool utf8);

}  // namespace pm
