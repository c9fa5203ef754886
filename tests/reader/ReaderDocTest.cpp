// The reader's logic over a headless view: opening, restoring, saving,
// following navigations, notes and bookmarks.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/HeadlessHtmlView.h"
#include "platform/ScriptedQuestions.h"
#include "reader/ReaderDoc.h"
#include "support/Files.h"
#include "support/TempFolder.h"

using namespace pm;
using namespace pm::reader;
using pm::test::Slurp;
using pm::test::Spit;
namespace fs = std::filesystem;

namespace {

const std::string kHead =
    "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\"><html><head>"
    "<meta name=\"Generator\" content=\"Pellmark\"><title>T</title></head>";

class Host : public ReaderHost, public HtmlViewEvents {
public:
    HeadlessHtmlView view;
    ReaderDoc* doc = nullptr;
    int mode = 0;
    std::vector<std::string> edited;
    int bookmarkChanges = 0, recentChanges = 0, beeps = 0;
    std::string caption;

    HtmlView* CurrentView() override { return &view; }
    int Mode() const override { return mode; }
    void SwitchMode(int m) override { mode = m; }
    void OpenForEditing(const std::string& path) override {
        edited.push_back(path);
        mode = 0;
    }
    void BookmarksChanged() override { ++bookmarkChanges; }
    void RecentBooksChanged() override { ++recentChanges; }
    void SetCaption(const std::string& c) override { caption = c; }
    void Beep() override { ++beeps; }
    void BeforeNavigate(const std::string& url, bool& cancel) override { doc->BeforeNavigate(url, cancel); }
    void DocumentComplete(const std::string& url) override { doc->DocumentComplete(url); }
};

class Windows : public ReaderWindows {
public:
    std::optional<std::vector<std::string>> note;
    std::optional<std::string> name;
    std::optional<std::vector<Bookmark>> managed;
    std::vector<std::string> suggestions;
    int notesAsked = 0, managerShown = 0;

    std::optional<std::vector<std::string>> AskNote() override {
        ++notesAsked;
        return note;
    }
    std::optional<std::string> AskBookmarkName(const std::string& suggestion) override {
        suggestions.push_back(suggestion);
        return name;
    }
    std::optional<std::vector<Bookmark>> ManageBookmarks(const std::vector<Bookmark>&) override {
        ++managerShown;
        return managed;
    }
};

class StatusLines : public StatusSink {
public:
    std::vector<std::string> lines;
    void Status(const std::string& t) override { lines.push_back(t); }
    void Progress(const std::string&) override {}
};

class ReaderDocTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.view.SetEvents(&host);
        host.view.scrollHeight = 10000;
        host.doc = &doc;
        doc.SetIdOffsetSource([this] { return idOffset; });
        doc.SettingsLoaded();
        doc.StartFinished();
    }
    std::string Book(const std::string& name, const std::string& body, const std::string& extra = "") {
        return folder.Write(name, kHead + "<body>" + body + extra + "</body></html>\r\n");
    }

    pm::test::TempFolder folder{"pm-reader"};
    fs::path dir = folder.path();
    Settings settings;
    Texts texts;
    InterfaceTexts uiTexts;
    Templates templates;
    ScriptedQuestions questions;
    StatusLines status;
    Host host;
    Windows windows;
    int idOffset = 0;
    ReaderDoc doc{ReaderContext{settings, texts, uiTexts, templates, questions, status, nullptr}, host, windows};
};

}  // namespace

