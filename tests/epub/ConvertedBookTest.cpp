// Real conversions made into books: the sample book, the same book split by
// its table of contents, and an HTML page. Every content document must be
// well-formed, and epubcheck (when installed) must find nothing.
#include <gtest/gtest.h>
#include <libxml/HTMLparser.h>

#include <filesystem>
#include <functional>

#include "EpubHelpers.h"
#include "app/EpubExport.h"
#include "app/TMain.h"
#include "output/Utf8Output.h"
#include "platform/ScriptedQuestions.h"
#include "support/Files.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

class Scratch {
public:
    Scratch() {
        std::string t = (fs::temp_directory_path() / "pm-epub-book-XXXXXX").string();
        path_ = ::mkdtemp(t.data());
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string operator/(const std::string& n) const { return (path_ / n).string(); }

private:
    fs::path path_;
};

struct Converted {
    ConfigTree tree;
    ScriptedQuestions questions;
    TMain main{tree, MainUi{.questions = &questions}, "/opt/pellmark"};

    Converted(const std::string& source, const std::function<void(TMain&)>& tweak = {}) {
        main.Start();
        if (tweak) tweak(main);
        EXPECT_TRUE(main.LoadSrc(source));
        EXPECT_TRUE(main.HasResult());
    }
    ~Converted() { main.Shutdown(); }
};

std::string SampleBook() { return std::string(PM_TEST_DATA) + "/russian-book.txt"; }

// Saves the book, reads it back and checks every XML document in it.
std::map<std::string, std::string> SaveAndCheck(TMain& main, const std::string& path) {
    std::string error;
    EXPECT_TRUE(main.SaveResultAs(path, SaveFormat::Epub, &error)) << error;
    const std::vector<ZipEntry> entries = Unzip(Slurp(path));
    EXPECT_FALSE(entries.empty());
    if (entries.empty()) return {};
    EXPECT_EQ(entries[0].name, "mimetype");
    for (const ZipEntry& e : entries) {
        if (!e.name.ends_with(".xhtml") && !e.name.ends_with(".opf") && !e.name.ends_with(".ncx") &&
            !e.name.ends_with(".xml"))
            continue;
        std::string why;
        EXPECT_TRUE(WellFormed(e.bytes, &why)) << e.name << ": " << why;
    }
    int code = -1;
    if (const std::optional<std::string> report = Epubcheck(path, code)) {
        EXPECT_EQ(code, 0) << *report;
        EXPECT_NE(report->find("No errors or warnings detected"), std::string::npos) << *report;
    } else {
        std::printf("epubcheck is not installed: %s checked for well-formedness only\n", path.c_str());
    }
    return EntryMap(entries);
}

TEST(ConvertedBook, TheSampleBookWithEpigraphsAndSoftHyphens) {
    Scratch dir;
    Converted book(SampleBook(), [](TMain& m) {
        m.settings.DetectEpigraphs = true;
        m.settings.Hyphenate = true;
        m.settings.HyphFont = "totaly &shy;";
    });
    book.main.doc.title = W("Тихая гавань");
    book.main.doc.author = W("Андрей Северцев");
    const auto files = SaveAndCheck(book.main, dir / "book.epub");
    ASSERT_EQ(files.count("OEBPS/chapter-004.xhtml"), 1u);
    EXPECT_EQ(files.count("OEBPS/chapter-005.xhtml"), 0u);
    const std::string& one = files.at("OEBPS/chapter-001.xhtml");
    EXPECT_NE(one.find("<blockquote class=\"epigraph\"><i>Вода помнит всё"), std::string::npos) << one;
    EXPECT_NE(one.find("прис\u00ADтани"), std::string::npos);  // the soft hyphens stay
    const std::string& nav = files.at("OEBPS/nav.xhtml");
    for (const char* chapter : {"Глава первая", "Глава вторая", "Глава третья", "Глава четвёртая"})
        EXPECT_NE(nav.find(chapter), std::string::npos) << chapter;
    const std::string& opf = files.at("OEBPS/content.opf");
    EXPECT_NE(opf.find("<dc:title id=\"title\">Тихая гавань</dc:title>"), std::string::npos);
    EXPECT_NE(opf.find("<dc:creator id=\"author\">Андрей Северцев</dc:creator>"), std::string::npos);
    EXPECT_NE(opf.find("<dc:language>ru</dc:language>"), std::string::npos);
}

TEST(ConvertedBook, ASplitBookMakesOneDocumentPerPart) {
    Scratch dir;
    fs::copy_file(SampleBook(), dir / "book.txt");
    Converted book(dir / "book.txt", [](TMain& m) {
        m.settings.BreakTextApartByToc = true;
        m.doc.shortTitle = W("Тихая гавань");
    });
    ASSERT_EQ(book.main.files.partFiles.size(), 5u);  // four parts and the index
    const auto files = SaveAndCheck(book.main, dir / "split.epub");
    ASSERT_EQ(files.count("OEBPS/chapter-004.xhtml"), 1u);
    const std::string& nav = files.at("OEBPS/nav.xhtml");
    EXPECT_NE(nav.find("Эту повесть я начал писать"), std::string::npos);  // the index's preface
    EXPECT_NE(nav.find("<li><a href=\"chapter-002.xhtml#h-1\">Глава вторая</a></li>"), std::string::npos) << nav;
    for (int n = 1; n <= 4; ++n) {
        const std::string& part = files.at("OEBPS/chapter-00" + std::to_string(n) + ".xhtml");
        EXPECT_EQ(part.find("&gt;&gt;"), std::string::npos);  // no part navigation links
        EXPECT_EQ(part.find("PLMK_"), std::string::npos);
    }

    // The setting turned off after the conversion: the result is still the
    // split one, so the book still holds every part.
    book.main.settings.BreakTextApartByToc = false;
    const auto again = SaveAndCheck(book.main, dir / "again.epub");
    ASSERT_EQ(again.count("OEBPS/chapter-004.xhtml"), 1u);
    EXPECT_NE(again.at("OEBPS/chapter-004.xhtml").find("Глава четвёртая"), std::string::npos);
}

TEST(ConvertedBook, AnHtmlPage) {
    Scratch dir;
    Converted page(std::string(PM_TEST_DATA) + "/html-page.html");
    const auto files = SaveAndCheck(page.main, dir / "page.epub");
    ASSERT_EQ(files.count("OEBPS/chapter-001.xhtml"), 1u);
    const std::string& text = files.at("OEBPS/chapter-001.xhtml");
    EXPECT_NE(text.find("Под окном цвела сирень."), std::string::npos);
    EXPECT_EQ(text.find("<script"), std::string::npos);
    EXPECT_EQ(text.find("<table"), std::string::npos);
}

TEST(ConvertedBook, TheTitlePictureBesideTheSourceBecomesTheCover) {
    Scratch dir;
    fs::copy_file(SampleBook(), dir / "book.txt");
    Spit(dir / "обложка.png", "\x89PNG picture");
    Converted book(dir / "book.txt", [](TMain& m) { m.doc.coverImage = W("обложка.png"); });
    epub::BookSource source;
    std::string error;
    ASSERT_TRUE(EpubSourceOf(book.main, source, &error)) << error;
    EXPECT_EQ(source.info.coverPath, dir / "обложка.png");
    EXPECT_EQ(source.info.fallbackTitle, "book");
    ASSERT_TRUE(book.main.SaveResultAs(dir / "book.epub", SaveFormat::Epub, &error)) << error;
    const auto files = EntryMap(Unzip(Slurp(dir / "book.epub")));
    EXPECT_EQ(files.at("OEBPS/images/cover.png"), "\x89PNG picture");
    EXPECT_NE(files.at("OEBPS/nav.xhtml").find("<img src=\"images/cover.png\""), std::string::npos);
}

// The text a browser shows of an HTML document, read by libxml2's HTML
// parser in the code page the document declares.
std::string RenderedText(const std::string& html) {
    htmlDocPtr doc = htmlReadMemory(html.data(), static_cast<int>(html.size()), "page.html", nullptr,
                                    HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING);
    if (!doc) return {};
    xmlChar* content = xmlNodeGetContent(xmlDocGetRootElement(doc));
    std::string text = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    xmlFreeDoc(doc);
    return text;
}

TEST(Utf8Html, TheSampleBookReadsTheSameInBothCodePages) {
    Converted book(SampleBook());
    const std::string cp1251 = book.main.DocumentText();
    const std::string utf8 = Utf8Document(cp1251);
    ASSERT_NE(utf8.find("charset=utf-8\">"), std::string::npos);
    const std::string shown = RenderedText(cp1251);
    EXPECT_NE(shown.find("Глава четвёртая"), std::string::npos);
    EXPECT_EQ(RenderedText(utf8), shown);
    // The changed charset is what makes it so: the same bytes declared
    // Windows-1251 read as something else.
    std::string wrong = utf8;
    wrong.replace(wrong.find("charset=utf-8"), 13, "charset=windows-1251");
    EXPECT_NE(RenderedText(wrong), shown);
}

}  // namespace
}  // namespace pm::test
