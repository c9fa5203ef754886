#include "editing/MarkupCommands.h"

#include "common/Concat.h"
#include "common/Cp1251.h"
#include "config/Settings.h"

namespace pm {
namespace {

constexpr int32_t kLargestRandom = 2147483646;
constexpr size_t kCommentTitleChars = 10;
constexpr char kBreak = '\r';

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

// Replaces every `from` by `to` until none is left.
void ReduceAll(std::string& s, std::string_view from, std::string_view to) {
    for (size_t at = s.find(from); at != std::string::npos; at = s.find(from, at > 0 ? at - 1 : 0))
        s.replace(at, from.size(), to);
}

WrapRequest Block(std::string open, std::string close, int step = 0, int style = 0, bool needsSelection = false) {
    return {std::move(open), std::move(close), true, step, style, needsSelection};
}

WrapRequest Inline(std::string open, std::string close, int style = 0, bool needsSelection = false) {
    return {std::move(open), std::move(close), false, 0, style, needsSelection};
}

WrapRequest Aligned(const char* name) { return Block(Concat({"<div align=\"", name, "\">"}), "</div>"); }

}  // namespace

WrapRequest RequestFor(MarkupCommand command, const Settings& s) {
    switch (command) {
        case MarkupCommand::H1: return Block("<h1>", "</h1>", 4, kStyleBold, true);
        case MarkupCommand::H2: return Block("<h2>", "</h2>", 3, kStyleBold | kStyleItalic, true);
        case MarkupCommand::H3: return Block("<h3>", "</h3>", 2, kStyleBold, true);
        case MarkupCommand::H4: return Block("<h4>", "</h4>", 1, kStyleBold | kStyleItalic, true);
        case MarkupCommand::H5: return Block("<h5>", "</h5>", 0, kStyleBold, true);
        case MarkupCommand::Paragraph:
            if (s.ParagraphStartTag.empty()) return Block("<div align=\"justify\">", "</div>");
            return Block(s.ParagraphStartTag, s.ParagraphEndTag);
        case MarkupCommand::AlignLeft: return Aligned("left");
        case MarkupCommand::AlignRight: return Aligned("right");
        case MarkupCommand::AlignCenter: return Aligned("center");
        case MarkupCommand::AlignJustify: return Aligned("justify");
        case MarkupCommand::List: return Block("<li type=\"1\">", "</li>");
        case MarkupCommand::UpperIndex: return Inline("<SUP>", "</SUP>");
        case MarkupCommand::LowerIndex: return Inline("<sub>", "</sub>");
        case MarkupCommand::Bold: return Inline("<b>", "</b>", kStyleBold, true);
        case MarkupCommand::Italic: return Inline("<I>", "</I>", kStyleItalic, true);
    }
    return {};
}

std::string WrapSelection(std::string_view selection, const WrapRequest& r) {
    size_t end = selection.size();
    while (end > 0 && IsBreak(selection[end - 1])) --end;
    const bool trailingBreak = end < selection.size();
    size_t start = 0;
    while (start < end && IsBreak(selection[start])) ++start;
    const bool leadingBreak = start > 0;

    std::string out = Concat({r.open, selection.substr(start, end - start), r.close});
    if (r.block || trailingBreak) out += kBreak;
    if (r.block || leadingBreak) out.insert(out.begin(), kBreak);
    if (r.block) ReduceAll(out, "\r\r", "\r");
    ReduceAll(out, "  ", " ");
    ReduceAll(out, "\r \r", "\r\r");
    return out;
}

std::string UpperCaseSelection(std::string_view selection) { return cp1251::UpperCase(selection); }
std::string LowerCaseSelection(std::string_view selection) { return cp1251::LowerCase(selection); }

std::string MakeCommentId(std::mt19937& random) {
    std::uniform_int_distribution<int32_t> number(0, kLargestRandom);
    return Concat({std::to_string(number(random)), "~~", std::to_string(number(random))});
}

std::string CommentTitleFor(std::string_view selection) {
    return Concat({selection.substr(0, kCommentTitleChars), "..."});
}

std::string CommentLink(const std::string& id, const std::string& title) {
    return Concat({"<a href=\"#", id, "\" name=\"", id, "back\" id=\"Pellmark~link\">", title, "</a>"});
}

std::string CommentNote(const std::string& id, const std::string& body) {
    return Concat({"<hr size=\"0\" id=\"pellmark\"><a id=\"PellmarkEndlink\" name=\"", id, "\">", body,
                   "</a> <a href=\"#", id, "back\">[^^Back^^]</a>"});
}

size_t NoteLineIndex(const std::vector<std::string>& lines) {
    // Empty lines after the last text are only the editor's final line
    // breaks; a note put past "</html>" would be dropped by the conversion.
    size_t last = lines.size();
    while (last > 0 && lines[last - 1].empty()) --last;
    if (last > 0 && lines[last - 1].find("</body></html>") != std::string::npos) return last - 1;
    return lines.size();
}

}  // namespace pm