TEST_F(ReaderDocTest, OpenTakesHeadTailAndBookmarks) {
    const std::string path = Book("a.html", "<p>text</p>", BookmarkBlock({{9, "nine"}}, 0));
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, path));
    EXPECT_EQ(host.mode, 2);
    EXPECT_EQ(doc.HeadText(), kHead);
    EXPECT_EQ(doc.TailText(), "</html>\r\n");
    EXPECT_EQ(doc.Bookmarks(), (std::vector<Bookmark>{{9, "nine"}}));
    EXPECT_EQ(doc.BookPath(), path);
    EXPECT_EQ(settings.LastReaderFile, path);
    EXPECT_EQ(settings.recent[0].path, path);
    EXPECT_EQ(host.caption, "Pellmark (reader) - a.html");
    EXPECT_EQ(host.recentChanges, 2);  // at start and after the open
    EXPECT_EQ(host.view.navigations.back(), path);
    EXPECT_EQ(status.lines.front(), "CurrentTask: Loading text into browser");
    EXPECT_EQ(status.lines.back(), "CurrentTask: Ready");
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(ReaderDocTest, ForeignBookAsksFirst) {
    const std::string a = Book("a.html", "A", BookmarkBlock({{1, "a mark"}}, 0));
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    const fs::path p = dir / "foreign.html";
    Spit(p, "<html><head><title>F</title></head><body>plain page</body></html>");
    questions.formattingChoice = FormattingDetectedAnswer::Choice::Cancel;
    EXPECT_FALSE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, p.string()));
    ASSERT_EQ(questions.CountAsked("notconverted"), 1u);
    EXPECT_EQ(questions.asked.back().text, "This document was NOT yet formated with Pellmark program.");
    EXPECT_TRUE(host.edited.empty());
    EXPECT_EQ(settings.OpenForEditingNotConverted, 0);
    // Refused: the book shown is still the reader's, whole.
    EXPECT_EQ(doc.BookPath(), a);
    EXPECT_EQ(doc.HeadText(), kHead);
    EXPECT_EQ(doc.Bookmarks(), (std::vector<Bookmark>{{1, "a mark"}}));
    EXPECT_EQ(settings.LastReaderFile, a);

    questions.formattingChoice = FormattingDetectedAnswer::Choice::OpenForReading;
    questions.neverAskFormatting = true;
    EXPECT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, p.string()));
    EXPECT_EQ(settings.OpenForEditingNotConverted, 2);
    // Read from now on without a question.
    EXPECT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, p.string()));
    EXPECT_EQ(questions.CountAsked("notconverted"), 2u);
}

TEST_F(ReaderDocTest, ForeignBookChosenForEditing) {
    const fs::path p = dir / "foreign.html";
    Spit(p, "<html><body>plain page</body></html>");
    questions.formattingChoice = FormattingDetectedAnswer::Choice::OpenForEditing;
    EXPECT_FALSE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, p.string()));
    EXPECT_EQ(host.edited.size(), 1u);
    EXPECT_EQ(settings.OpenForEditingNotConverted, 0);
}

TEST_F(ReaderDocTest, UnreadableBookChangesNothing) {
    const std::string a = Book("a.html", "A", BookmarkBlock({{1, "a mark"}}, 0));
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    EXPECT_FALSE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, (dir / "missing.html").string()));
    EXPECT_EQ(questions.CountAsked("message"), 1u);
    EXPECT_NE(questions.asked.back().text.find("missing.html"), std::string::npos);
    EXPECT_EQ(doc.BookPath(), a);
    EXPECT_EQ(doc.HeadText(), kHead);
    EXPECT_EQ(doc.Bookmarks(), (std::vector<Bookmark>{{1, "a mark"}}));
    EXPECT_EQ(settings.LastReaderFile, a);
    EXPECT_FALSE(doc.Recent().Find((dir / "missing.html").string()));
}

TEST_F(ReaderDocTest, BadBookmarkIdIsSkippedNotFatal) {
    const std::string a = Book("a.html", "A",
                               "<!-- Vorn's Pellmark bookmarks \n\r<BOOKMARK ID=\"x1\" NM=\"bad\">\n\r"
                               "<BOOKMARK ID=\"4\" NM=\"good\">\n\r Vorn's Pellmark bookmarks -->");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    EXPECT_EQ(doc.Bookmarks(), (std::vector<Bookmark>{{4, "good"}}));
}

// A Windows-1251 book that loads a UTF-8 script is still Windows-1251:
// its text is written back in its own code page, not re-encoded.
TEST_F(ReaderDocTest, BookWithAUtf8ScriptStaysWindows1251) {
    const std::string head =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"
        "<meta name=\"Generator\" content=\"Pellmark\"><script charset=\"utf-8\" src=\"a.js\"></script></head>";
    const std::string body = "<body><p>\xCC\xE0\xF2\xE2\xE5\xE9</p>";  // "Матвей"
    const std::string a = folder.Write("a.html", head + body + BookmarkBlock({{5, "\xC3\xEB\xE0\xE2\xE0"}}, 0) + "</html>");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    EXPECT_EQ(doc.Bookmarks(), (std::vector<Bookmark>{{5, "\xC3\xEB\xE0\xE2\xE0"}}));
    ASSERT_TRUE(doc.SaveReaderDoc());
    EXPECT_EQ(Slurp(a), head + body + BookmarkBlock({{5, "\xC3\xEB\xE0\xE2\xE0"}}, 0) + "</html>");
}

