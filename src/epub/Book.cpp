#include "epub/Book.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <set>

#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "epub/Xhtml.h"

namespace pm::epub {
namespace {

constexpr std::string_view kNavFile = "nav.xhtml";
constexpr std::string_view kNavId = "toc";
constexpr std::string_view kContentFolder = "OEBPS/";
// The anchor of the title line that the return links of the headers point at.
constexpr std::string_view kTitleAnchor = "name=\"start000\"";
// The table-of-contents lines of a single-file book link to these anchors.
constexpr std::string_view kTocAnchorPrefix = "#linktostr";

constexpr std::string_view kStyleSheet =
    "body { margin: 0 2%; }\n"
    "div, p { margin: 0; }\n"
    ".justify { text-align: justify; }\n"
    ".left { text-align: left; }\n"
    ".center { text-align: center; }\n"
    ".right { text-align: right; }\n"
    "h1, h2, h3, h4, h5, h6 { margin: 1em 0 0.5em; }\n"
    "hr { border: 0; border-top: 1px solid gray; margin: 0.5em 0; }\n"
    "blockquote { margin: 0.5em 0 0.5em 2em; }\n"
    "blockquote.epigraph { margin: 1em 0 1em 40%; }\n"
    ".small { font-size: smaller; }\n"
    ".big { font-size: larger; }\n"
    ".cell { margin-right: 1em; }\n"
    "pre { white-space: pre-wrap; }\n"
    "nav ol { list-style-type: none; padding-left: 0; }\n"
    "nav ol ol { padding-left: 1.5em; }\n"
    "nav li { margin: 0.3em 0; font-weight: bold; }\n"
    "nav li li { font-weight: normal; }\n"
    "a.noteref { background-color: #cfc; color: inherit; }\n"
    "aside.note { font-size: smaller; margin: 0.5em 0; }\n";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

size_t FindNoCase(std::string_view s, std::string_view what, size_t from = 0) {
    for (size_t i = from; i + what.size() <= s.size(); ++i) {
        size_t k = 0;
        while (k < what.size() && LowerAscii(s[i + k]) == what[k]) ++k;
        if (k == what.size()) return i;
    }
    return std::string_view::npos;
}

size_t RFindNoCase(std::string_view s, std::string_view what) {
    size_t found = std::string_view::npos;
    for (size_t at = FindNoCase(s, what); at != std::string_view::npos; at = FindNoCase(s, what, at + 1)) found = at;
    return found;
}

// What stands between the body's start tag and its last closing tag.
std::string_view BodyOf(std::string_view html) {
    size_t from = 0;
    const size_t open = FindNoCase(html, "<body");
    if (open != std::string_view::npos) {
        const size_t gt = html.find('>', open);
        from = gt == std::string_view::npos ? html.size() : gt + 1;
    } else if (const size_t head = FindNoCase(html, "</head>"); head != std::string_view::npos) {
        from = head + 7;
    }
    size_t to = RFindNoCase(html, "</body");
    if (to == std::string_view::npos || to < from) to = html.size();
    return html.substr(from, to - from);
}

// Removes the links a reader of the book replaces: the return link of each
// header to the title, and the previous / index / next links of the parts
// of a split book (&nbsp;<a href="...">&nbsp;SIGN&nbsp;</a>).
void RemoveNavigationLinks(std::string& body) {
    static constexpr std::array<std::string_view, 4> kSigns = {"^^", "^", "&lt;&lt;", "&gt;&gt;"};
    constexpr std::string_view kOpen = "<a href=\"";
    constexpr std::string_view kNbsp = "&nbsp;";
    size_t at = 0;
    while ((at = body.find(kOpen, at)) != std::string::npos) {
        const size_t quote = body.find('"', at + kOpen.size());
        if (quote == std::string::npos) break;
        size_t end = std::string::npos;
        const std::string_view rest = std::string_view(body).substr(quote);
        for (std::string_view sign : kSigns) {
            const std::string link = std::string("\">") + std::string(kNbsp) + std::string(sign) + std::string(kNbsp) + "</a>";
            if (rest.substr(0, link.size()) == link) {
                end = quote + link.size();
                break;
            }
        }
        if (end == std::string::npos) {
            at = quote;
            continue;
        }
        size_t start = at;
        if (start >= kNbsp.size() && body.compare(start - kNbsp.size(), kNbsp.size(), kNbsp) == 0) start -= kNbsp.size();
        body.erase(start, end - start);
        at = start;
    }
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t from = 0;
    for (;;) {
        const size_t nl = text.find('\n', from);
        lines.emplace_back(text.substr(from, nl == std::string_view::npos ? std::string_view::npos : nl + 1 - from));
        if (nl == std::string_view::npos) break;
        from = nl + 1;
    }
    return lines;
}

std::string EraseAll(std::string s, std::string_view what) {
    for (size_t at = FindNoCase(s, what); at != std::string::npos; at = FindNoCase(s, what, at)) s.erase(at, what.size());
    return s;
}

std::string Trim(std::string_view s) {
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string_view::npos) return {};
    const size_t b = s.find_last_not_of(" \t\r\n");
    return std::string(s.substr(a, b - a + 1));
}

// A line of the table the conversion wrote: <h3><a href="TARGET">text</a></h3>
// inside blockquote pairs, TARGET a header anchor or a part file.
bool IsTocLine(std::string_view line, const std::set<std::string, std::less<>>& partNames) {
    const std::string s = Trim(EraseAll(EraseAll(std::string(line), "<blockquote>"), "</blockquote>"));
    constexpr std::string_view kStart = "<h3><a href=\"";
    constexpr std::string_view kEnd = "</a></h3>";
    if (s.size() < kStart.size() + kEnd.size() || s.compare(0, kStart.size(), kStart) != 0 ||
        s.compare(s.size() - kEnd.size(), kEnd.size(), kEnd) != 0)
        return false;
    const size_t quote = s.find('"', kStart.size());
    if (quote == std::string::npos) return false;
    const std::string_view target = std::string_view(s).substr(kStart.size(), quote - kStart.size());
    return target.substr(0, kTocAnchorPrefix.size()) == kTocAnchorPrefix || partNames.count(target) > 0;
}

bool IsChapterStart(std::string_view line) {
    if (line.find(kTitleAnchor) != std::string_view::npos) return false;
    for (size_t at = FindNoCase(line, "<h1"); at != std::string_view::npos; at = FindNoCase(line, "<h1", at + 1)) {
        const char next = at + 3 < line.size() ? line[at + 3] : '\0';
        if (next == '>' || next == ' ' || next == '\t') return true;
    }
    return false;
}

std::string Join(const std::vector<std::string>& lines, size_t from, size_t to) {
    std::string out;
    for (size_t i = from; i < to && i < lines.size(); ++i) out += lines[i];
    return out;
}

// The book's text cut into its content documents.
struct Layout {
    std::string frontBefore, frontAfter;  // the front matter around the table
    bool hasFront = false;                // the navigation document is a page of the book
    std::vector<std::string> chapters;    // Windows-1251 markup
    std::map<std::string, size_t, std::less<>> partChapter;  // part file name -> chapter
    std::string indexName;
};

// Front matter lines: the table's lines leave, its place is remembered.
void TakeFront(const std::vector<std::string>& lines, size_t to, const std::set<std::string, std::less<>>& parts,
               Layout& layout) {
    std::vector<std::string> before, after;
    bool tableSeen = false;
    for (size_t i = 0; i < to && i < lines.size(); ++i) {
        if (IsTocLine(lines[i], parts)) {
            tableSeen = true;
            continue;
        }
        (tableSeen ? after : before).push_back(lines[i]);
    }
    layout.frontBefore = Join(before, 0, before.size());
    layout.frontAfter = Join(after, 0, after.size());
}

Layout Arrange(const BookSource& book) {
    Layout layout;
    if (book.documents.empty()) return layout;
    std::set<std::string, std::less<>> parts;
    if (book.split) {
        for (size_t i = 1; i < book.documents.size(); ++i) parts.insert(book.documents[i].fileName);
        layout.indexName = book.documents[0].fileName;
    }
    std::string first(BodyOf(book.documents[0].html));
    RemoveNavigationLinks(first);
    const std::vector<std::string> lines = SplitLines(first);
    if (book.split && book.documents.size() > 1) {
        TakeFront(lines, lines.size(), parts, layout);
        layout.hasFront = true;
        for (size_t i = 1; i < book.documents.size(); ++i) {
            std::string body(BodyOf(book.documents[i].html));
            RemoveNavigationLinks(body);
            layout.partChapter[book.documents[i].fileName] = layout.chapters.size();
            layout.chapters.push_back(std::move(body));
        }
        return layout;
    }
    std::vector<size_t> starts;
    for (size_t i = 0; i < lines.size(); ++i)
        if (IsChapterStart(lines[i])) starts.push_back(i);
    if (starts.empty()) {
        // Nothing to cut at: the whole text is one chapter (its table of
        // contents lines still give way to the navigation document).
        TakeFront(lines, lines.size(), parts, layout);
        layout.chapters.push_back(layout.frontBefore + layout.frontAfter);
        layout.frontBefore.clear();
        layout.frontAfter.clear();
        return layout;
    }
    TakeFront(lines, starts[0], parts, layout);
    layout.hasFront = true;
    for (size_t n = 0; n < starts.size(); ++n) {
        const size_t end = n + 1 < starts.size() ? starts[n + 1] : lines.size();
        std::string chapter;
        for (size_t i = starts[n]; i < end; ++i)
            if (!IsTocLine(lines[i], parts)) chapter += lines[i];
        layout.chapters.push_back(std::move(chapter));
    }
    return layout;
}

std::string ChapterFile(size_t n) {
    std::string number = std::to_string(n + 1);
    if (number.size() < 3) number.insert(0, 3 - number.size(), '0');
    return "chapter-" + number + ".xhtml";
}

std::string ChapterId(size_t n) {
    const std::string file = ChapterFile(n);
    return file.substr(0, file.size() - 6);
}

// A fragment without the rules and spaces it ends with: the header rule
// before a chapter's header stays behind when the chapter gets its own file.
std::string WithoutTrailingRules(std::string s) {
    for (;;) {
        while (!s.empty() && (s.back() == '\n' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
        constexpr std::string_view kRule = "<hr/>";
        if (s.size() < kRule.size() || s.compare(s.size() - kRule.size(), kRule.size(), kRule) != 0) return s;
        s.resize(s.size() - kRule.size());
    }
}

bool HasScheme(std::string_view href) {
    for (std::string_view scheme : {"http:", "https:", "ftp:", "mailto:"})
        if (FindNoCase(href, scheme) == 0) return true;
    return false;
}

struct Entry {
    int level = 1;
    std::string href;
    std::string label;  // UTF-8
};

// Nested lists of the entries: each entry's depth is the number of the
// entries before it that are still open with a smaller level.
std::vector<int> Depths(const std::vector<Entry>& entries) {
    std::vector<int> depths;
    std::vector<int> open;  // levels
    for (const Entry& e : entries) {
        while (!open.empty() && open.back() >= e.level) open.pop_back();
        depths.push_back(static_cast<int>(open.size()));
        open.push_back(e.level);
    }
    return depths;
}

std::string NavList(const std::vector<Entry>& entries) {
    const std::vector<int> depths = Depths(entries);
    std::string out = "<ol>";
    int depth = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0) {
            if (depths[i] > depth) {
                out += "\n<ol>";
            } else {
                out += "</li>";
                for (; depth > depths[i]; --depth) out += "</ol></li>";
            }
        }
        depth = depths[i];
        out += "\n<li><a href=\"" + EscapeXml(entries[i].href) + "\">" + EscapeXml(entries[i].label) + "</a>";
    }
    out += "</li>";
    for (; depth > 0; --depth) out += "</ol></li>";
    return out + "</ol>";
}

std::string NavPoints(const std::vector<Entry>& entries) {
    const std::vector<int> depths = Depths(entries);
    std::string out;
    int depth = -1;
    for (size_t i = 0; i < entries.size(); ++i) {
        for (; depth >= depths[i]; --depth) out += "</navPoint>\n";
        depth = depths[i];
        const std::string n = std::to_string(i + 1);
        out += "<navPoint id=\"nav-" + n + "\" playOrder=\"" + n + "\"><navLabel><text>" + EscapeXml(entries[i].label) +
               "</text></navLabel><content src=\"" + EscapeXml(entries[i].href) + "\"/>\n";
    }
    for (; depth >= 0; --depth) out += "</navPoint>\n";
    return out;
}

std::string XhtmlDocument(std::string_view lang, std::string_view title, std::string_view body) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE html>\n"
                      "<html xmlns=\"http://www.w3.org/1999/xhtml\" xmlns:epub=\"http://www.idpf.org/2007/ops\" lang=\"";
    out += lang;
    out += "\" xml:lang=\"";
    out += lang;
    out += "\">\n<head>\n<title>" + EscapeXml(title) +
           "</title>\n<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\"/>\n</head>\n<body>\n";
    out += body;
    out += "\n</body>\n</html>\n";
    return out;
}

