// Epigraph detection: short blocks of short lines right under a chapter
// header, joined into one finished line with their author attached.
#include <algorithm>
#include <string>
#include <string_view>

#include "common/Cp1251.h"
#include "common/TextTests.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

using text::IsBlankLine;

bool Contains(std::string_view s, std::string_view what) { return s.find(what) != std::string_view::npos; }

// A closing header tag ("</h1>") or a chapter/section boundary.
bool IsHeaderEndLine(std::string_view s) {
    for (size_t p = s.find("/h"); p != std::string_view::npos; p = s.find("/h", p + 1))
        if (p + 3 < s.size() && s[p + 3] == '>') return true;
    return Contains(s, "</CHAPTER><CHAPTER ID") || Contains(s, "</section><section title");
}

// A header or boundary line ends an epigraph block.
bool IsBlockStopper(std::string_view s) {
    if (Contains(s, "<h") && !Contains(s, "<hr")) return true;
    return Contains(s, "</CHAPTER><CHAPTER ID=") || Contains(s, "</section><section title");
}

bool LooksLikeListOrDialogue(std::string_view line) {
    const size_t b = line.find_first_not_of(' ');
    if (b == std::string_view::npos) return false;
    const std::string_view s = line.substr(b);
    if (text::IsDashChar(static_cast<unsigned char>(s[0]))) return true;
    if (s.size() <= 2 || s[0] < '0' || s[0] > '9') return false;
    const unsigned char c = static_cast<unsigned char>(s[1]);
    return c == ' ' || c == ')' || c == '-' || c == '.' || c == ';' || c == text::kEnDash;
}

unsigned char FirstVisible(std::string_view s) {
    const size_t p = s.find_first_not_of(' ');
    return p == std::string_view::npos ? ' ' : static_cast<unsigned char>(s[p]);
}

struct EpigraphForms {
    std::string open, close, brk, authorOpen, authorClose;
    bool xml = false, preserveBreaks = false;
};

EpigraphForms ReadForms(const ConversionContext& ctx) {
    EpigraphForms f;
    f.open = ctx.settings.OpenEpigraph;
    f.close = ctx.settings.CloseEpigraph;
    f.brk = ctx.templates.Get("Break string");
    f.authorOpen = ctx.templates.Get("Epigraph author open");
    f.authorClose = ctx.templates.Get("Epigraph author close");
    f.xml = ctx.templates.XmlOutputMode();
    f.preserveBreaks = ctx.settings.PreserveBreaksInEpigraph;
    return f;
}

class EpigraphFinder {
public:
    EpigraphFinder(LineList& l, EpigraphForms f) : l_(l), f_(std::move(f)) {}

    // Looks for epigraphs from the first unmarked line after the header end
    // line t; returns where the outer scan goes on.
    size_t AfterHeader(size_t t) {
        size_t j = t + 1;
        while (j < l_.Count() && l_.Mark(j) != kMarkText) ++j;
        if (j >= l_.Count() || j - t > 16) return j;
        if (j == t + 1 && !IsBlankLine(l_.Text(j))) return j;
        return EpigraphLoop(j);
    }

private:
    size_t EpigraphLoop(size_t i) {
        for (;;) {
            while (i + 2 < l_.Count() && IsBlankLine(l_.Text(i))) ++i;
            const long stop = FindBlockEnd(i);
            if (stop <= 0 || static_cast<size_t>(stop) == i) return i + 1;
            if (!ScoresAsEpigraph(i, stop)) return i + 1;
            Open(i);
            Join(i, static_cast<size_t>(stop) - i);
            Close(i);
            l_.SetMark(i, kMarkBlock);
            while (i > 0 && IsBlankLine(l_.Text(i - 1))) {
                l_.Delete(i - 1);
                --i;
            }
            while (i + 1 < l_.Count() && !IsBlankLine(l_.Text(i))) ++i;
            const std::string& next = l_.Text(i);
            if (!Contains(next, "      ") && next.size() >= 60) return i + 1;
        }
    }

    // The block's last line: a blank line, a line over 80 characters, or the
    // line before a header; 0 when none is found within 60 lines.
    long FindBlockEnd(size_t i) const {
        if (l_.Count() < 2) return 0;
        const size_t last = std::min(i + 60, l_.Count() - 2);
        for (size_t q = i; q <= last; ++q) {
            const std::string& s = l_.Text(q);
            if (IsBlankLine(s) || s.size() > 80) return static_cast<long>(q);
            if (IsBlockStopper(s)) return static_cast<long>(q) - 1;
        }
        return 0;
    }

    // Most lines of an epigraph are short or indented, none is a list item.
    bool ScoresAsEpigraph(size_t i, long stop) const {
        long s = 0;
        for (long q = static_cast<long>(i); q <= stop; ++q) {
            const std::string& line = l_.Text(static_cast<size_t>(q));
            if (Contains(line, "          ")) ++s;
            else if (!line.empty() && line.size() < 60) ++s;
            if (line.size() > 80) s = -5;
            if (LooksLikeListOrDialogue(line)) --s;
        }
        return static_cast<double>(s) / static_cast<double>(stop - static_cast<long>(i)) > 0.8;
    }

    void Open(size_t i) {
        std::string s = f_.open + (f_.xml ? "" : "<I>") + l_.Text(i);
        if (f_.preserveBreaks) s += f_.brk;
        l_.SetText(i, std::move(s));
    }

    void Join(size_t i, size_t times) {
        for (size_t n = 0; n < times && i + 1 < l_.Count(); ++n) {
            const std::string& next = l_.Text(i + 1);
            if (IsBlockStopper(next)) break;
            std::string& s = l_.MutableText(i);  // fetched anew: deleting moves entries
            s += ' ';
            s += next;
            if (f_.preserveBreaks) s += f_.brk;
            l_.Delete(i + 1);
        }
    }

    // The line after the block is markup, the author, or a lower-case
    // continuation of the quotation.
    void Close(size_t i) {
        std::string& s = l_.MutableText(i);
        const bool haveNext = i + 1 < l_.Count();
        const unsigned char c = haveNext ? FirstVisible(l_.Text(i + 1)) : '<';
        if (c == '<') {
            s += (f_.xml ? "" : "</I>") + f_.close;
            return;
        }
        const std::string& next = l_.Text(i + 1);
        if (cp1251::ToUpper(c) == c) {
            if (f_.xml) s += f_.authorOpen + next + f_.authorClose + f_.close;
            else s += "</I>" + f_.brk + "&nbsp;&nbsp;" + next + f_.close;
        } else {
            s += next + (f_.xml ? "" : "</I>") + f_.close;
        }
        l_.Delete(i + 1);
    }

    LineList& l_;
    EpigraphForms f_;
};

}  // namespace

void StageDetectEpigraphs(ConversionContext& ctx) {
    if (!ctx.settings.DetectEpigraphs) return;
    EpigraphFinder finder(ctx.lines, ReadForms(ctx));
    for (size_t t = 2; t + 20 < ctx.lines.Count();) {
        ctx.ReportProgress(t, ctx.lines.Count());
        t = IsHeaderEndLine(ctx.lines.Text(t)) ? finder.AfterHeader(t) : t + 1;
    }
}

}  // namespace pm