TEST_F(ReaderDocTest, PositionFromTheListComesFirst) {
    const std::string a = Book("a.html", "A", BookmarkBlock({}, 1073741824));
    settings.recent[0] = {a, 429496729};  // a fifth
    doc.SettingsLoaded();
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    EXPECT_EQ(host.view.scrollY, 2000);
    EXPECT_EQ(doc.PendingPosition(), 2000);
    EXPECT_TRUE(questions.asked.empty());
}

TEST_F(ReaderDocTest, StoredPositionSkippedOrTakenWithoutAsking) {
    const std::string a = Book("a.html", "A", BookmarkBlock({}, 1073741824));
    questions.proceedLargeFile = false;
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    EXPECT_EQ(host.view.scrollY, 0);
    // "Never ask me again" with Skip still means: jump from now on.
    questions.neverAskLargeFile = true;
    doc.ForgetChanges();
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    EXPECT_EQ(host.view.scrollY, 0);
    EXPECT_EQ(settings.AutobookmarksBehavior, 1);
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    EXPECT_EQ(host.view.scrollY, 5000);
    EXPECT_EQ(questions.CountAsked("large"), 2u);
}

TEST_F(ReaderDocTest, InvalidStoredPositionOpensAtTheTop) {
    const std::string a = Book("a.html", "A", "<!-- Vorn's Pellmark position=\"12z\" --></body>");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    EXPECT_EQ(host.view.scrollY, 0);
    EXPECT_EQ(questions.CountAsked("large"), 0u);
}

TEST_F(ReaderDocTest, ReopenAtStartRestoresNothing) {
    ReaderDoc fresh{ReaderContext{settings, texts, uiTexts, templates, questions, status, nullptr}, host, windows};
    host.doc = &fresh;
    const std::string a = Book("a.html", "A", BookmarkBlock({}, 1073741824));
    settings.recent[0] = {a, 429496729};
    fresh.SettingsLoaded();
    ASSERT_TRUE(fresh.ReopenAtStart(a));
    EXPECT_EQ(host.mode, 2);
    EXPECT_EQ(host.view.scrollY, 0);
    EXPECT_TRUE(questions.asked.empty());
}

// The pixels of the last run come back from 100 on, in steps the view can
// take, to the book reopened at start.
TEST_F(ReaderDocTest, StartPositionInPixelsFromAHundredOn) {
    const std::string a = Book("a.html", "A");
    host.view.scrollHeight = 100000;
    for (int32_t stored : {99, 100, 30000, 30001, 64321}) {
        ReaderDoc fresh{ReaderContext{settings, texts, uiTexts, templates, questions, status, nullptr}, host, windows};
        host.doc = &fresh;
        settings.LastReadedDocPos = stored;
        fresh.SettingsLoaded();
        ASSERT_TRUE(fresh.ReopenAtStart(a));
        fresh.StartFinished();
        EXPECT_EQ(host.view.scrollY, 0);
        fresh.RestoreStartPos();
        EXPECT_EQ(host.view.scrollY, stored < 100 ? 0 : stored) << stored;
        // Once only.
        fresh.RestoreStartPos();
        EXPECT_EQ(host.view.scrollY, stored < 100 ? 0 : stored) << stored;
    }
}

// A book named on the command line is opened after the start, before the
// splash window closes: it keeps the place restored for it, and never takes
// the pixel offset that the last run left in another book.
TEST_F(ReaderDocTest, StartPositionIsNotLaidOnABookOpenedOtherwise) {
    const std::string a = Book("a.html", "A");
    const std::string b = Book("b.html", "B");
    settings.recent[0] = {a, 429496729};  // a fifth: 2000 pixels
    settings.LastReadedDocPos = 3000;
    ReaderDoc fresh{ReaderContext{settings, texts, uiTexts, templates, questions, status, nullptr}, host, windows};
    host.doc = &fresh;
    fresh.SettingsLoaded();
    fresh.StartFinished();
    ASSERT_TRUE(fresh.OpenForReading(ReaderDoc::OpenKind::CommandLine, a));
    EXPECT_EQ(host.view.scrollY, 2000);
    fresh.RestoreStartPos();
    EXPECT_EQ(host.view.scrollY, 2000);

    ReaderDoc other{ReaderContext{settings, texts, uiTexts, templates, questions, status, nullptr}, host, windows};
    host.doc = &other;
    other.SettingsLoaded();
    other.StartFinished();
    ASSERT_TRUE(other.OpenForReading(ReaderDoc::OpenKind::CommandLine, b));  // no place known
    EXPECT_EQ(host.view.scrollY, 0);
    other.RestoreStartPos();
    EXPECT_EQ(host.view.scrollY, 0);
}

