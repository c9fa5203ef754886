// The save dialog's EPUB filter and the UTF-8 output setting.
#include <gtest/gtest.h>

#include "OutputHelpers.h"
#include "common/Cp1251.h"
#include "output/Footer.h"
#include "output/Utf8Output.h"

namespace pm::test {
namespace {

const std::string kPage =
    "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"><title>T</title>"
    "</head><body>";

TEST(SaveEpub, TheThirdFilterWritesAnEpubBook) {
    ScratchDir dir;
    Window w;
    w.PublishDocument("<h1>One</h1>\r\n<div>\xD2\xE5\xEA\xF1\xF2</div>");
    w.dialogs.saves.push_back({dir / "book", 3});
    w.main.SaveHTML();
    ASSERT_EQ(w.dialogs.requests.size(), 1u);
    EXPECT_EQ(w.dialogs.requests[0].filter,
              "Save as HTML document|*.html;*.htm|Save as plain text|*.txt|EPUB book|*.epub");
    EXPECT_FALSE(std::filesystem::exists(dir / "book.html"));
    const std::string epub = Slurp(dir / "book.epub");
    ASSERT_GT(epub.size(), 58u);
    EXPECT_EQ(epub.substr(0, 4), "PK\x03\x04");
    EXPECT_EQ(epub.substr(30, 28), "mimetypeapplication/epub+zip");
    EXPECT_EQ(w.questions.CountAsked("message"), 0u);
    // A name with its own extension keeps it.
    w.dialogs.saves.push_back({dir / "book.zip", 3});
    w.main.SaveHTML();
    EXPECT_EQ(Slurp(dir / "book.zip").substr(0, 4), "PK\x03\x04");
}

TEST(SaveEpub, FailureIsReportedAndNothingWithoutAResult) {
    ScratchDir dir;
    Window w;
    std::string error;
    EXPECT_FALSE(w.main.SaveResultAs(dir / "none.epub", SaveFormat::Epub, &error));
    EXPECT_FALSE(std::filesystem::exists(dir / "none.epub"));
    w.PublishDocument();
    w.dialogs.saves.push_back({dir / "missing/folder/book", 3});
    w.main.SaveHTML();
    ASSERT_EQ(w.questions.CountAsked("message"), 1u);
    EXPECT_NE(w.questions.asked[0].text.find("book.epub"), std::string::npos);
}

TEST(SaveUtf8, TheSettingTurnsHtmlAndTextIntoUtf8) {
    ScratchDir dir;
    Window w;
    w.PublishDocument("<div>\xD2\xE5\xEA\xF1\xF2 &amp; more</div>");
    w.main.SaveHTML();  // cancelled: only the filters are looked at
    // Off by default: Windows-1251 bytes, as before.
    EXPECT_FALSE(w.main.settings.OutputUtf8);
    ASSERT_TRUE(w.main.SaveResultAs(dir / "cp.html", SaveFormat::Html, nullptr));
    EXPECT_NE(Slurp(dir / "cp.html").find("\xD2\xE5\xEA\xF1\xF2"), std::string::npos);

    w.main.settings.OutputUtf8 = true;
    ASSERT_TRUE(w.main.SaveResultAs(dir / "u.html", SaveFormat::Html, nullptr));
    const std::string html = Slurp(dir / "u.html");
    EXPECT_EQ(html, Utf8Document(Slurp(dir / "cp.html")));
    EXPECT_NE(html.find("Текст &amp; more"), std::string::npos);
    ASSERT_TRUE(w.main.SaveResultAs(dir / "u.txt", SaveFormat::PlainText, nullptr));
    EXPECT_EQ(Slurp(dir / "u.txt"), "Текст & more\n\r" + PlainTextCredit());
}

TEST(SaveUtf8, PartFilesAreConvertedWhenCopied) {
    ScratchDir src, dst;
    Window w;
    ASSERT_TRUE(WriteFileAtomic(src / "part.html", kPage + "\xC0</body></html>"));
    w.main.files.partFiles.push_back(src / "part.html");
    w.main.settings.OutputUtf8 = true;
    ASSERT_TRUE(w.main.CopyPartFilesTo(dst.path().string(), nullptr));
    EXPECT_NE(Slurp(dst / "part.html").find("charset=utf-8\"><title>T</title></head><body>А</body>"),
              std::string::npos);
}

TEST(Utf8Document, TheDeclaredCodePageFollowsTheBytes) {
    EXPECT_EQ(Utf8Document(kPage + "\xC0\xE1</body></html>"),
              "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><title>T</title>"
              "</head><body>Аб</body></html>");
    // Any spelling of the value and its quoting.
    EXPECT_EQ(Utf8Document("<head><META CHARSET=Windows-1251></head>"), "<head><META CHARSET=utf-8></head>");
    EXPECT_EQ(Utf8Document("<head><meta charset='cp1251'/></head>"), "<head><meta charset='utf-8'/></head>");
    EXPECT_EQ(Utf8Document("<head><meta content=\"text/html; Charset=koi8-r; x\"></head>"),
              "<head><meta content=\"text/html; Charset=utf-8; x\"></head>");
    // A charset in the text of the body is the book's, not the page's.
    EXPECT_EQ(Utf8Document("<html><head><title>t</title></head><body>charset=windows-1251</body>"),
              "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"><title>t</title>"
              "</head><body>charset=windows-1251</body>");
    // XML declares its encoding in the declaration.
    EXPECT_EQ(Utf8Document("<?xml version=\"1.0\" encoding=\"windows-1251\"?><book>\xC0</book>"),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?><book>А</book>");
    // Nothing to declare it in: the text alone.
    EXPECT_EQ(Utf8Document("\xC0 plain"), "А plain");
    // Text or off: as asked.
    EXPECT_EQ(InOutputCodePage("\xC0 charset=x", true, true), "А charset=x");
    EXPECT_EQ(InOutputCodePage("\xC0", false, false), "\xC0");
}

}  // namespace
}  // namespace pm::test
