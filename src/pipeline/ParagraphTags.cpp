#include "pipeline/ParagraphTags.h"

#include "config/Settings.h"

namespace pm {

std::string ParagraphStartTag(const Settings& s) {
    return s.ParagraphStartTag.empty() ? std::string("<div align=\"justify\">") : s.ParagraphStartTag;
}

std::string ParagraphIndent(const Settings& s) {
    std::string out;
    for (int32_t i = 0; i < s.NumberOfNbsp; ++i) out += "&nbsp;";
    return out;
}

std::string EmptyParagraph(const Settings& s) {
    return ParagraphStartTag(s) + ParagraphIndent(s) + s.ParagraphEndTag;
}

std::string WrapParagraph(const Settings& s, std::string_view text) {
    std::string out = ParagraphStartTag(s) + ParagraphIndent(s);
    out.reserve(out.size() + text.size() + s.ParagraphEndTag.size());
    // Runs of spaces collapse first; then one leading space (all that can
    // be left of a leading run) is dropped.
    const size_t head = out.size();
    out.resize(head + text.size());
    char* w = out.data() + head;
    bool lastWasSpace = true;
    for (char c : text) {
        if (c == ' ' && lastWasSpace) continue;
        lastWasSpace = c == ' ';
        *w++ = c;
    }
    out.resize(static_cast<size_t>(w - out.data()));
    out += s.ParagraphEndTag;
    return out;
}

}  // namespace pm
