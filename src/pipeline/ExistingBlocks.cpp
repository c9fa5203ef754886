// Completing the blocks an HTML source already marks: <p>, <div>, <center>,
// <h1>-<h5>, <blockquote>, and text that ends in a <br>.
#include <string_view>

#include "common/TextTests.h"
#include "pipeline/ParagraphTags.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

using text::ContainsAny;
using text::EqualsAny;
using text::StartsWithAny;

bool Contains(std::string_view s, std::string_view what) { return s.find(what) != std::string_view::npos; }

constexpr int kMaxBlockMerges = 51;
constexpr int kMaxBreakJoins = 21;

bool StartsBlock(std::string_view s) {
    return ContainsAny(s, {"<div", "<center", "<h1", "<h2", "<h3", "<h4", "<h5", "<blockquote"});
}

// Where merging the text of a block into its opening tag stops.
bool EndsBlockBody(std::string_view s) {
    return s.empty() || EqualsAny(s, {"</div>", "<div>", "</center>", "</p>", "<p>", "<br>", "<br/>"}) ||
           StartsWithAny(s, {"</h", "</t", "<h", "<t", "</blockquote>"});
}

// A closing tag, or a bare break that the block's new end tag replaces.
bool EndsOpenBlock(const LineList& l, size_t i) {
    const std::string& s = l.Text(i);
    return l.Mark(i) == kMarkTag && (s.starts_with("</") || s == "<br>" || s == "<br/>");
}

// "&nbsp;" begins within the first `within` characters of s.
bool NbspNearStart(std::string_view s, size_t within) {
    const size_t at = s.find("&nbsp;");
    return at != std::string_view::npos && at < within;
}

// The block's own closing tag: what follows an empty block such as <p></p>.
bool ClosesBlock(std::string_view s) {
    return EqualsAny(s, {"</p>", "</div>", "</center>"}) || StartsWithAny(s, {"</h", "</blockquote>"});
}

void MergeBlockBody(LineList& l, size_t a) {
    // An empty block takes nothing in: merging its closing tag would leave
    // that tag inside the block and pull the text after it in too.
    if (a + 1 < l.Count() && l.Mark(a + 1) == kMarkTag && ClosesBlock(l.Text(a + 1))) return;
    for (int merges = 0;;) {
        // The frame's tail entry always stays the last entry.
        if (a + 2 >= l.Count()) break;
        std::string& text = l.MutableText(a);
        if (l.Mark(a + 1) != kMarkTag && l.Mark(a) != kMarkComment) text += ' ';
        text += l.Text(a + 1);
        l.Delete(a + 1);
        ++merges;
        if (merges >= kMaxBlockMerges || a + 3 > l.Count()) break;
        if (EndsBlockBody(l.Text(a + 1))) break;
    }
}

void CloseBlock(ConversionContext& ctx, size_t a) {
    LineList& l = ctx.lines;
    if (a + 2 >= l.Count()) return;
    const std::string& endTag = ctx.settings.ParagraphEndTag;
    const bool pToDiv = ctx.settings.ConvertPToDiv;
    const std::string next = l.Text(a + 1);
    std::string& text = l.MutableText(a);
    if (next == "</p>") {
        text += pToDiv ? endTag : next;
        l.Delete(a + 1);
    } else if (next == "<p>") {
        text += pToDiv ? endTag : std::string("</p>");
    } else if (Contains(next, "</h")) {
        text += next;
        l.Delete(a + 1);
    } else if (Contains(next, "</center")) {
        text += endTag;
        l.Delete(a + 1);
    } else if (Contains(next, "</blockquote>")) {
        while (a + 2 < l.Count() && Contains(l.Text(a + 1), "</blockquote>")) {
            l.MutableText(a) += l.Text(a + 1);
            l.Delete(a + 1);
        }
    } else if (Contains(text, "<div")) {
        // Only a closing tag is the block's own end; an opening tag or text
        // after an unclosed block must survive.
        text += endTag;
        if (EndsOpenBlock(l, a + 1)) l.Delete(a + 1);
    }
}

void CompleteBlock(ConversionContext& ctx, size_t a) {
    LineList& l = ctx.lines;
    if (l.Text(a) == "<center>") l.SetText(a, "<div align=\"center\">");
    const std::string& text = l.Text(a);
    if (ctx.settings.AddNbsp && !Contains(text, "<blockquote") && !Contains(text, "<h") &&
        !(a + 1 < l.Count() && NbspNearStart(l.Text(a + 1), 4)))
        l.MutableText(a) += ParagraphIndent(ctx.settings);
    MergeBlockBody(l, a);
    CloseBlock(ctx, a);
    l.SetMark(a, kMarkBlock);
}

bool StopsBreakJoin(const LineList& l, size_t i) {
    const std::string& s = l.Text(i);
    // A comment is never pulled into a paragraph: the tidy-up would break
    // its "--" delimiters. Nor is a finished block, whatever tags the
    // settings give paragraphs and headers.
    return l.Mark(i) == kMarkComment || l.Mark(i) == kMarkBlock ||
           ContainsAny(s, {"</div>", "<div", "<blockquote>"}) ||
           EqualsAny(s, {"</p>", "<p>", "<br>", "<br/>"}) ||
           StartsWithAny(s, {"<p ", "</h", "</t", "<h", "<blockquote "});
}

// Makes a paragraph of the text before the "<br>" at p; returns the index of
// the new paragraph, or p when nothing was done.
size_t ParagraphBeforeBreak(ConversionContext& ctx, size_t p) {
    LineList& l = ctx.lines;
    // A finished block already has its end tag; a comment stays apart.
    if (p <= 4 || l.Text(p - 1).empty() || l.Mark(p - 1) == kMarkComment || l.Mark(p - 1) == kMarkBlock) return p;
    l.SetText(p, ctx.settings.ParagraphEndTag);
    for (int joins = 0;;) {
        std::string joined = l.Text(p - 1);
        joined += ' ';
        joined += l.Text(p);
        l.SetText(p - 1, std::move(joined));
        l.Delete(p);
        --p;
        ++joins;
        if (joins >= kMaxBreakJoins || p < 5 || StopsBreakJoin(l, p - 1)) break;
    }
    std::string start = ParagraphStartTag(ctx.settings);
    if (!NbspNearStart(l.Text(p), 5)) start += ParagraphIndent(ctx.settings);
    l.SetText(p, start + l.Text(p));
    l.SetMark(p, kMarkBlock);
    return p;
}

}  // namespace

void StageExistingParagraphs(ConversionContext& ctx) {
    LineList& l = ctx.lines;
    const bool brToDiv = ctx.settings.ConvertBrToDiv;
    for (size_t i = 0; i < l.Count(); ++i) {
        ctx.ReportProgress(i, l.Count());
        if (l.Mark(i) != kMarkTag) continue;
        if (Contains(l.Text(i), "<p")) {
            if (ctx.settings.ConvertPToDiv) l.SetText(i, ParagraphStartTag(ctx.settings));
            CompleteBlock(ctx, i);
        } else if (StartsBlock(l.Text(i))) {
            CompleteBlock(ctx, i);
        }
        if (brToDiv && l.Text(i) == "<br>") i = ParagraphBeforeBreak(ctx, i);
    }
}

}  // namespace pm