std::optional<std::string_view> PictureType(std::string_view path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::string ext(path.substr(dot));
    for (char& c : ext) c = LowerAscii(c);
    if (ext == ".jpg" || ext == ".jpeg") return "image/jpeg";
    if (ext == ".png") return "image/png";
    if (ext == ".gif") return "image/gif";
    if (ext == ".svg") return "image/svg+xml";
    return std::nullopt;
}

std::string Utf8(std::string_view text1251) { return cp1251::ToUtf8(text1251); }

std::string OneLine(std::string_view text1251) {
    std::string s = Trim(Utf8(text1251));
    std::replace_if(s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    return s;
}

uint64_t Fnv1a(std::string_view bytes, uint64_t hash) {
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

}  // namespace

std::string DetectLanguage(const BookSource& book) {
    size_t cyrillic = 0, latin = 0;
    for (const SourceDocument& d : book.documents) {
        const std::string_view body = BodyOf(d.html);
        bool inTag = false, inRef = false;
        for (char ch : body) {
            const auto c = static_cast<unsigned char>(ch);
            if (inTag) {
                inTag = ch != '>';
            } else if (ch == '<') {
                inTag = true;
            } else if (inRef) {
                inRef = ch != ';' && ch != ' ';
            } else if (ch == '&') {
                inRef = true;
            } else if (cp1251::IsCyrillicLetter(c)) {
                ++cyrillic;
            } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) {
                ++latin;
            }
        }
    }
    return cyrillic >= latin ? "ru" : "en";
}