TEST_F(ReaderDocTest, VanishedFolderFailsTheSave) {
    const fs::path sub = dir / "sub";
    fs::create_directory(sub);
    const std::string a = Book("sub/a.html", "x");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    fs::remove_all(sub);
    EXPECT_FALSE(doc.SaveReaderDoc());
    EXPECT_EQ(questions.CountAsked("message"), 1u);
}

TEST_F(ReaderDocTest, NothingIsWrittenOverABookNotShown) {
    const std::string a = Book("a.html", "x");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    const std::string before = Slurp(a);
    host.view.Navigate("about:blank");
    EXPECT_TRUE(doc.SaveReaderDoc());
    EXPECT_EQ(Slurp(a), before);
}

TEST_F(ReaderDocTest, APageThatDidNotLoadIsNeverWrittenOverTheBook) {
    const std::string a = Book("a.html", "<p>text</p>");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    const std::string before = Slurp(a);
    // The file goes and the page is reloaded: the browser's error page
    // stands under the book's address.
    fs::remove(a);
    host.view.Reload();
    ASSERT_TRUE(host.view.LoadFailed());
    EXPECT_TRUE(doc.SaveReaderDoc());
    EXPECT_FALSE(fs::exists(a));
    // Back again and reloaded, the book is saved as before.
    Spit(a, before);
    host.view.Reload();
    EXPECT_FALSE(host.view.LoadFailed());
    EXPECT_TRUE(doc.SaveReaderDoc());
    EXPECT_NE(Slurp(a).find("<p>text</p>"), std::string::npos);
}

TEST_F(ReaderDocTest, QuestionsBeforeLeavingAChangedPage) {
    const std::string a = Book("a.html", "A");
    const std::string b = Book("b.html", "B");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    doc.MarkChanged();
    questions.yesNoCancel = YesNoCancel::Cancel;
    EXPECT_FALSE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, b));
    EXPECT_EQ(doc.BookPath(), a);
    EXPECT_TRUE(doc.PendingChanges());
    questions.yesNoCancel = YesNoCancel::No;
    EXPECT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, b));
    EXPECT_EQ(Slurp(a).find("Vorn's"), std::string::npos);  // not saved
    // The reader's own navigation is asked about once, not twice.
    EXPECT_EQ(questions.CountAsked("yesnocancel"), 2u);
    doc.MarkChanged();
    questions.yesNoCancel = YesNoCancel::Yes;
    bool cancel = false;
    doc.BeforeNavigate("file://" + a, cancel);
    EXPECT_FALSE(cancel);
    EXPECT_NE(Slurp(b).find("Vorn's Pellmark bookmarks"), std::string::npos);  // saved
    EXPECT_EQ(settings.LastReaderFile, a);
}

TEST_F(ReaderDocTest, NavigationAsksAndCancels) {
    const std::string a = Book("a.html", "A");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    doc.MarkChanged();
    questions.yesNoCancel = YesNoCancel::Cancel;
    bool cancel = false;
    doc.BeforeNavigate("file:///elsewhere/b.html", cancel);
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(doc.PendingChanges());
    EXPECT_EQ(settings.LastReaderFile, a);
    // A jump to an anchor of the same page is no departure.
    cancel = false;
    doc.BeforeNavigate("file://" + a + "#ch2", cancel);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(doc.PendingChanges());
    EXPECT_EQ(questions.CountAsked("yesnocancel"), 1u);
}

TEST_F(ReaderDocTest, AutosaveSavesBeforeNavigating) {
    const std::string a = Book("a.html", "A");
    settings.SaveReaderDocOnExit = true;
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    doc.MarkChanged();
    bool cancel = false;
    doc.BeforeNavigate("file:///elsewhere/b.html", cancel);
    EXPECT_FALSE(cancel);
    EXPECT_TRUE(questions.asked.empty());
    EXPECT_NE(Slurp(a).find("Vorn's Pellmark position"), std::string::npos);
}

