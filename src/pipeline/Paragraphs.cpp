// Building paragraphs out of raw text lines: by line length, indentation,
// dialogue dashes and empty lines, optionally mending paragraphs that were
// broken across lines.
#include <algorithm>
#include <climits>
#include <string_view>

#include "common/TextTests.h"
#include "pipeline/ParagraphTags.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

using text::ContainsAny;

bool EndsSentence(std::string_view s) {
    return !s.empty() && text::IsSentenceEnd(static_cast<unsigned char>(s.back()));
}

bool HasInlineTag(std::string_view s) {
    return ContainsAny(s, {"<sub", "<sup", "<i>", "<em", "<strong", "<font", "<b>"});
}

bool StartsWithInlineClose(std::string_view s) {
    for (std::string_view t : {"</sub>", "</sup>", "</i>", "</em>", "</strong>", "</font>", "</b>"})
        if (text::StartsWithNoCase(s, t)) return true;
    return false;
}

bool StartsBlockTag(std::string_view s) {
    return ContainsAny(s, {"<div", "<center", "<h1", "<h2", "<h3", "<h4", "<h5", "<blockquote", "<section"}) ||
           text::FindNoCase(s, "<chapter") != std::string_view::npos;
}

class ParagraphBuilder {
public:
    explicit ParagraphBuilder(ConversionContext& ctx)
        : ctx_(ctx), l_(ctx.lines), s_(ctx.settings),
          carryKeepsLongRule_(s_.LongStringsMin != INT32_MAX && s_.ShortStringsMax >= 1) {}

    void Run() {
        l_.Insert(2 <= l_.Count() ? 2 : l_.Count(), std::string());
        while (r_ < l_.Count()) {
            ctx_.ReportProgress(r_, l_.Count());
            Step();
        }
        WrapRemainingText();
    }

private:
    size_t Count() const { return l_.Count(); }
    size_t Len(size_t i) const { return l_.Text(i).size(); }
    bool IsBlankAt(size_t i) const { return i < Count() && text::IsBlankLine(l_.Text(i)); }
    // A following entry that text may be carried into.
    bool TextFollows() const { return r_ + 1 < Count() && l_.Mark(r_ + 1) == kMarkText; }

    void Next() {
        longRule_ = true;
        ++r_;
    }

    void Step() {
        if (l_.Mark(r_) == kMarkComment) return Next();
        if (ReplaceBlankRun()) return Next();
        if (l_.Mark(r_) != kMarkText || (l_.Text(r_).empty() && !s_.EmptyLineToDiv)) return Next();
        JoinInlineTags();
        const size_t len = Len(r_);
        if (len > static_cast<size_t>(std::max<int32_t>(s_.LongStringsMin, 0)) && longRule_) return LongLine();
        if (StartsParagraph()) return CollectParagraph();
        if (s_.ShortStringsMax > 0 && len > 0 && len < static_cast<size_t>(s_.ShortStringsMax)) return ShortLine();
        ++r_;
    }

    // A run of "Detect two empty lines" blank entries becomes one entry.
    bool ReplaceBlankRun() {
        const int32_t n = s_.DetectTwoEmptyLines;
        if (n <= 0 || r_ + 2 >= Count()) return false;
        for (size_t k = 0; k < static_cast<size_t>(n); ++k)
            if (!IsBlankAt(r_ + k)) return false;
        l_.SetText(r_, s_.EmptyLinesReplaceWith);
        l_.SetMark(r_, kMarkTag);
        while (IsBlankAt(r_ + 1)) l_.Delete(r_ + 1);
        return true;
    }

    void Append(size_t from) {
        l_.MutableText(r_) += l_.Text(from);
        l_.Delete(from);
    }

    // Inline tags join the text they stand in, without spaces, together
    // with the text after them and the text their closing tag heads. A
    // finished block, a comment or the tail is never pulled in.
    void JoinInlineTags() {
        while (r_ + 2 < Count()) {
            const std::string& n = l_.Text(r_ + 1);
            const int mark = l_.Mark(r_ + 1);
            if (mark == kMarkTag && HasInlineTag(n)) {
                Append(r_ + 1);
                if (r_ + 2 < Count() && l_.Mark(r_ + 1) <= kMarkTag) Append(r_ + 1);
            } else if (mark == kMarkText && StartsWithInlineClose(n)) {
                Append(r_ + 1);
            } else {
                break;
            }
        }
    }

