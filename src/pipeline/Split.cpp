// The multi-file split: every checked chapter goes into a numbered part file
// with links to the previous part, the index and the next part; the line
// list becomes the index file. All files share one folder, so the links are
// plain file names.
#include <filesystem>
#include <string>
#include <vector>

#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "common/Format.h"
#include "pipeline/TocEntries.h"

namespace pm::toc {
namespace {

namespace fs = std::filesystem;

// Digits, ASCII letters and Cyrillic letters stay; anything else is "_".
std::string NameStem(const std::string& shortTitle) {
    std::string out = shortTitle;
    for (char& ch : out) {
        const unsigned char c = static_cast<unsigned char>(ch);
        const bool keep = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 192;
        if (!keep) ch = '_';
    }
    return out;
}

// The preview file's folder (the system temporary folder before any is set).
fs::path PartFolder(const std::string& previewFile) {
    fs::path folder = fs::path(previewFile).parent_path();
    if (folder.empty()) {
        std::error_code ec;
        folder = fs::temp_directory_path(ec);
    }
    return folder;
}

std::string PartNumber(int p) { return FormatTemplate("%.3d", {int64_t{p}}); }

struct SplitNames {
    fs::path folder;
    std::string base;  // "PLMK_" + stem, in the working code page (for links)

    std::string PartLink(int p) const { return base + "_" + PartNumber(p) + ".html"; }
    std::string IndexLink() const { return base + "__index.html"; }
    // File names on disk are UTF-8.
    std::string PathOf(const std::string& link) const { return (folder / cp1251::ToUtf8(link)).string(); }
};

std::string Navigation(const SplitNames& n, int p, bool last) {
    std::string nav;
    if (p > 1) nav += "&nbsp;<a href=\"" + n.PartLink(p - 1) + "\">&nbsp;&lt;&lt;&nbsp;</a>";
    nav += "&nbsp;<a href=\"" + n.IndexLink() + "\">&nbsp;^^&nbsp;</a>";
    if (!last) nav += "&nbsp;<a href=\"" + n.PartLink(p + 1) + "\">&nbsp;&gt;&gt;&nbsp;</a>";
    return nav;
}

// The navigation links go just before the header's closing tag.
std::string WithNavigation(std::string header, const std::string& nav) {
    const size_t close = header.find("</h");
    header.insert(close == std::string::npos ? header.size() : close, nav);
    return header;
}

// Head lines, the chapter from its header to `end` (inclusive), the
// navigation paragraph and the closing line, CR LF between them.
std::string PartText(const LineList& l, size_t header, size_t end, const std::string& nav) {
    std::string out = l.Text(0) + "\r\n" + l.Text(1) + "\r\n" + WithNavigation(l.Text(header), nav);
    for (size_t k = header + 1; k <= end; ++k) out += "\r\n" + l.Text(k);
    out += "\r\n<p>" + nav + "</p>\r\n" + l.Text(l.Count() - 1);
    return out;
}

}  // namespace

bool SplitIntoParts(ConversionContext& ctx, const std::vector<TocEntry>& entries) {
    const LineList& l = ctx.lines;
    std::vector<size_t> heads;
    for (const TocEntry& e : entries)
        if (e.checked) heads.push_back(e.line);
    if (heads.empty() || l.Count() < 3) return false;

    ctx.files.partFiles.clear();
    SplitNames names{PartFolder(ctx.files.previewFile), "PLMK_" + NameStem(ctx.doc.shortTitle)};
    // The parts replace those of an earlier run all together or not at all.
    AtomicFileSet parts;
    std::vector<std::string> written;

    LineList index;
    index.Append(l.Text(0), l.Mark(0));
    index.Append(l.Text(1), l.Mark(1));
    index.Append("<h1>" + ctx.doc.title + "</h1>", kMarkBlock);
    // The title page, author and preface before the first chapter stay in the index.
    for (size_t k = 2; k < heads.front(); ++k) index.Append(l.Text(k), l.Mark(k));

    size_t entry = 0;
    for (size_t n = 0; n < heads.size(); ++n) {
        const int p = static_cast<int>(n) + 1;
        const bool last = n + 1 == heads.size();
        const size_t end = last ? l.Count() - 2 : heads[n + 1] - 1;
        const std::string link = names.PartLink(p);
        const std::string path = names.PathOf(link);
        std::string error;
        if (!parts.Add(path, PartText(l, heads[n], end, Navigation(names, p, last)), &error)) {
            ctx.questions.ShowMessage(ctx.texts.Msg("Error"), cp1251::FromUtf8(error), MessageIcon::Error);
            return false;
        }
        written.push_back(path);
        while (!entries[entry].checked || entries[entry].line != heads[n]) ++entry;
        index.Append("<h3><a href=\"" + link + "\">" + DisplayText(entries[entry].text) + "</a></h3>", kMarkBlock);
    }
    index.Append(l.Text(l.Count() - 1), l.Mark(l.Count() - 1));

    std::string error;
    if (!parts.Commit(&error)) {
        // Parts renamed before the failure are removed at exit with the rest.
        ctx.files.tempFiles.insert(ctx.files.tempFiles.end(), written.begin(), written.end());
        ctx.questions.ShowMessage(ctx.texts.Msg("Error"), cp1251::FromUtf8(error), MessageIcon::Error);
        return false;
    }
    const std::string indexPath = names.PathOf(names.IndexLink());
    if (ctx.files.previewFile != indexPath) ctx.files.previewShown = false;  // a new page to navigate to
    ctx.files.previewFile = indexPath;
    ctx.files.partFiles = written;
    ctx.files.partFiles.push_back(indexPath);
    ctx.files.tempFiles.insert(ctx.files.tempFiles.end(), ctx.files.partFiles.begin(), ctx.files.partFiles.end());
    ctx.lines = std::move(index);
    return true;
}

}  // namespace pm::toc
