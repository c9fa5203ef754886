// Header detection (chapter titles of plain-text books) and the zero-height
// rules put in front of every header so that devices can break pages there.
#include <string>
#include <string_view>

#include "common/Cp1251.h"
#include "common/Format.h"
#include "common/TextTests.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

using text::IsBlankLine;

struct HeaderTags {
    std::string open, close;
    bool numbered = false;  // chapter or section elements take the counter
};

HeaderTags ChooseHeaderTags(const Settings& s) {
    if (s.HeadStartTag.empty()) return {"<h1>", "</h1>", false};
    const std::string lower = cp1251::LowerCase(s.HeadStartTag);
    const bool numbered =
        lower.find("<chapter") != std::string::npos || lower.find("<section") != std::string::npos;
    return {s.HeadStartTag, s.HeadCloseTag, numbered};
}

class HeaderMaker {
public:
    HeaderMaker(LineList& lines, const Settings& s) : lines_(lines), tags_(ChooseHeaderTags(s)) {}

    void Make(size_t k) {
        ++counter_;
        const std::string open = tags_.numbered ? FormatTemplate(tags_.open, {int64_t{counter_}}) : tags_.open;
        lines_.SetText(k, open + lines_.Text(k) + tags_.close);
        lines_.SetMark(k, kMarkBlock);
    }

private:
    LineList& lines_;
    HeaderTags tags_;
    int counter_ = 0;
};

bool IsEmpty(const LineList& l, size_t i) { return l.Text(i).empty(); }
bool IsBlank(const LineList& l, size_t i) { return IsBlankLine(l.Text(i)); }

unsigned char FirstVisible(std::string_view s) {
    const size_t p = s.find_first_not_of(' ');
    return p == std::string_view::npos ? ' ' : static_cast<unsigned char>(s[p]);
}

// Leaves one blank line under the header at h.
void KeepOneBlankBelow(LineList& l, size_t h) {
    while (h + 2 < l.Count() && IsBlank(l, h + 1) && IsBlank(l, h + 2)) l.Delete(h + 1);
}

// Removes the blank lines directly above the header at h; returns its new index.
size_t DropBlanksAbove(LineList& l, size_t h) {
    while (h > 0 && IsBlank(l, h - 1)) {
        l.Delete(h - 1);
        --h;
    }
    return h;
}

// Has lower-case letters and either starts with a dash or ends like a
// sentence; such a line is taken for a title only with two empty lines under it.
bool IsSentenceLike(std::string_view s) {
    if (s.find("        ") != std::string_view::npos) return false;
    if (cp1251::UpperCase(s) == s) return false;
    if (text::IsDashChar(FirstVisible(s))) return true;
    return !s.empty() && text::IsSentenceEnd(static_cast<unsigned char>(s.back()));
}

bool StartsLikeNumber(std::string_view s) {
    const unsigned char c = FirstVisible(s);
    return (c >= '0' && c <= '9') || c == '*' || std::string_view("IVXLM").find(static_cast<char>(c)) != std::string_view::npos;
}

// A lone line between runs of blank lines. Returns the header index or npos.
size_t TryLoneLine(LineList& l, size_t i, HeaderMaker& mk) {
    if (!IsBlank(l, i) || !IsBlank(l, i + 1) || IsBlank(l, i + 2) || !IsBlank(l, i + 3)) return std::string::npos;
    if (l.Mark(i + 2) != kMarkText) return std::string::npos;
    mk.Make(i + 2);
    l.Delete(i);
    l.Delete(i);
    const size_t h = DropBlanksAbove(l, i);
    KeepOneBlankBelow(l, h);
    return h;
}

// A line between empty lines; a blank line is never a title.
size_t TryBetweenEmpty(LineList& l, size_t i, HeaderMaker& mk) {
    if (!IsEmpty(l, i) || l.Mark(i + 1) != kMarkText) return std::string::npos;
    const std::string& line = l.Text(i + 1);
    if (IsBlankLine(line)) return std::string::npos;
    const bool fires = IsSentenceLike(line) ? IsEmpty(l, i + 2) && IsEmpty(l, i + 3) : IsEmpty(l, i + 2);
    if (!fires) return std::string::npos;
    mk.Make(i + 1);
    l.Delete(i);
    KeepOneBlankBelow(l, i);
    return i;
}

// A numbered line ("1.", "IV", "***") between empty lines.
size_t TryNumbered(LineList& l, size_t i, HeaderMaker& mk) {
    if (!IsEmpty(l, i) || l.Mark(i + 1) != kMarkText || !IsEmpty(l, i + 2)) return std::string::npos;
    if (!StartsLikeNumber(l.Text(i + 1))) return std::string::npos;
    mk.Make(i + 1);
    l.Delete(i);
    KeepOneBlankBelow(l, i);
    return i;
}

bool Contains(std::string_view s, std::string_view what) { return s.find(what) != std::string_view::npos; }

bool HasHeaderTag(std::string_view s) {
    for (const char* tag : {"<h1", "<h2", "<h3", "<h4", "<h5", "<h6"})
        if (Contains(s, tag)) return true;
    return false;
}

// Cuts the first "<hr" tag out of the line, up to its ">" or the line's end.
void CutFirstRule(std::string& s) {
    const size_t b = s.find("<hr");
    const size_t e = s.find('>', b);
    s.erase(b, e == std::string::npos ? std::string::npos : e - b + 1);
}

}  // namespace

void StageDetectHeaders(ConversionContext& ctx) {
    if (!ctx.settings.DetectHeaders) return;
    LineList& l = ctx.lines;
    HeaderMaker mk(l, ctx.settings);
    for (size_t i = 0; i + 5 < l.Count();) {
        ctx.ReportProgress(i, l.Count());
        size_t h = TryLoneLine(l, i, mk);
        if (h == std::string::npos) h = TryBetweenEmpty(l, i, mk);
        if (h == std::string::npos) h = TryNumbered(l, i, mk);
        i = h == std::string::npos ? i + 1 : h + 1;
    }
}

void StageHeaderRules(ConversionContext& ctx) {
    if (!ctx.settings.InsertHr) return;
    LineList& l = ctx.lines;
    for (size_t i = 5; i < l.Count();) {
        ctx.ReportProgress(i, l.Count());
        std::string& s = l.MutableText(i);
        if (Contains(s, "<hr")) {
            if (Contains(s, "<hr size=\"0\" id=\"pellmark\">")) {
                ++i;
                continue;
            }
            CutFirstRule(s);
            if (s.empty()) l.Delete(i);
            continue;  // the same line again: it may hold more rules
        }
        if (HasHeaderTag(s)) l.MutableText(i - 1) += "<hr size=\"0\">";
        ++i;
    }
}

}  // namespace pm