    // Moves entry r in front of the text entry after it.
    void CarryIntoNext() {
        std::string joined = std::move(l_.MutableText(r_));
        joined += ' ';
        joined += l_.Text(r_ + 1);
        l_.SetText(r_ + 1, std::move(joined));
        l_.Delete(r_);
        longRule_ = carryKeepsLongRule_;
    }

    void MakeParagraph(size_t i, std::string_view text) {
        l_.SetText(i, WrapParagraph(s_, text));
        l_.SetMark(i, kMarkBlock);
    }

    bool MayRestore() const { return s_.TryToRestoreDirs && r_ > 10 && !EndsSentence(l_.Text(r_)); }

    void LongLine() {
        if (MayRestore() && TextFollows()) return CarryIntoNext();
        MakeParagraph(r_, l_.Text(r_));
        Next();
    }

    // Indentation, an empty line or a dialogue dash starts a paragraph.
    bool StartsParagraph() const {
        const std::string& t = l_.Text(r_);
        size_t i = 0, indent = 0;
        for (; i < t.size() && t[i] == ' '; ++i) indent += 1;
        for (; i < t.size() && t[i] == '\t'; ++i) indent += 2;
        const bool empty = i == t.size();
        return (!empty && indent >= 2 && s_.SpacesAtStartToDiv) || (empty && s_.EmptyLineToDiv) ||
               (!empty && s_.DialogsToDiv && text::IsDashChar(static_cast<unsigned char>(t[i])));
    }

    // Whether entry r+1 ends the paragraph that entry r begins.
    bool EndsCollection() const {
        if (r_ + 1 >= Count()) return true;
        const std::string& n = l_.Text(r_ + 1);
        if (StartsBlockTag(n)) return true;
        if (n.empty() || r_ + 2 >= Count()) return true;
        if (s_.SpacesAtStartToDiv && n.starts_with("  ")) return true;
        const bool differs = n.size() != Len(r_);
        const int64_t len = static_cast<int64_t>(n.size());
        if (len >= s_.ShortStringsMax) {
            if (len > s_.LongStringsMin && EndsSentence(n) && differs) return true;
        } else if (EndsSentence(n) && differs) {
            return true;
        }
        // Entries finished by earlier stages stay apart whatever their mark-up.
        return l_.Mark(r_ + 1) == kMarkComment || l_.Mark(r_ + 1) == kMarkBlock;
    }

    // The first line stays in entry r while the following ones are collected,
    // so every comparison is against the paragraph's first line.
    void CollectParagraph() {
        std::string p = l_.Text(r_);
        while (!EndsCollection()) {
            p += ' ';
            p += l_.Text(r_ + 1);
            l_.Delete(r_ + 1);
        }
        const size_t b = p.find_first_not_of(' ');
        if (b != std::string::npos) MakeParagraph(r_, std::string_view(p).substr(b));
        Next();
    }

    void ShortLine() {
        const size_t shortMax = static_cast<size_t>(s_.ShortStringsMax);
        if (MayRestore() && TextFollows()) {
            const std::string& n = l_.Text(r_ + 1);
            if (n.size() < shortMax && (n.empty() || EndsSentence(n))) {
                MakeParagraph(r_, l_.Text(r_) + ' ' + n);
                l_.Delete(r_ + 1);
                return Next();
            }
            return CarryIntoNext();
        }
        MakeParagraph(r_, l_.Text(r_));
        ++r_;
    }

    void WrapRemainingText() {
        for (size_t i = 2; i < Count(); ++i)
            if (l_.Mark(i) == kMarkText) l_.SetText(i, WrapParagraph(s_, l_.Text(i)));
    }

    ConversionContext& ctx_;
    LineList& l_;
    const Settings& s_;
    const bool carryKeepsLongRule_;
    size_t r_ = 0;
    bool longRule_ = true;  // the long-line rule may apply
};

}  // namespace

void StageCreateParagraphs(ConversionContext& ctx) { ParagraphBuilder(ctx).Run(); }

}  // namespace pm
