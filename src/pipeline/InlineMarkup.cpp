// Inline mark-up written with plain characters: `_T_e_x_t_` emphasis and
// bracketed superscripts such as footnote marks.
#include <string_view>

#include "common/Format.h"
#include "pipeline/GapText.h"
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

// The entry split at a cursor: `left` before it, `right` after it in
// reverse, so that every deletion and insertion at the cursor is cheap
// however long the entry is.
class EmphasisCursor {
public:
    explicit EmphasisCursor(const std::string& s) : right_(s.rbegin(), s.rend()) {}

    bool AtEnd() const { return right_.empty(); }
    char Next() const { return right_.back(); }
    void Forward() {
        left_ += right_.back();
        right_.pop_back();
    }
    void DeleteNext() { right_.pop_back(); }
    void Insert(char c) { left_ += c; }
    void BackTo(size_t pos) {
        for (; left_.size() > pos; left_.pop_back()) right_ += left_.back();
    }
    // Puts c before the character just passed, or at the cursor after a
    // space or at the start; returns where c went.
    size_t InsertBeforeWord(char c) {
        if (left_.empty() || left_.back() == ' ') {
            left_ += c;
            return left_.size() - 1;
        }
        const char prev = left_.back();
        left_.back() = c;
        left_ += prev;
        return left_.size() - 2;
    }
    std::string Text() const {
        std::string s = left_;
        s.append(right_.rbegin(), right_.rend());
        return s;
    }

private:
    std::string left_, right_;
};

// Scans on after an emphasis was opened and puts its close.
void CloseEmphasis(EmphasisCursor& c, char close) {
    while (!c.AtEnd()) {
        if (IsEmphasisStop(c.Next())) return c.Insert(close);
        if (c.Next() != '_') {
            c.Forward();
            continue;
        }
        c.DeleteNext();
        // The character that took the "_"'s place: a stop character still
        // ends the emphasis (`_T_e_x_t_ here`); anything else is skipped.
        if (c.AtEnd()) break;
        if (IsEmphasisStop(c.Next())) return c.Insert(close);
        c.Forward();
    }
    c.Insert(close);
}

std::string UnderscoreEmphasis(std::string s, const std::string& openTpl, const std::string& closeTpl) {
    char open, close;
    if (!PickMarkers(s, open, close)) return s;
    EmphasisCursor cur(s);
    for (;;) {
        while (!cur.AtEnd() && cur.Next() != '_') cur.Forward();
        if (cur.AtEnd()) break;
        cur.DeleteNext();
        const size_t at = cur.InsertBeforeWord(open);
        // Skip the character that followed the "_".
        if (!cur.AtEnd()) cur.Forward();
        CloseEmphasis(cur, close);
        // No "_" stands before the place this emphasis opened, so the next
        // search starts there.
        cur.BackTo(at);
    }
    s = cur.Text();
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
// character, searched in entry r (text) only after the opening one.
size_t FindClosingEntry(const LineList& l, const GapText& text, size_t r, size_t openAt, char c) {
    if (text.Find(c, openAt + 1) != GapText::npos) return r;
    for (size_t i = r + 1; i <= r + 6 && i + 1 < l.Count(); ++i)
        if (l.Text(i).find(c) != std::string::npos) return i;
    return std::string::npos;
}

// One bracket pair at entry r, whose text is s, its opening character at or
// after from. The entry is a gap buffer, so a long entry with many marks
// costs only the distance between them.
bool ApplyBracket(ConversionContext& ctx, GapText& s, size_t r, char o, char c, size_t& from, size_t& other,
                  BracketState& st) {
    LineList& l = ctx.lines;
    const size_t openAt = s.Find(o, from);
    if (openAt == GapText::npos || st.budget == 0) return false;
    const size_t closing = FindClosingEntry(l, s, r, openAt, c);
    if (closing == std::string::npos) return false;
    --st.budget;

    const std::string& closeTpl = ctx.templates.Get("Footnote close");
    if (closing == r) {
        const size_t at = s.Find(c, openAt + 1);
        s.Erase(at, 1);
        s.Insert(at, closeTpl);
    } else {
        std::string copy = l.Text(closing);
        copy.replace(copy.find(c), 1, closeTpl);
        for (size_t i = r + 1; i < closing; ++i) {
            s.Append(l.Text(r + 1));
            l.Delete(r + 1);
        }
        s.Append(copy);
        l.Delete(r + 1);
    }

    size_t q = openAt;
    s.Erase(q, 1);
    while (q < s.Size() && s.At(q) == ' ') s.Erase(q, 1);
    while (q > 0 && s.At(q - 1) == ' ') s.Erase(--q, 1);
    const std::string openTpl =
        FormatTemplate(ctx.templates.Get("Footnote open"), {static_cast<int64_t>(st.footnote++)});
    s.Insert(q, openTpl);
    from = q + openTpl.size();
    if (other > q) other = q;  // text from q on changed
    return true;
}

// Brackets are rare: a search per bracket beats a look at every character.
size_t CountOf(std::string_view s, char c) {
    size_t n = 0;
    for (size_t k = s.find(c); k != std::string_view::npos; k = s.find(c, k + 1)) ++n;
    return n;
}

size_t CountBrackets(const LineList& l) {
    size_t n = 0;
    for (size_t i = 0; i < l.Count(); ++i) n += CountOf(l.Text(i), '[') + CountOf(l.Text(i), '{');
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
        const std::string& t = l.Text(r);
        if (t.find('[') == std::string::npos && t.find('{') == std::string::npos) continue;
        GapText s(l.Text(r));
        size_t fromSquare = 0, fromCurly = 0;
        bool changed = false;
        while (ApplyBracket(ctx, s, r, '[', ']', fromSquare, fromCurly, st) ||
               ApplyBracket(ctx, s, r, '{', '}', fromCurly, fromSquare, st)) {
            changed = true;
        }
        if (changed) l.SetText(r, s.Str());
    }
}

}  // namespace pm
