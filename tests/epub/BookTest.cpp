#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "EpubHelpers.h"
#include "epub/Book.h"
#include "support/Files.h"

namespace pm::test {
namespace {

using epub::BookSource;
using epub::BuildPackage;
using epub::PackageFile;

// A document in the frame the conversion writes, entries joined by CR LF.
std::string Document(const std::vector<std::string>& body) {
    std::string doc =
        "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\"><html><head><meta name=\"Generator\" "
        "content=\"Pellmark\"><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">\r\n"
        "<title>T</title></head><body>";
    for (const std::string& line : body) doc += "\r\n" + line;
    return doc + "\r\n</body></html>";
}

BookSource Single(const std::vector<std::string>& body) {
    BookSource b;
    b.info.title = W("Тихая гавань");
    b.info.modified = 1700000000;
    b.documents.push_back({"", Document(body)});
    return b;
}

std::map<std::string, std::string> Files(const BookSource& b) {
    std::map<std::string, std::string> m;
    for (const PackageFile& f : BuildPackage(b)) m[f.name] = f.bytes;
    return m;
}

std::vector<std::string> Names(const BookSource& b) {
    std::vector<std::string> names;
    for (const PackageFile& f : BuildPackage(b)) names.push_back(f.name);
    return names;
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

void ExpectAllWellFormed(const std::map<std::string, std::string>& files) {
    for (const auto& [name, bytes] : files) {
        if (name == "mimetype" || name.ends_with(".css") || name.find("images/") != std::string::npos) continue;
        std::string why;
        EXPECT_TRUE(WellFormed(bytes, &why)) << name << ": " << why << "\n" << bytes;
    }
}

const std::vector<std::string> kBook = {
    "<a name=\"start000\"><h1>" + W("Тихая гавань") + "</h1></a>",
    "<div align=\"justify\">&nbsp;&nbsp;" + W("Андрей Северцев") + "</div>",
    "<h3><a href=\"#linktostr6\">" + W("Глава первая") + "</a></h3>",
    "<blockquote><blockquote><h3><a href=\"#linktostr8\">Sub</a></h3></blockquote></blockquote>",
    "<h3><a href=\"#linktostr10\">II&nbsp;&nbsp;&gt;&gt;&gt;</a></h3>",
    "<div align=\"justify\">&nbsp;&nbsp;" + W("Предисловие.") + "</div><hr size=\"0\">",
    "<h1 align=\"center\"><a name=\"linktostr6\">" + W("Глава первая") +
        "</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a></h1>",
    "<div align=\"justify\">&nbsp;&nbsp;One <a href=\"#linktostr10\">see II</a>.</div>",
    "<h2 align=\"center\"><a name=\"linktostr8\">Sub</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a></h2>",
    "<div align=\"justify\">&nbsp;&nbsp;Two.</div><hr size=\"0\">",
    "<h1 align=\"center\"><a name=\"linktostr10\">II</a>&nbsp;<a href=\"#start000\">&nbsp;^&nbsp;</a></h1>",
    "<div align=\"justify\">&nbsp;&nbsp;Three.</div>",
};

TEST(EpubLayout, ASingleBookIsCutAtItsLevelOneHeaders) {
    const BookSource b = Single(kBook);
    EXPECT_EQ(Names(b), (std::vector<std::string>{"mimetype", "META-INF/container.xml", "OEBPS/content.opf",
                                                  "OEBPS/toc.ncx", "OEBPS/nav.xhtml", "OEBPS/style.css",
                                                  "OEBPS/chapter-001.xhtml", "OEBPS/chapter-002.xhtml"}));
    const auto files = Files(b);
    ExpectAllWellFormed(files);
    const std::string& nav = files.at("OEBPS/nav.xhtml");
    const std::string& one = files.at("OEBPS/chapter-001.xhtml");
    const std::string& two = files.at("OEBPS/chapter-002.xhtml");
    // The front matter stays in the navigation document, the table where the
    // conversion put its own.
    const size_t author = nav.find("Андрей Северцев"), table = nav.find("<nav epub:type=\"toc\""),
                 preface = nav.find("Предисловие.");
    ASSERT_NE(table, std::string::npos);
    EXPECT_LT(author, table);
    EXPECT_LT(table, preface);
    EXPECT_NE(nav.find("<a id=\"start000\"></a><h1 id=\"h-1\">Тихая гавань</h1>"), std::string::npos);
    // The conversion's own table, the return links and the rule before a
    // chapter are gone; the chapters hold their text.
    for (const std::string* f : {&nav, &one, &two}) {
        EXPECT_EQ(f->find("<h3>"), std::string::npos);
        EXPECT_EQ(f->find("^"), std::string::npos);
        EXPECT_EQ(f->find("<hr/>\n</body>"), std::string::npos);
    }
    EXPECT_NE(one.find("One"), std::string::npos);
    EXPECT_NE(one.find("Two."), std::string::npos);
    EXPECT_EQ(one.find("Three."), std::string::npos);
    EXPECT_NE(two.find("Three."), std::string::npos);
    // A link into the next chapter goes to its file.
    EXPECT_NE(one.find("<a href=\"chapter-002.xhtml#linktostr10\">see II</a>"), std::string::npos);
    // The navigation lists the headers, nested by level.
    EXPECT_NE(nav.find("<ol>\n<li><a href=\"chapter-001.xhtml#h-1\">Глава первая</a>\n<ol>\n"
                       "<li><a href=\"chapter-001.xhtml#h-2\">Sub</a></li></ol></li>\n"
                       "<li><a href=\"chapter-002.xhtml#h-1\">II</a></li></ol>"),
              std::string::npos)
        << nav;
    const std::string& opf = files.at("OEBPS/content.opf");
    EXPECT_NE(opf.find("<spine toc=\"ncx\">\n<itemref idref=\"nav\"/>\n<itemref idref=\"chapter-001\"/>\n"
                       "<itemref idref=\"chapter-002\"/>\n</spine>"),
              std::string::npos);
}

TEST(EpubLayout, OneHeaderMakesOneChapterAndNoneLeavesTheTextWhole) {
    // The title line alone is no chapter: the text is one chapter and the
    // navigation is not a page of the book.
    const auto none = Files(Single({kBook[0], kBook[1], "<h2>Part</h2>", "<div>Text.</div>"}));
    ExpectAllWellFormed(none);
    EXPECT_EQ(none.count("OEBPS/chapter-002.xhtml"), 0u);
    EXPECT_NE(none.at("OEBPS/chapter-001.xhtml").find("Тихая гавань"), std::string::npos);
    EXPECT_NE(none.at("OEBPS/chapter-001.xhtml").find("Text."), std::string::npos);
    EXPECT_EQ(none.at("OEBPS/content.opf").find("<itemref idref=\"nav\"/>"), std::string::npos);
    EXPECT_NE(none.at("OEBPS/nav.xhtml").find("<a href=\"chapter-001.xhtml#h-2\">Part</a>"), std::string::npos);

    const auto one = Files(Single({kBook[0], kBook[1], "<h1>Only</h1>", "<div>Text.</div>"}));
    EXPECT_EQ(one.count("OEBPS/chapter-002.xhtml"), 0u);
    EXPECT_NE(one.at("OEBPS/content.opf").find("<itemref idref=\"nav\"/>"), std::string::npos);
    EXPECT_EQ(one.at("OEBPS/chapter-001.xhtml").find("Тихая гавань"), std::string::npos);

    // A book without headers still has one entry: its title.
    const auto bare = Files(Single({"<div>Just text.</div>"}));
    EXPECT_NE(bare.at("OEBPS/nav.xhtml").find("<li><a href=\"chapter-001.xhtml\">Тихая гавань</a></li>"),
              std::string::npos);
    EXPECT_NE(bare.at("OEBPS/toc.ncx").find("<content src=\"chapter-001.xhtml\"/>"), std::string::npos);
}

TEST(EpubLayout, ASplitBookKeepsItsPartsAndItsIndexBecomesTheNavigation) {
    BookSource b;
    b.split = true;
    b.info.title = "Split";
    const std::string stem = "PLMK_" + W("Гавань");
    auto nav = [&](const std::string& prev, const std::string& next) {
        std::string n;
        if (!prev.empty()) n += "&nbsp;<a href=\"" + stem + "_" + prev + ".html\">&nbsp;&lt;&lt;&nbsp;</a>";
        n += "&nbsp;<a href=\"" + stem + "__index.html\">&nbsp;^^&nbsp;</a>";
        if (!next.empty()) n += "&nbsp;<a href=\"" + stem + "_" + next + ".html\">&nbsp;&gt;&gt;&nbsp;</a>";
        return n;
    };
    b.documents.push_back({stem + "__index.html",
                           Document({"<h1>Split</h1>", "<div>Preface</div>",
                                     "<h3><a href=\"" + stem + "_001.html\">One</a></h3>",
                                     "<h3><a href=\"" + stem + "_002.html\">Two</a></h3>"})});
    b.documents.push_back({stem + "_001.html",
                           Document({"<h1 align=\"center\">One" + nav("", "002") + "</h1>",
                                     "<div>See <a href=\"" + stem + "_002.html#far\">two</a> or the "
                                     "<a href=\"" + stem + "__index.html\">index</a>.</div>",
                                     "<p>" + nav("", "002") + "</p>"})});
    b.documents.push_back({stem + "_002.html", Document({"<h1 align=\"center\">Two" + nav("001", "") + "</h1>",
                                                         "<div><a name=\"far\">Far</a></div>",
                                                         "<p>" + nav("001", "") + "</p>"})});
    const auto files = Files(b);
    ExpectAllWellFormed(files);
    const std::string& index = files.at("OEBPS/nav.xhtml");
    const std::string& one = files.at("OEBPS/chapter-001.xhtml");
    const std::string& two = files.at("OEBPS/chapter-002.xhtml");
    EXPECT_NE(index.find("Preface"), std::string::npos);
    EXPECT_EQ(index.find("<h3>"), std::string::npos);
    EXPECT_NE(index.find("<li><a href=\"chapter-001.xhtml#h-1\">One</a></li>\n"
                         "<li><a href=\"chapter-002.xhtml#h-1\">Two</a></li>"),
              std::string::npos);
    EXPECT_NE(one.find("<h1 class=\"center\" id=\"h-1\">One</h1>"), std::string::npos) << one;
    EXPECT_NE(one.find("See <a href=\"chapter-002.xhtml#far\">two</a> or the <a href=\"nav.xhtml\">index</a>."),
              std::string::npos);
    EXPECT_EQ(one.find("<p>"), std::string::npos);  // the navigation line is gone
    EXPECT_EQ(Count(one + two, "&lt;&lt;") + Count(one + two, "^^"), 0u);
    EXPECT_NE(two.find("<a id=\"far\">Far</a>"), std::string::npos);
    EXPECT_EQ(Count(files.at("OEBPS/content.opf"), "<itemref"), 3u);
}

TEST(EpubNavigation, LevelsNestAndJumpsNestOnce) {
    const auto files = Files(Single({"<h1>A</h1>", "<h3>A.1</h3>", "<h4>A.1.1</h4>", "<h3>A.2</h3>", "<h1>B</h1>",
                                     "<h2>B.1</h2>"}));
    ExpectAllWellFormed(files);
    const std::string& nav = files.at("OEBPS/nav.xhtml");
    EXPECT_NE(nav.find("<ol>\n<li><a href=\"chapter-001.xhtml#h-1\">A</a>\n<ol>\n"
                       "<li><a href=\"chapter-001.xhtml#h-2\">A.1</a>\n<ol>\n"
                       "<li><a href=\"chapter-001.xhtml#h-3\">A.1.1</a></li></ol></li>\n"
                       "<li><a href=\"chapter-001.xhtml#h-4\">A.2</a></li></ol></li>\n"
                       "<li><a href=\"chapter-002.xhtml#h-1\">B</a>\n<ol>\n"
                       "<li><a href=\"chapter-002.xhtml#h-2\">B.1</a></li></ol></li></ol>"),
              std::string::npos)
        << nav;
    const std::string& ncx = files.at("OEBPS/toc.ncx");
    EXPECT_NE(ncx.find("<meta name=\"dtb:depth\" content=\"3\"/>"), std::string::npos);
    EXPECT_EQ(Count(ncx, "<navPoint "), 6u);
    EXPECT_EQ(Count(ncx, "</navPoint>"), 6u);
    EXPECT_NE(ncx.find("playOrder=\"6\""), std::string::npos);
}

TEST(EpubMetadata, DocumentValuesFillThePackage) {
    BookSource b = Single(kBook);
    b.info.author = W("Андрей Северцев");
    b.info.shortTitle = W("Гавань");
    const std::string opf = Files(b).at("OEBPS/content.opf");
    EXPECT_NE(opf.find("<dc:title id=\"title\">Тихая гавань</dc:title>"), std::string::npos);
    EXPECT_NE(opf.find("<dc:title id=\"short-title\">Гавань</dc:title>\n"
                       "<meta refines=\"#short-title\" property=\"title-type\">short</meta>"),
              std::string::npos);
    EXPECT_NE(opf.find("<dc:creator id=\"author\">Андрей Северцев</dc:creator>"), std::string::npos);
    EXPECT_NE(opf.find("<dc:language>ru</dc:language>"), std::string::npos);
    EXPECT_NE(opf.find("<meta property=\"dcterms:modified\">2023-11-14T22:13:20Z</meta>"), std::string::npos);
    EXPECT_NE(opf.find("<dc:identifier id=\"book-id\">urn:uuid:"), std::string::npos);

    // Only a short title that differs is named; no author, no creator.
    b.info.shortTitle = b.info.title;
    b.info.author.clear();
    const std::string plain = Files(b).at("OEBPS/content.opf");
    EXPECT_EQ(plain.find("short-title"), std::string::npos);
    EXPECT_EQ(plain.find("dc:creator"), std::string::npos);
}

TEST(EpubMetadata, TitleFallsBackToShortTitleThenFileName) {
    BookSource b = Single({"<div>x</div>"});
    b.info.title = "  ";
    b.info.shortTitle = "Short";
    b.info.fallbackTitle = "file";
    EXPECT_NE(Files(b).at("OEBPS/content.opf").find("<dc:title id=\"title\">Short</dc:title>"), std::string::npos);
    b.info.shortTitle.clear();
    EXPECT_NE(Files(b).at("OEBPS/content.opf").find("<dc:title id=\"title\">file</dc:title>"), std::string::npos);
    b.info.fallbackTitle.clear();
    EXPECT_NE(Files(b).at("OEBPS/content.opf").find("<dc:title id=\"title\">Book</dc:title>"), std::string::npos);
    // Markup characters of a title are escaped.
    b.info.title = "A & <B>";
    EXPECT_NE(Files(b).at("OEBPS/content.opf").find("<dc:title id=\"title\">A &amp; &lt;B&gt;</dc:title>"),
              std::string::npos);
}

TEST(EpubMetadata, LanguageGoesByTheLettersOfTheText) {
    // Tags and references do not count; equal counts are Russian.
    EXPECT_EQ(epub::DetectLanguage(Single({"<div align=\"justify\">&nbsp;" + W("абв") + " abc</div>"})), "ru");
    EXPECT_EQ(epub::DetectLanguage(Single({"<div>" + W("абв") + " abcd</div>"})), "en");
    EXPECT_EQ(epub::DetectLanguage(Single({"<div>" + W("абвг") + " abcd</div>"})), "ru");
    BookSource english = Single({"<div>An English book with a word or two " + W("по-русски") + ".</div>"});
    const auto files = Files(english);
    EXPECT_NE(files.at("OEBPS/content.opf").find("<dc:language>en</dc:language>"), std::string::npos);
    EXPECT_NE(files.at("OEBPS/chapter-001.xhtml").find("lang=\"en\" xml:lang=\"en\""), std::string::npos);
    english.info.language = "ru";  // a language given is taken as it is
    EXPECT_NE(Files(english).at("OEBPS/content.opf").find("<dc:language>ru</dc:language>"), std::string::npos);
}

TEST(EpubMetadata, IdentifierIsTheSameForTheSameBook) {
    const BookSource a = Single(kBook);
    BookSource b = Single(kBook);
    b.info.modified = 1;  // the date does not make another book
    EXPECT_EQ(epub::StableIdentifier(a), epub::StableIdentifier(b));
    const std::string id = epub::StableIdentifier(a);
    ASSERT_EQ(id.size(), 45u);
    EXPECT_EQ(id.substr(0, 9), "urn:uuid:");
    EXPECT_EQ(id[23], '8');  // version
    EXPECT_NE(std::string("89ab").find(id[28]), std::string::npos);  // variant
    b.documents[0].html += " ";
    EXPECT_NE(epub::StableIdentifier(a), epub::StableIdentifier(b));
    BookSource c = Single(kBook);
    c.info.author = "Someone";
    EXPECT_NE(epub::StableIdentifier(a), epub::StableIdentifier(c));
    EXPECT_EQ(epub::PackageDate(0), "1970-01-01T00:00:00Z");
}

class Scratch {
public:
    Scratch() {
        std::string t = (std::filesystem::temp_directory_path() / "pm-epub-XXXXXX").string();
        path_ = ::mkdtemp(t.data());
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string operator/(const std::string& n) const { return (path_ / n).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

TEST(EpubCover, TheTitlePictureBecomesTheCover) {
    Scratch dir;
    Spit(dir / "cover.JPG", "\xFF\xD8\xFF jpeg bytes");
    BookSource b = Single({"<img src=\"cover.JPG\" border=\"0\"><hr size=\"0\">", kBook[0], kBook[6], kBook[7]});
    b.info.coverSrc = "cover.JPG";
    b.info.coverPath = dir / "cover.JPG";
    const auto files = Files(b);
    ExpectAllWellFormed(files);
    EXPECT_EQ(files.at("OEBPS/images/cover.jpg"), "\xFF\xD8\xFF jpeg bytes");
    const std::string& opf = files.at("OEBPS/content.opf");
    EXPECT_NE(opf.find("<item id=\"cover-image\" href=\"images/cover.jpg\" media-type=\"image/jpeg\" "
                       "properties=\"cover-image\"/>"),
              std::string::npos);
    EXPECT_NE(opf.find("<meta name=\"cover\" content=\"cover-image\"/>"), std::string::npos);
    EXPECT_NE(files.at("OEBPS/nav.xhtml").find("<img src=\"images/cover.jpg\" alt=\"\"/>"), std::string::npos);

    // A missing file or a kind of picture a reader need not show: no cover.
    for (const std::string& path : {dir / "missing.jpg", dir / "cover.bmp"}) {
        Spit(dir / "cover.bmp", "BM");
        b.info.coverPath = path;
        const auto without = Files(b);
        EXPECT_EQ(without.at("OEBPS/content.opf").find("cover-image"), std::string::npos) << path;
        EXPECT_EQ(without.at("OEBPS/nav.xhtml").find("<img"), std::string::npos) << path;
    }
}

TEST(EpubContainer, MimetypeComesFirstAndStored) {
    const std::vector<PackageFile> files = BuildPackage(Single(kBook));
    std::string error;
    const std::string zip = epub::ZipPackage(files, 1700000000, &error);
    ASSERT_FALSE(zip.empty()) << error;
    // The local header of the first entry: name "mimetype", method 0 (stored),
    // no extra field, then the bytes themselves at offset 38.
    ASSERT_GT(zip.size(), 58u);
    EXPECT_EQ(zip.substr(0, 4), "PK\x03\x04");
    EXPECT_EQ(zip[8], 0);
    EXPECT_EQ(zip[9], 0);
    EXPECT_EQ(zip[26], 8);
    EXPECT_EQ(zip[28], 0);
    EXPECT_EQ(zip[29], 0);
    EXPECT_EQ(zip.substr(30, 28), "mimetypeapplication/epub+zip");
    const std::vector<ZipEntry> back = Unzip(zip);
    ASSERT_EQ(back.size(), files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(back[i].name, files[i].name);
        EXPECT_EQ(back[i].bytes, files[i].bytes);
        EXPECT_EQ(back[i].compression, i == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE) << files[i].name;
    }
    // The same book makes the same bytes.
    EXPECT_EQ(epub::ZipPackage(files, 1700000000, &error), zip);
}

TEST(EpubContainer, WritingReplacesTheFileOnlyWhenDone) {
    Scratch dir;
    const BookSource b = Single(kBook);
    std::string error;
    ASSERT_TRUE(epub::WriteEpub(dir / "book.epub", b, &error)) << error;
    EXPECT_EQ(Unzip(Slurp(dir / "book.epub")).size(), BuildPackage(b).size());
    // A name as long as a name may be leaves no room for the temporary
    // file: the old book stays as it was.
    const std::string longName = dir / std::string(255, 'e');
    Spit(longName, "old");
    EXPECT_FALSE(epub::WriteEpub(longName, b, &error));
    EXPECT_NE(error.find(longName), std::string::npos);
    EXPECT_EQ(Slurp(longName), "old");
    size_t entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
    EXPECT_EQ(entries, 2u);  // no temporary file left behind
}

}  // namespace
}  // namespace pm::test
