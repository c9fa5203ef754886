// The text a browser renders for one of this program's documents, without
// a browser: what the plain-text save writes and what the headless HTML view
// reports as the body text.
#pragma once

#include <string>
#include <string_view>

namespace pm {

// Renders Windows-1251 HTML as text. Only the body counts (head, script and
// style content is dropped, comments too); block elements and <br> break
// lines (CR LF, a <p> leaves an empty line around it); other whitespace runs
// collapse to one space as a browser does, except inside <pre>; character
// references are decoded to Windows-1251, and one the code page cannot hold
// is kept as written.
std::string RenderPlainText(std::string_view html);

// Decodes the character reference at s[0] == '&' ("&amp;", "&#233;",
// "&#x2014;"). Returns the number of bytes it spans and puts its Windows-1251
// byte into out; 0 when s does not start with a reference this code page can
// show.
size_t DecodeCharReference(std::string_view s, unsigned char& out);

}  // namespace pm
