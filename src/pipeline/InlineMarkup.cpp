// Inline mark-up written with plain characters: `_T_e_x_t_` emphasis and
// bracketed superscripts such as footnote marks.
#include <string_view>

#include "common/Format.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

// ---- underscore emphasis

bool IsEmphasisStop(char c) {
    return c == ' ' || c == '!' || c == ',' || c == '.' || c == ':' || c == '?';
}

// Two control bytes absent from s, standing in for the emphasis templates
// while the entry is worked on, so that a template containing "_" or a
// stop character cannot disturb the scan. False when none are free.
bool PickMarkers(std::string_view s, char& open, char& close) {
    open = close = 0;
    for (char c = 1; c < 32; ++c) {
        if (c == '\t' || c == '\n' || c == '\r' || s.find(c) != std::string_view::npos) continue;
        (open ? close : open) = c;
        if (close) return true;
    }
    return false;
}

// Scans on from `from` after an emphasis was opened; returns the position
// after the inserted close, or npos when the close went to the end.
size_t CloseEmphasis(std::string& s, size_t from, char close) {
    for (size_t k = from; k < s.size();) {
        if (IsEmphasisStop(s[k])) {
            s.insert(k, 1, close);
            return k + 1;
        }
        if (s[k] != '_') {
            ++k;
            continue;
        }
        s.erase(k, 1);
        // The character that took the "_"'s place: a stop character still
        // ends the emphasis (`_T_e_x_t_ here`); anything else is skipped.
        if (k < s.size() && IsEmphasisStop(s[k])) {
            s.insert(k, 1, close);
            return k + 1;
        }
        ++k;
    }
    s += close;
    return std::string::npos;
}

std::string UnderscoreEmphasis(std::string s, const std::string& openTpl, const std::string& closeTpl) {
    char open, close;
    if (!PickMarkers(s, open, close)) return s;
    // No "_" stands before the place the last emphasis opened, so each
    // search may start there.
    for (size_t from = 0, k; (k = s.find('_', from)) != std::string::npos;) {
        s.erase(k, 1);
        const size_t at = (k == 0 || s[k - 1] == ' ') ? k : k - 1;
        s.insert(at, 1, open);
        // Skip the character that followed the "_".
        CloseEmphasis(s, k + 2, close);
        from = at;
    }
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        if (c == open) out += openTpl;
        else if (c == close) out += closeTpl;
        else out += c;
    }
    return out;
}

// ---- bracketed superscripts

struct BracketState {
    int footnote = 1;
    size_t budget;  // bounds the work when a template holds a bracket itself
};

// Entries r..r+6 (the tail excluded): the first holding the closing
// character, searched in entry r only after the opening one.
size_t FindClosingEntry(const LineList& l, size_t r, size_t openAt, char c) {
    if (l.Text(r).find(c, openAt + 1) != std::string::npos) return r;
    for (size_t i = r + 1; i <= r + 6 && i + 1 < l.Count(); ++i)
        if (l.Text(i).find(c) != std::string::npos) return i;
    return std::string::npos;
}

// One bracket pair at entry r, its opening character at or after from[0].
bool ApplyBracket(ConversionContext& ctx, size_t r, char o, char c, size_t& from, size_t& other,
                  BracketState& st) {
    LineList& l = ctx.lines;
    const size_t openAt = l.Text(r).find(o, from);
    if (openAt == std::string::npos || st.budget == 0) return false;
    const size_t closing = FindClosingEntry(l, r, openAt, c);
    if (closing == std::string::npos) return false;
    --st.budget;

    const std::string& closeTpl = ctx.templates.Get("Footnote close");
    std::string copy = l.Text(closing);
    copy.replace(copy.find(c, closing == r ? openAt + 1 : 0), 1, closeTpl);
    if (closing == r) {
        l.SetText(r, std::move(copy));
    } else {
        for (size_t i = r + 1; i < closing; ++i) {
            l.MutableText(r) += l.Text(r + 1);
            l.Delete(r + 1);
        }
        l.MutableText(r) += copy;
        l.Delete(r + 1);
    }

    std::string& s = l.MutableText(r);
    size_t q = openAt;
    s.erase(q, 1);
    while (q < s.size() && s[q] == ' ') s.erase(q, 1);
    while (q > 0 && s[q - 1] == ' ') s.erase(--q, 1);
    const std::string openTpl =
        FormatTemplate(ctx.templates.Get("Footnote open"), {static_cast<int64_t>(st.footnote++)});
    s.insert(q, openTpl);
    from = q + openTpl.size();
    if (other > q) other = q;  // text from q on changed
    return true;
}

size_t CountBrackets(const LineList& l) {
    size_t n = 0;
    for (size_t i = 0; i < l.Count(); ++i)
        for (char ch : l.Text(i)) n += (ch == '[' || ch == '{');
    return n;
}

}  // namespace

void StageUnderscoreItalics(ConversionContext& ctx) {
    LineList& l = ctx.lines;
    const std::string& openTpl = ctx.templates.Get("Emphasis open");
    const std::string& closeTpl = ctx.templates.Get("Emphasis close");
    for (size_t i = 0; i < l.Count(); ++i) {
        ctx.ReportProgress(i, l.Count());
        // Tags and the document frame (its cover image name, say) keep their
        // underscores.
        if (l.Mark(i) == kMarkTag || l.Mark(i) == kMarkBlock) continue;
        const std::string& t = l.Text(i);
        if (t.find('_') == std::string::npos || t.find("<meta name=\"") != std::string::npos) continue;
        l.SetText(i, UnderscoreEmphasis(t, openTpl, closeTpl));
    }
}

void StageBracketSuperscripts(ConversionContext& ctx) {
    LineList& l = ctx.lines;
    BracketState st{1, CountBrackets(l)};
    for (size_t r = 3; r + 2 < l.Count(); ++r) {
        ctx.ReportProgress(r, l.Count());
        size_t fromSquare = 0, fromCurly = 0;
        while (ApplyBracket(ctx, r, '[', ']', fromSquare, fromCurly, st) ||
               ApplyBracket(ctx, r, '{', '}', fromCurly, fromSquare, st)) {
        }
    }
}

}  // namespace pm
