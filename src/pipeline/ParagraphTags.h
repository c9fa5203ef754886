// The paragraph mark-up chosen in the settings: start tag, "&nbsp;" indent,
// end tag, and the wrapping of a text into one paragraph.
#pragma once

#include <string>
#include <string_view>

namespace pm {
struct Settings;

// "Paragraph start tag", or <div align="justify"> when it is empty.
std::string ParagraphStartTag(const Settings& s);
// "Nimber of nbsp" copies of "&nbsp;" (none for a zero or negative count).
std::string ParagraphIndent(const Settings& s);
// Start tag, indent and end tag with nothing between.
std::string EmptyParagraph(const Settings& s);
// Runs of spaces become one, one leading space goes, and the text is put
// between the start tag plus indent and the end tag.
std::string WrapParagraph(const Settings& s, std::string_view text);
}  // namespace pm
