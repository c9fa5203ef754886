// The reader's rewrite of a book (bookmarks and the position written back
// into it) and its full-screen hand-over file, under injected failures: the
// book stays as it was, no temporary file stays, one message says which
// file and why, and the page keeps its changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/HeadlessHtmlView.h"
#include "platform/ScriptedQuestions.h"
#include "reader/ReaderDoc.h"
#include "support/Faults.h"
#include "support/Files.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;
using reader::Bookmark;
using reader::ReaderDoc;

class Host : public reader::ReaderHost, public HtmlViewEvents {
public:
    HeadlessHtmlView view;
    ReaderDoc* doc = nullptr;
    int mode = 0;
    HtmlView* CurrentView() override { return &view; }
    int Mode() const override { return mode; }
    void SwitchMode(int m) override { mode = m; }
    void OpenForEditing(const std::string&) override {}
    void BookmarksChanged() override {}
    void RecentBooksChanged() override {}
    void SetCaption(const std::string&) override {}
    void BeforeNavigate(const std::string& url, bool& cancel) override { doc->BeforeNavigate(url, cancel); }
    void DocumentComplete(const std::string& url) override { doc->DocumentComplete(url); }
};

class NoWindows : public reader::ReaderWindows {
public:
    std::optional<std::vector<std::string>> AskNote() override { return std::nullopt; }
    std::optional<std::string> AskBookmarkName(const std::string&) override { return std::nullopt; }
    std::optional<std::vector<Bookmark>> ManageBookmarks(const std::vector<Bookmark>&) override {
        return std::nullopt;
    }
};

std::string Messages(const ScriptedQuestions& q) {
    std::string out;
    for (const ScriptedQuestions::Asked& a : q.asked)
        if (a.kind == "message") out += (out.empty() ? "" : " | ") + a.caption + ": " + a.text;
    return out;
}

// A book made by this program, long enough not to fit a tiny disk.
std::string BookBytes() {
    return "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\"><html><head>"
           "<meta name=\"Generator\" content=\"Pellmark\"><title>T</title></head><body><p>" +
           std::string(2000, 'w') + "</p></body></html>\r\n";
}

class ReaderFaults : public ::testing::Test {
protected:
    void SetUp() override {
        host.view.SetEvents(&host);
        host.view.scrollHeight = 10000;
        host.doc = &doc;
        doc.SettingsLoaded();
        doc.StartFinished();
    }
    // Opens the book at path for reading, scrolled somewhere, so that a save
    // has a new position to write.
    void Open(const std::string& path) {
        ASSERT_TRUE(doc.OpenForReading(ReaderDoc::OpenKind::Programmatic, path));
        host.view.ScrollTo(0, 5000);
    }

    Settings settings;
    Texts texts;
    InterfaceTexts uiTexts;
    Templates templates;
    ScriptedQuestions questions;
    NullStatusSink status;
    std::vector<std::string> temporaryFiles;
    Host host;
    NoWindows windows;
    ReaderDoc doc{reader::ReaderContext{settings, texts, uiTexts, templates, questions, status, nullptr, &temporaryFiles},
                  host, windows};
};

TEST_F(ReaderFaults, FullDiskKeepsTheBookAsItWas) {
    FaultDir dir;
    const std::string book = dir / "book.html";
    Spit(book, BookBytes());
    Open(book);
    const Outcome out = WithFileSizeLimit(1000, [&] {
        const bool saved = doc.SaveReaderDoc();
        return Outcome{saved, Messages(questions)};
    });
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, "Error: Cannot write \"" + book + "\": File too large");
    EXPECT_EQ(Slurp(book), BookBytes());
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"book.html"}));
    // With room again the same save goes through.
    EXPECT_TRUE(doc.SaveReaderDoc());
    EXPECT_NE(Slurp(book), BookBytes());
}

TEST_F(ReaderFaults, ReadOnlyFileSystemKeepsTheBook) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
    const std::string book = disk / "book.html";
    Spit(book, BookBytes());
    Open(book);
    ASSERT_TRUE(disk.MakeReadOnly());
    EXPECT_FALSE(doc.SaveReaderDoc());
    EXPECT_EQ(Messages(questions), "Error: Cannot create \"" + book + "\": Read-only file system");
    EXPECT_EQ(Slurp(book), BookBytes());
}

TEST_F(ReaderFaults, FolderWithoutWritePermissionKeepsTheBook) {
    if (RunningAsRoot()) GTEST_SKIP() << "the superuser writes into folders of mode 0555";
    FaultDir dir;
    const std::string book = dir / "book.html";
    Spit(book, BookBytes());
    Open(book);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(doc.SaveReaderDoc());
    EXPECT_EQ(Messages(questions), "Error: Cannot create \"" + book + "\": Permission denied");
    EXPECT_EQ(Slurp(book), BookBytes());
}

TEST_F(ReaderFaults, FolderRemovedWhileReadingIsNamedInTheMessage) {
    FaultDir dir;
    fs::create_directory(dir / "books");
    const std::string book = dir / "books/book.html";
    Spit(book, BookBytes());
    Open(book);
    fs::remove_all(dir / "books");
    EXPECT_FALSE(doc.SaveReaderDoc());
    EXPECT_EQ(Messages(questions), "Error: Cannot create \"" + book + "\": No such file or directory");
    EXPECT_TRUE(NamesIn(dir.path()).empty());
}

// With autosave on, leaving a page whose save failed keeps the reader on it:
// the changes are not dropped for a file that was never written.
TEST_F(ReaderFaults, FailedAutosaveKeepsThePage) {
    FaultDir dir;
    fs::create_directory(dir / "books");
    const std::string book = dir / "books/book.html";
    Spit(book, BookBytes());
    Spit(dir / "other.html", BookBytes());
    settings.SaveReaderDocOnExit = true;
    Open(book);
    doc.MarkChanged();
    fs::remove_all(dir / "books");
    bool cancel = false;
    doc.BeforeNavigate("file://" + (dir / "other.html"), cancel);
    EXPECT_EQ(Messages(questions), "Error: Cannot create \"" + book + "\": No such file or directory");
    EXPECT_TRUE(cancel);
    EXPECT_TRUE(doc.PendingChanges());
}

TEST_F(ReaderFaults, HandOverOnAFullDiskLeavesNoFile) {
    FaultDir dir;
    const std::string book = dir / "book.html";
    Spit(book, BookBytes());
    Open(book);
    const Outcome out = WithFileSizeLimit(1000, [&] {
        const bool handed = doc.HandOverFrom(host.view).has_value();
        return Outcome{handed, Messages(questions)};
    });
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.message.find(": File too large"), std::string::npos) << out.message;
    EXPECT_EQ(out.message.rfind("Error: Cannot write \"" + dir.path().string() + "/", 0), 0u) << out.message;
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"book.html"}));
    EXPECT_EQ(Slurp(book), BookBytes());
}

}  // namespace
}  // namespace pm::test
