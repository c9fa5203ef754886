// The table of contents: collecting the headers, the user's confirmation, the
// linked table at the top of a single-file book, and the document comment.
#include <algorithm>
#include <string>

#include "common/Format.h"
#include "common/TextTests.h"
#include "pipeline/Stages.h"
#include "pipeline/TocEntries.h"

namespace pm {
namespace toc {

namespace {

constexpr size_t kFirstHeaderLine = 3;  // lines 0-2: head, title entry, title line
constexpr size_t kTableInsertAt = 5;
constexpr size_t kMaxEntryText = 100;
constexpr const char* kPageRule = "<hr size=\"0\">";

// The header's own text: from after its opening tag up to the next "<".
std::string EntryText(const std::string& line, size_t tagStart) {
    const size_t gt = line.find('>', tagStart);
    if (gt == std::string::npos) return {};
    const size_t lt = line.find('<', gt + 1);
    if (lt == std::string::npos) return {};
    std::string t = text::TrimLeft(std::string_view(line).substr(gt + 1, lt - gt - 1));
    return text::ReplaceAll(t, "&nbsp;", "");
}

}  // namespace

size_t TagStart(std::string_view line) {
    for (const char* tag : {"<h1", "<h2", "<h3", "<h4", "<h5", "<h6"}) {
        const size_t p = line.find(tag);
        if (p != std::string_view::npos) return p;
    }
    return std::string_view::npos;
}

bool IsHeaderLine(std::string_view line) { return TagStart(line) != std::string_view::npos; }

std::vector<TocEntry> CollectEntries(const LineList& lines, int& lowestLevel) {
    std::vector<TocEntry> out;
    lowestLevel = 3;
    for (size_t k = kFirstHeaderLine; k < lines.Count(); ++k) {
        const std::string& line = lines.Text(k);
        const size_t tag = TagStart(line);
        if (tag == std::string::npos) continue;
        std::string t = EntryText(line, tag);
        if (text::IsBlankLine(t)) continue;  // nothing but spaces and &nbsp;
        const int level = line[tag + 2] - '0';
        lowestLevel = std::min(lowestLevel, level);
        if (t.size() < 4) t += " >>>";
        if (t.size() > kMaxEntryText) t.resize(kMaxEntryText);
        out.push_back({std::move(t), k, level, true});
    }
    return out;
}

void ConfirmEntries(ConversionContext& ctx, std::vector<TocEntry>& entries) {
    if (!ctx.settings.ConfirmToc || entries.empty()) return;
    std::vector<TocChoice> choices;
    choices.reserve(entries.size());
    for (const TocEntry& e : entries) choices.push_back({e.text, true});
    if (!ctx.questions.ConfirmToc(choices)) {
        ctx.cancelled = true;
        return;
    }
    for (size_t n = 0; n < entries.size() && n < choices.size(); ++n) entries[n].checked = choices[n].checked;
}

bool AnyEntryChecked(const std::vector<TocEntry>& entries) {
    return std::any_of(entries.begin(), entries.end(), [](const TocEntry& e) { return e.checked; });
}

std::string DisplayText(const std::string& t) {
    static const std::string kShort = " >>>";
    if (t.size() < kShort.size() || t.compare(t.size() - kShort.size(), kShort.size(), kShort) != 0) return t;
    return t.substr(0, t.size() - 3) + "&nbsp;&nbsp;&gt;&gt;&gt;";
}

void RemoveHeader(LineList& lines, size_t k) {
    std::string s = lines.Text(k);
    const size_t close = s.find("</h");
    if (close != std::string::npos) {
        const size_t gt = s.find('>', close);
        s.erase(close, gt == std::string::npos ? std::string::npos : gt - close + 1);
    }
    const size_t open = TagStart(s);
    if (open != std::string::npos) {
        const size_t gt = s.find('>', open);
        s.erase(open, gt == std::string::npos ? std::string::npos : gt - open + 1);
    }
    lines.SetText(k, std::move(s));
    if (k == 0) return;
    std::string& above = lines.MutableText(k - 1);
    const size_t rule = above.find(kPageRule);
    if (rule != std::string::npos) above.erase(rule, std::string_view(kPageRule).size());
}

namespace {

std::string TableLine(const TocEntry& e, int lowestLevel) {
    std::string nestOpen, nestClose;
    for (int d = e.level - lowestLevel; d > 0; --d) {
        nestOpen += "<blockquote><blockquote>";
        nestClose += "</blockquote></blockquote>";
    }
    return nestOpen + "<h3><a href=\"#linktostr" + std::to_string(e.line) + "\">" + DisplayText(e.text) +
           "</a></h3>" + nestClose;
}

// Anchor before the header text, return link before the closing tag.
void LinkHeader(LineList& lines, const TocEntry& e) {
    std::string s = lines.Text(e.line);
    const size_t textStart = s.find('>', TagStart(s)) + 1;
    size_t close = s.find("</h");
    if (close == std::string::npos) close = s.size();
    const std::string anchor = "<a name=\"linktostr" + std::to_string(e.line) + "\">";
    const std::string back = "</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a>";
    if (close >= textStart) {
        s.insert(close, back);
        s.insert(textStart, anchor);
    } else {
        s.insert(textStart, anchor);
        s.insert(close, back);
    }
    lines.SetText(e.line, std::move(s));
}

// The checked header lines are changed where they stand, then the table goes
// in below the title (a header at index 3 or 4 stays above it).
void SingleFileToc(LineList& lines, const std::vector<TocEntry>& entries, int lowestLevel) {
    std::vector<std::string> table;
    for (const TocEntry& e : entries) {
        if (!e.checked) continue;
        table.push_back(TableLine(e, lowestLevel));
        LinkHeader(lines, e);
    }
    // Never past the document's closing line.
    size_t at = std::min(kTableInsertAt, lines.Count() == 0 ? 0 : lines.Count() - 1);
    for (std::string& t : table) lines.Insert(at++, std::move(t), kMarkBlock);
}

}  // namespace
}  // namespace toc

void StageTableOfContents(ConversionContext& ctx) {
    LineList& lines = ctx.lines;
    const bool split = ctx.settings.BreakTextApartByToc;
    if (!split && !ctx.templates.XmlOutputMode() && lines.Count() >= 2)
        lines.Insert(2, "<a name=\"start000\"><h1>" + ctx.doc.title + "</h1></a>", kMarkBlock);

    std::vector<toc::TocEntry> entries;
    int lowestLevel = 3;
    if (ctx.settings.CreateToc || split) entries = toc::CollectEntries(lines, lowestLevel);
    toc::ConfirmEntries(ctx, entries);
    if (ctx.cancelled) return;
    for (const toc::TocEntry& e : entries)
        if (!e.checked) toc::RemoveHeader(lines, e.line);

    // A split that cannot write its files leaves one document with its table.
    if (split && toc::AnyEntryChecked(entries) && toc::SplitIntoParts(ctx, entries)) return;
    // The result is one document: the parts of an earlier split are not its
    // files, and saving must not copy them as if they were.
    ctx.files.partFiles.clear();
    toc::SingleFileToc(lines, entries, lowestLevel);
}

void StageDocumentComment(ConversionContext& ctx) {
    if (ctx.doc.comment.empty()) return;
    const std::string line = FormatTemplate(ctx.templates.Get("Comment"), {std::string_view(ctx.doc.comment)});
    const size_t at = ctx.lines.Count() == 0 ? 0 : ctx.lines.Count() - 1;
    ctx.lines.Insert(at, line, kMarkBlock);
}

}  // namespace pm
