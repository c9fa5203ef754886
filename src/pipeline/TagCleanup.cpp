// Stages 3 to 10: removing the kinds of mark-up the user chose to drop.
// The document frame (head, title and tail entries) is never removed.
#include <array>

#include "common/TextTests.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

constexpr size_t npos = std::string::npos;

bool Has(const std::string& s, std::string_view what) { return s.find(what) != npos; }

template <size_t N>
bool HasAny(const std::string& s, const std::array<std::string_view, N>& what) {
    for (std::string_view w : what)
        if (Has(s, w)) return true;
    return false;
}

bool IsFrame(const LineList& lines, size_t i) { return i < 2 || i + 1 == lines.Count(); }

// Deletes every entry from first on, the frame excepted, that doomed picks.
template <typename Pred>
void DeleteEntries(ConversionContext& ctx, size_t first, Pred doomed) {
    LineList& lines = ctx.lines;
    for (size_t i = first; i < lines.Count();) {
        ctx.ReportProgress(i, lines.Count());
        if (!IsFrame(lines, i) && doomed(lines.Entry(i))) lines.Delete(i);
        else ++i;
    }
}

// Forms and scripts, from the first entry after the head and title entries
// on (starting one later would leave the code of a script that opens the
// body in the text); a closing tag with no open one is dropped without
// upsetting the count of later ones.
void RemoveFormsScripts(ConversionContext& ctx) {
    LineList& lines = ctx.lines;
    int depth = 0;
    for (size_t i = 2; i + 1 < lines.Count();) {
        ctx.ReportProgress(i, lines.Count());
        const std::string& t = lines.Text(i);
        bool closing = false;
        if (Has(t, "<form")) ++depth;
        if (Has(t, "<script")) ++depth;
        if (Has(t, "</form>")) --depth, closing = true;
        if (Has(t, "</script>")) --depth, closing = true;
        if (depth < 0) depth = 0;
        if (depth > 0 || closing) lines.Delete(i);
        else ++i;
    }
}

// Tags that keep their place when all HTML goes (they end a line of text).
constexpr std::array<std::string_view, 13> kBreakingTags = {
    "<div", "</center", "<center", "<p", "<br", "</h", "<h", "</t", "<ol", "<ul", "<t", "</blockquote", "<blockquote"};

// Removes the attribute starting at p (its name, "=", the value with its
// delimiter). The closing ">" always stays.
void RemoveAttributeAt(std::string& s, size_t p) {
    size_t q = p;
    while (q < s.size() && s[q] != '=') ++q;
    if (q < s.size()) ++q;
    while (q < s.size() && s[q] == ' ') ++q;
    if (q < s.size()) {
        const char delim = (s[q] == '"' || s[q] == '\'') ? s[q] : ' ';
        if (s[q] != '>') ++q;
        while (q < s.size() && s[q] != delim && s[q] != '>') ++q;
        if (q < s.size() && s[q] == delim) ++q;
    }
    s.erase(p, q - p);
}

void RemoveAttribute(std::string& tag, std::string_view name) {
    if (const size_t p = tag.find(name); p != npos) RemoveAttributeAt(tag, p);
}

}  // namespace

void StageStripAllHtml(ConversionContext& ctx) {
    RemoveFormsScripts(ctx);
    LineList& lines = ctx.lines;
    for (size_t i = 1; i + 1 < lines.Count();) {
        ctx.ReportProgress(i, lines.Count());
        if (lines.Mark(i) != kMarkTag) {
            ++i;
            continue;
        }
        const std::string& t = lines.Text(i);
        if (Has(t, "<h") || Has(t, "</h")) {  // a header leaves empty lines
            lines.SetText(i, std::string());
            lines.Insert(i, std::string(), kMarkText);
            lines.Insert(i, std::string(), kMarkText);
            i += 3;
            continue;
        }
        const bool breaking = HasAny(t, kBreakingTags);
        lines.Delete(i);
        if (breaking || i + 1 >= lines.Count() || lines.Mark(i) == kMarkTag) continue;
        // An inline tag: the text around it joins up.
        std::string& before = lines.MutableText(i - 1);
        before += ' ';
        before += lines.Text(i);
        lines.Delete(i);
    }
}

void StageRemoveFormsScripts(ConversionContext& ctx) {
    if (ctx.settings.KillFormsScripts) RemoveFormsScripts(ctx);
}

void StageRemoveImages(ConversionContext& ctx) {
    DeleteEntries(ctx, 0, [](const LineEntry& e) { return e.mark < kMarkBlock && Has(e.text, "<img"); });
}

void StageRemoveLinks(ConversionContext& ctx) {
    DeleteEntries(ctx, 0, [](const LineEntry& e) { return Has(e.text, "<a") || Has(e.text, "</a>"); });
}

void StageRemovePre(ConversionContext& ctx) {
    DeleteEntries(ctx, 0, [](const LineEntry& e) {
        if (Has(e.text, "<pre>") || Has(e.text, "</pre>")) return true;
        const size_t gmt = e.text.find("GMT");
        return Has(e.text, "Last-modified:") && gmt != npos && gmt + 3 == e.text.size();
    });
}

void StageRemoveSpan(ConversionContext& ctx) {
    DeleteEntries(ctx, 2, [](const LineEntry& e) {
        const std::string& t = e.text;
        return Has(t, "<span") || Has(t, "</span>") || t.starts_with("<!") || t.starts_with("<o:") ||
               t.starts_with("</o:");
    });
}

void StageRemoveFont(ConversionContext& ctx) {
    static constexpr std::string_view kClose = "</font>";
    LineList& lines = ctx.lines;
    for (size_t i = 0; i < lines.Count();) {
        ctx.ReportProgress(i, lines.Count());
        const std::string& t = lines.Text(i);
        if (IsFrame(lines, i)) {
            ++i;
        } else if (lines.Mark(i) == kMarkText && text::StartsWithNoCase(t, kClose)) {
            // A closing tag that leads its text (it stays with the text it
            // precedes): the tag goes, the text stays.
            lines.MutableText(i).erase(0, kClose.size());
            if (lines.Text(i).empty()) lines.Delete(i);
            else ++i;
        } else if (Has(t, "<font") || Has(t, "</font>")) {
            lines.Delete(i);
        } else {
            ++i;
        }
    }
}

void StageRemoveStyles(ConversionContext& ctx) {
    LineList& lines = ctx.lines;
    for (size_t i = 0; i < lines.Count(); ++i) {
        if (lines.Mark(i) != kMarkTag) continue;
        RemoveAttribute(lines.MutableText(i), "style=");
        RemoveAttribute(lines.MutableText(i), "class=");
    }
}

}  // namespace pm