TEST_F(ReaderDocTest, FileUrlsBecomePaths) {
    EXPECT_EQ(LocalPathOf("file:///home/u/My%20Books/a%23b.html#ch1"), "/home/u/My Books/a#b.html");
    EXPECT_EQ(LocalPathOf("file://localhost/x/%D0%AF.html"), "/x/\xD0\xAF.html");
    EXPECT_EQ(LocalPathOf("/plain/C# book.html"), "/plain/C# book.html");
    EXPECT_EQ(LocalPathOf("about:blank"), "");
    EXPECT_EQ(LocalPathOf("https://example.org/a.html"), "");
    EXPECT_EQ(LocalPathOf("file://server/share/a.html"), "");
    EXPECT_TRUE(IsHtmlFileName("/a/B.HTM"));
    EXPECT_TRUE(IsHtmlFileName("/a/b.xhtml"));
    EXPECT_FALSE(IsHtmlFileName("/a/b.txt"));
    EXPECT_FALSE(IsHtmlFileName("/a/html"));
}

TEST_F(ReaderDocTest, LandingOnAnotherBookReloadsItsHeadTailAndBookmarks) {
    const std::string a = Book("a.html", "<a href=b.html>next</a>", BookmarkBlock({{1, "in a"}}, 0));
    const fs::path bPath = dir / "b.html";
    Spit(bPath, "<html><head><title>B</title></head><body>B text" + BookmarkBlock({{2, "in b"}}, 0) + "\r\n");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    host.view.Navigate("file://" + bPath.string());
    EXPECT_EQ(settings.LastReaderFile, bPath.string());
    EXPECT_EQ(doc.BookPath(), bPath.string());
    EXPECT_EQ(doc.HeadText(), "<html><head><title>B</title></head>");
    EXPECT_EQ(doc.TailText(), "\r\n");
    EXPECT_EQ(doc.Bookmarks(), (std::vector<Bookmark>{{2, "in b"}}));
    ASSERT_TRUE(doc.SaveReaderDoc());
    const std::string saved = Slurp(bPath);
    EXPECT_EQ(saved.rfind("<html><head><title>B</title></head><body>B text", 0), 0u);
    EXPECT_EQ(Slurp(a).find("in b"), std::string::npos);
}

TEST_F(ReaderDocTest, LandingOnAFileThatIsNoPageHoldsNothing) {
    const std::string a = Book("a.html", "A");
    const fs::path t = dir / "notes.txt";
    Spit(t, "plain text, not a book");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    host.view.Navigate(t.string());
    EXPECT_EQ(doc.BookPath(), "");
    EXPECT_TRUE(doc.SaveReaderDoc());
    EXPECT_EQ(Slurp(t), "plain text, not a book");
}

TEST_F(ReaderDocTest, OutsideTheReaderNavigationsAreNoBooks) {
    const std::string a = Book("a.html", "A");
    host.view.Navigate(a);  // a preview in the simple mode
    EXPECT_EQ(doc.BookPath(), "");
    EXPECT_EQ(settings.LastReaderFile, "");
}

TEST_F(ReaderDocTest, CancelledNameAddsNoBookmark) {
    const std::string a = Book("a.html", "A");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    host.view.selectionHtml = "x";
    doc.AddBookmark();
    EXPECT_TRUE(doc.Bookmarks().empty());
    EXPECT_TRUE(host.view.pasted.empty());
    EXPECT_FALSE(doc.PendingChanges());
}

TEST_F(ReaderDocTest, JumpBeepsWithoutTheAnchor) {
    const std::string a = Book("a.html", "<a id=\"42\" name=\"42\">here</a>");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    doc.GoToBookmark(42);
    EXPECT_EQ(host.beeps, 0);
    doc.GoToBookmark(43);
    EXPECT_EQ(host.beeps, 1);
}

TEST_F(ReaderDocTest, RecentEntryKeepsThePositionOfTheBookLeft) {
    const std::string a = Book("a.html", "A");
    const std::string b = Book("b.html", "B");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    host.view.scrollY = 2500;
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, b));
    EXPECT_EQ(settings.recent[0].path, b);
    EXPECT_EQ(settings.recent[1].path, a);
    EXPECT_EQ(settings.recent[1].position, 536870912);
    // Opening it again does not move it to the front, and goes back there.
    ASSERT_TRUE(doc.OpenRecent(1));
    EXPECT_EQ(settings.recent[1].path, a);
    EXPECT_EQ(host.view.scrollY, 2500);
}

TEST_F(ReaderDocTest, CommandLineOpenAsksNothingFirst) {
    const std::string a = Book("a.html", "A");
    const std::string b = Book("b.html", "B");
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, a));
    doc.MarkChanged();
    ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::CommandLine, b));
    EXPECT_EQ(questions.CountAsked("yesnocancel"), 0u);
    EXPECT_FALSE(doc.PendingChanges());
}