std::string StableIdentifier(const BookSource& book) {
    std::string key = book.info.title + '\0' + book.info.author + '\0';
    uint64_t a = Fnv1a(key, 0xcbf29ce484222325ULL);
    uint64_t b = Fnv1a(key, 0x84222325cbf29ce4ULL);
    for (const SourceDocument& d : book.documents) {
        a = Fnv1a(d.html, a);
        b = Fnv1a(d.html, b ^ a);
    }
    // A UUID of version 8 (its bits our own), variant 10.
    a = (a & ~0xF000ULL) | 0x8000ULL;
    b = (b & ~(0xC0ULL << 56)) | (0x80ULL << 56);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string hex;
    for (int i = 60; i >= 0; i -= 4) hex += kHex[(a >> i) & 15];
    for (int i = 60; i >= 0; i -= 4) hex += kHex[(b >> i) & 15];
    return "urn:uuid:" + hex.substr(0, 8) + "-" + hex.substr(8, 4) + "-" + hex.substr(12, 4) + "-" + hex.substr(16, 4) +
           "-" + hex.substr(20);
}

std::string PackageDate(std::time_t t) {
    std::tm tm{};
    gmtime_r(&t, &tm);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%dT%H:%M:%SZ", &tm);
    return buf;
}

std::vector<PackageFile> BuildPackage(const BookSource& book) {
    const BookInfo& info = book.info;
    const std::string lang = info.language.empty() ? DetectLanguage(book) : info.language;
    const std::string identifier = info.identifier.empty() ? StableIdentifier(book) : info.identifier;
    std::string title = OneLine(info.title);
    if (title.empty()) title = OneLine(info.shortTitle);
    if (title.empty()) title = OneLine(info.fallbackTitle);
    if (title.empty()) title = "Book";
    const std::string shortTitle = OneLine(info.shortTitle);
    const std::string author = OneLine(info.author);

    std::vector<PackageFile> files;
    files.push_back({"mimetype", "application/epub+zip"});
    files.push_back({"META-INF/container.xml",
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<container version=\"1.0\" xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">\n"
                     "<rootfiles><rootfile full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/>"
                     "</rootfiles>\n</container>\n"});

    // The cover picture, when there is one to take.
    XhtmlOptions base;
    std::string coverItem;
    if (!info.coverPath.empty()) {
        std::string bytes;
        const std::optional<std::string_view> type = PictureType(info.coverPath);
        if (type && ReadWholeFile(info.coverPath, bytes)) {
            const std::string ext = info.coverPath.substr(info.coverPath.rfind('.'));
            std::string lowerExt = ext;
            for (char& c : lowerExt) c = LowerAscii(c);
            base.coverSrc = info.coverSrc;
            base.coverHref = "images/cover" + lowerExt;
            coverItem = "<item id=\"cover-image\" href=\"" + base.coverHref + "\" media-type=\"" + std::string(*type) +
                        "\" properties=\"cover-image\"/>\n";
            files.push_back({std::string(kContentFolder) + base.coverHref, std::move(bytes)});
        }
    }

    Layout layout = Arrange(book);
    if (layout.chapters.empty()) layout.chapters.emplace_back();

    // First the ids of every content document, so that a link into another
    // chapter finds its file; then the documents with their links.
    const size_t count = layout.chapters.size();
    std::map<std::string, std::string, std::less<>> idFile;
    {
        std::set<std::string> used{std::string(kNavId)};
        XhtmlOptions o = base;
        o.usedIds = &used;
        for (const std::string& part : {layout.frontBefore, layout.frontAfter})
            for (const std::string& id : ToXhtml(part, o).ids) idFile.emplace(id, std::string(kNavFile));
        for (size_t n = 0; n < count; ++n) {
            std::set<std::string> own;
            o.usedIds = &own;
            for (const std::string& id : ToXhtml(layout.chapters[n], o).ids) idFile.emplace(id, ChapterFile(n));
        }
    }
    std::string current;
    XhtmlOptions options = base;
    options.resolveLink = [&](std::string_view raw) -> std::string {
        const std::string href = Trim(raw);
        if (HasScheme(href)) {
            std::string out;
            for (char c : href) out += c == ' ' ? std::string("%20") : std::string(1, c);
            return out;
        }
        const size_t hash = href.find('#');
        const std::string fragment = hash == std::string::npos ? "" : XmlId(href.substr(hash + 1));
        std::string file = href.substr(0, hash);
        const size_t slash = file.find_last_of("/\\");
        if (slash != std::string::npos) file.erase(0, slash + 1);
        std::string target;
        if (file.empty()) {
            const auto it = idFile.find(fragment);
            if (hash == std::string::npos || it == idFile.end()) return {};
            target = it->second;
        } else if (const auto part = layout.partChapter.find(file); part != layout.partChapter.end()) {
            target = ChapterFile(part->second);
        } else if (!layout.indexName.empty() && file == layout.indexName) {
            target = std::string(kNavFile);
        } else {
            return {};
        }
        const auto it = idFile.find(fragment);
        const bool there = !fragment.empty() && it != idFile.end() && it->second == target;
        if (target == current && there) return "#" + fragment;
        return there ? target + "#" + fragment : target;
    };

    std::vector<Entry> entries;
    std::vector<std::string> chapterTitles;
    std::vector<std::string> chapterBodies;
    for (size_t n = 0; n < count; ++n) {
        std::set<std::string> used;
        options.usedIds = &used;
        current = ChapterFile(n);
        XhtmlFragment f = ToXhtml(layout.chapters[n], options);
        for (const Heading& h : f.headings) entries.push_back({h.level, current + "#" + h.id, h.label});
        chapterTitles.push_back(f.headings.empty() ? title : f.headings[0].label);
        chapterBodies.push_back(WithoutTrailingRules(std::move(f.xhtml)));
    }
    if (entries.empty()) entries.push_back({1, ChapterFile(0), title});

    std::string navBody;
    {
        std::set<std::string> used{std::string(kNavId)};
        options.usedIds = &used;
        current = std::string(kNavFile);
        const std::string before = WithoutTrailingRules(ToXhtml(layout.frontBefore, options).xhtml);
        const std::string after = ToXhtml(layout.frontAfter, options).xhtml;
        navBody = before + "\n<nav epub:type=\"toc\" id=\"" + std::string(kNavId) + "\">\n" + NavList(entries) +
                  "\n</nav>\n" + WithoutTrailingRules(after);
    }

    const std::string folder(kContentFolder);
    std::string manifest = "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" properties=\"nav\"/>\n"
                           "<item id=\"ncx\" href=\"toc.ncx\" media-type=\"application/x-dtbncx+xml\"/>\n"
                           "<item id=\"css\" href=\"style.css\" media-type=\"text/css\"/>\n" +
                           coverItem;
    std::string spine = layout.hasFront ? "<itemref idref=\"nav\"/>\n" : "";
    for (size_t n = 0; n < count; ++n) {
        manifest += "<item id=\"" + ChapterId(n) + "\" href=\"" + ChapterFile(n) +
                    "\" media-type=\"application/xhtml+xml\"/>\n";
        spine += "<itemref idref=\"" + ChapterId(n) + "\"/>\n";
    }

    std::string metadata = "<dc:identifier id=\"book-id\">" + EscapeXml(identifier) + "</dc:identifier>\n" +
                           "<dc:title id=\"title\">" + EscapeXml(title) + "</dc:title>\n";
    if (!shortTitle.empty() && shortTitle != title)
        metadata += "<meta refines=\"#title\" property=\"title-type\">main</meta>\n"
                    "<dc:title id=\"short-title\">" + EscapeXml(shortTitle) + "</dc:title>\n"
                    "<meta refines=\"#short-title\" property=\"title-type\">short</meta>\n";
    if (!author.empty()) metadata += "<dc:creator id=\"author\">" + EscapeXml(author) + "</dc:creator>\n";
    metadata += "<dc:language>" + lang + "</dc:language>\n";
    metadata += "<meta property=\"dcterms:modified\">" + PackageDate(info.modified) + "</meta>\n";
    if (!coverItem.empty()) metadata += "<meta name=\"cover\" content=\"cover-image\"/>\n";

    files.push_back({folder + "content.opf",
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\" unique-identifier=\"book-id\" "
                     "xml:lang=\"" + lang + "\">\n<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\">\n" +
                         metadata + "</metadata>\n<manifest>\n" + manifest + "</manifest>\n<spine toc=\"ncx\">\n" +
                         spine + "</spine>\n</package>\n"});

    const std::vector<int> depths = Depths(entries);
    const int maxDepth = depths.empty() ? 1 : *std::max_element(depths.begin(), depths.end()) + 1;
    files.push_back({folder + "toc.ncx",
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<ncx xmlns=\"http://www.daisy.org/z3986/2005/ncx/\" version=\"2005-1\" xml:lang=\"" + lang +
                         "\">\n<head>\n<meta name=\"dtb:uid\" content=\"" + EscapeXml(identifier) +
                         "\"/>\n<meta name=\"dtb:depth\" content=\"" + std::to_string(maxDepth) +
                         "\"/>\n<meta name=\"dtb:totalPageCount\" content=\"0\"/>\n"
                         "<meta name=\"dtb:maxPageNumber\" content=\"0\"/>\n</head>\n<docTitle><text>" +
                         EscapeXml(title) + "</text></docTitle>\n" +
                         (author.empty() ? "" : "<docAuthor><text>" + EscapeXml(author) + "</text></docAuthor>\n") +
                         "<navMap>\n" + NavPoints(entries) + "</navMap>\n</ncx>\n"});
    files.push_back({folder + "nav.xhtml", XhtmlDocument(lang, title, navBody)});
    files.push_back({folder + "style.css", std::string(kStyleSheet)});
    for (size_t n = 0; n < count; ++n)
        files.push_back({folder + ChapterFile(n), XhtmlDocument(lang, chapterTitles[n], chapterBodies[n])});
    return files;
}

bool WriteEpub(const std::string& path, const BookSource& book, std::string* error) {
    std::string why;
    const std::string bytes = ZipPackage(BuildPackage(book), book.info.modified, &why);
    if (bytes.empty()) {
        if (error) *error = "Cannot write \"" + path + "\": " + why;
        return false;
    }
    return WriteFileAtomic(path, bytes, error);
}

}  // namespace pm::epub
