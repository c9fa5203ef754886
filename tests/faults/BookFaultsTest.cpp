// The converted book under injected failures: saved through the dialogs in
// every format, the source text, the preview file, the part files of a split
// book and their copies. Each failure leaves the old file, no temporary
// file, and one message (or, for the preview, one status line) that names
// the file and the reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/Cp1251.h"
#include "output/OutputHelpers.h"
#include "output/Saving.h"
#include "pipeline/Stages.h"
#include "shell/Device.h"
#include "support/Faults.h"
#include "support/Files.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

// The one message box the user got, as "caption: text"; several or none
// are reported as such and fail the comparison.
std::string OnlyMessage(const ScriptedQuestions& q) {
    std::vector<std::string> shown;
    for (const ScriptedQuestions::Asked& a : q.asked)
        if (a.kind == "message") shown.push_back(a.caption + ": " + a.text);
    return shown.size() == 1 ? shown[0] : std::to_string(shown.size()) + " messages";
}

std::string Why(const std::string& verb, const std::string& path, const std::string& reason) {
    return "Error: " + verb + " \"" + path + "\": " + reason;
}

constexpr rlim_t kTinyDisk = 64;  // smaller than any document below

// ---- the converted book, the source, Save & Read

struct SaveCase {
    int filterIndex;
    const char* file;
};

TEST(BookFaults, EveryFormatOnAFullDiskKeepsTheOldBook) {
    for (const SaveCase c : {SaveCase{1, "book.html"}, SaveCase{2, "book.txt"}, SaveCase{3, "book.epub"}}) {
        SCOPED_TRACE(c.file);
        FaultDir dir;
        Spit(dir / c.file, "old book");
        Window w;
        w.PublishDocument();
        w.dialogs.saves.push_back({dir / "book", c.filterIndex});
        const Outcome out = WithFileSizeLimit(kTinyDisk, [&] {
            w.main.SaveHTML();
            return Outcome{true, OnlyMessage(w.questions)};
        });
        EXPECT_EQ(out.message, Why("Cannot write", dir / c.file, "File too large"));
        EXPECT_EQ(Slurp(dir / c.file), "old book");
        EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{c.file}));
    }
}

TEST(BookFaults, SourceTextOnAFullDiskKeepsTheOldFile) {
    FaultDir dir;
    Spit(dir / "src.txt", "old source");
    Window w;
    w.main.StoreSourceText(std::string(200, 's'));
    w.dialogs.saves.push_back({dir / "src", 1});
    const Outcome out = WithFileSizeLimit(kTinyDisk, [&] {
        w.main.SaveSrc();
        return Outcome{true, OnlyMessage(w.questions)};
    });
    EXPECT_EQ(out.message, Why("Cannot write", dir / "src.txt", "File too large"));
    EXPECT_EQ(Slurp(dir / "src.txt"), "old source");
    EXPECT_TRUE(TemporaryFilesIn(dir.path()).empty());
}

TEST(BookFaults, SaveAndReadOpensNothingWhenTheSaveFails) {
    FaultDir dir;
    Spit(dir / "read.html", "old book");
    Window w;
    w.PublishDocument();
    w.dialogs.saves.push_back({dir / "read", 1});
    const Outcome out = WithFileSizeLimit(kTinyDisk, [&] {
        w.main.ToolButton68Click();
        return Outcome{w.front.opened.empty(), OnlyMessage(w.questions)};
    });
    EXPECT_TRUE(out.ok) << "a book that was not saved was opened for reading";
    EXPECT_EQ(out.message, Why("Cannot write", dir / "read.html", "File too large"));
    EXPECT_EQ(Slurp(dir / "read.html"), "old book");
}

// The user picks a folder in the dialog; by the time the program writes, the
// folder is gone.
class DialogsLosingTheFolder : public ScriptedDialogs {
public:
    std::optional<FileDialogAnswer> SaveFile(const FileDialogRequest& r) override {
        std::optional<FileDialogAnswer> a = ScriptedDialogs::SaveFile(r);
        if (a) fs::remove_all(fs::path(a->path).parent_path());
        return a;
    }
};

TEST(BookFaults, FolderRemovedAfterTheDialogIsReportedAndTheResultStays) {
    FaultDir dir;
    fs::create_directory(dir / "books");
    Window w;
    DialogsLosingTheFolder dialogs;
    w.main.ui.dialogs = &dialogs;
    w.PublishDocument();
    dialogs.saves.push_back({dir / "books/book", 1});
    w.main.SaveHTML();
    EXPECT_EQ(OnlyMessage(w.questions), Why("Cannot create", dir / "books/book.html", "No such file or directory"));
    EXPECT_TRUE(w.main.HasResult());
    EXPECT_EQ(NamesIn(dir.path()), std::vector<std::string>{});
}

TEST(BookFaults, ReadOnlyFolderKeepsTheOldBook) {
    SmallTmpfs disk(64 * 1024);
    if (!disk.Available()) GTEST_SKIP() << "mounting a tmpfs is not permitted here; see UnwritablePlace";
    Spit(disk / "book.html", "old book");
    ASSERT_TRUE(disk.MakeReadOnly());
    Window w;
    w.PublishDocument();
    w.dialogs.saves.push_back({disk / "book", 1});
    w.main.SaveHTML();
    EXPECT_EQ(OnlyMessage(w.questions), Why("Cannot create", disk / "book.html", "Read-only file system"));
    EXPECT_EQ(Slurp(disk / "book.html"), "old book");
}

// A place no user can write to, with a Cyrillic name: the message is in the
// working code page like every other.
TEST(BookFaults, UnwritablePlaceIsNamedInTheWorkingCodePage) {
    FaultDir dir;
    const std::string path = BelowAFile(dir.path(), "\xD0\xBA\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0.html");  // книга
    Window w;
    w.PublishDocument();
    w.dialogs.saves.push_back({path, 1});
    w.main.SaveHTML();
    EXPECT_EQ(OnlyMessage(w.questions), Why("Cannot create", cp1251::FromUtf8(path), "Not a directory"));
}

// ---- the preview file

TEST(PreviewFaults, FullDiskKeepsTheShownPageAndSaysWhy) {
    FaultDir dir;
    Window w;
    w.PublishDocument();
    w.main.files.previewFile = dir / "$~$~tmp_book.txt.html";
    w.main.RefreshPreview();
    const std::string shown = Slurp(w.main.files.previewFile);
    w.PublishDocument("<div>a second, longer conversion of the book</div>");
    const Outcome out = WithFileSizeLimit(kTinyDisk, [&] {
        w.main.RefreshPreview();
        return Outcome{w.view.reloads == 0, w.status.statuses.back()};
    });
    EXPECT_TRUE(out.ok) << "the preview reloaded a file that was not written";
    EXPECT_EQ(out.message,
              PreviewWriteFailed("Cannot write \"" + w.main.files.previewFile + "\": File too large"));
    EXPECT_EQ(Slurp(w.main.files.previewFile), shown);
    EXPECT_EQ(NamesIn(dir.path()), (std::vector<std::string>{"$~$~tmp_book.txt.html"}));
}

TEST(PreviewFaults, SourceFolderRemovedAfterLoading) {
    FaultDir dir;
    fs::create_directory(dir / "src");
    Window w;
    w.PublishDocument();
    w.main.files.previewFile = dir / "src/$~$~tmp_book.txt.html";
    fs::remove_all(dir / "src");
    w.main.RefreshPreview();
    EXPECT_EQ(w.status.statuses.back(),
              PreviewWriteFailed("Cannot create \"" + w.main.files.previewFile + "\": No such file or directory"));
    EXPECT_TRUE(w.view.navigations.empty());
    EXPECT_TRUE(w.questions.asked.empty());  // the status line is the preview's one report
}

// ---- the part files of a split book

class SplitFaults : public ::testing::Test {
protected:
    FaultDir dir;
    TestContext t;
    SplitFaults() {
        t.settings.BreakTextApartByToc = true;
        t.doc.title = "The Book";
        t.doc.shortTitle = "Book";
        t.files.previewFile = dir / "$~$~tmp_book.txt.html";
    }
    void Chapters(const std::string& text) {
        t.SetLines({{"<html><head>", 100},
                    {"<title>Book</title></head><body>", 100},
                    {"<div>Title page</div>", 100},
                    {"<div>Preface</div><hr size=\"0\">", 100},
                    {"<h1>First</h1>", 100},
                    {"<div>" + text + " 1</div><hr size=\"0\">", 100},
                    {"<h1>Second</h1>", 100},
                    {"<div>" + text + " 2</div><hr size=\"0\">", 100},
                    {"<h1>Third</h1>", 100},
                    {"<div>" + text + " 3</div>", 100},
                    {"</body></html>", 100}});
    }
    std::vector<std::string> PartTexts() const {
        std::vector<std::string> out;
        for (const char* n : {"PLMK_Book_001.html", "PLMK_Book_002.html", "PLMK_Book_003.html"})
            out.push_back(Slurp(dir / n));
        return out;
    }
};

TEST_F(SplitFaults, FullDiskKeepsEveryPartOfTheEarlierSplit) {
    Chapters("old");
    StageTableOfContents(t.ctx);
    ASSERT_EQ(t.files.partFiles.size(), 4u);
    const std::vector<std::string> before = PartTexts();
    const std::vector<std::string> names = NamesIn(dir.path());

    Chapters("new");
    t.ctx.lines.SetText(7, "<div>" + std::string(400, 'n') + "</div>");  // the second part no longer fits
    const Outcome out = WithFileSizeLimit(before[1].size() + 100, [&] {
        StageTableOfContents(t.ctx);
        return Outcome{t.files.partFiles.empty(), OnlyMessage(t.questions)};
    });
    EXPECT_TRUE(out.ok) << "a failed split still lists part files";
    EXPECT_EQ(out.message, Why("Cannot write", dir / "PLMK_Book_002.html", "File too large"));
    EXPECT_EQ(PartTexts(), before);  // the first part was not replaced either
    EXPECT_EQ(NamesIn(dir.path()), names);
}

// The folder goes while the user looks at the table of contents.
class QuestionsRemovingAFolder : public ScriptedQuestions {
public:
    fs::path folder;
    bool ConfirmToc(std::vector<TocChoice>& entries) override {
        fs::remove_all(folder);
        return ScriptedQuestions::ConfirmToc(entries);
    }
};

TEST_F(SplitFaults, FolderRemovedDuringTheRunLeavesOneDocument) {
    fs::create_directory(dir / "src");
    t.files.previewFile = dir / "src/$~$~tmp_book.txt.html";
    t.settings.ConfirmToc = true;
    QuestionsRemovingAFolder questions;
    questions.folder = dir / "src";
    ConversionContext ctx{t.settings, t.doc, t.templates, t.texts, t.status, questions, t.files};
    Chapters("text");
    ctx.lines = t.ctx.lines;
    StageTableOfContents(ctx);
    ASSERT_EQ(questions.CountAsked("toc"), 1u) << "the split asked nothing: the folder was not removed mid-run";
    EXPECT_EQ(questions.CountAsked("message"), 1u);
    EXPECT_EQ(questions.asked.back().text,
              "Cannot create \"" + (dir / "src/PLMK_Book_001.html") + "\": No such file or directory");
    EXPECT_TRUE(t.files.partFiles.empty());
    EXPECT_NE(ctx.lines.Join().find(" 3</div>"), std::string::npos);  // the whole book, in one
}

// Saving a split book copies its parts into a folder: all of them or none.
TEST_F(SplitFaults, CopiesOnAFullDiskReplaceNoEarlierCopy) {
    Chapters(std::string(400, 'c'));
    StageTableOfContents(t.ctx);
    ASSERT_EQ(t.files.partFiles.size(), 4u);
    ASSERT_TRUE(WriteFileAtomic(t.files.previewFile, "index"));
    FaultDir target;
    for (const std::string& part : t.files.partFiles) Spit(target / fs::path(part).filename().string(), "old copy");
    Window w;
    w.PublishDocument();
    w.main.settings.BreakTextApartByToc = true;
    w.main.files = t.files;
    w.dialogs.folders.push_back(target.path().string());
    const Outcome out = WithFileSizeLimit(200, [&] {  // the index fits, the parts do not
        w.main.SaveHTML();
        return Outcome{true, OnlyMessage(w.questions)};
    });
    EXPECT_EQ(out.message, Why("Cannot write", target / "PLMK_Book_001.html", "File too large"));
    for (const std::string& name : NamesIn(target.path())) EXPECT_EQ(Slurp(target / name), "old copy") << name;
    EXPECT_EQ(NamesIn(target.path()).size(), 4u);
}

// A split that could not write its parts left one document; saving it with
// the split option still on saves that one document instead of copying no
// parts and saying nothing.
TEST_F(SplitFaults, BookLeftWholeIsSavedAsOneFile) {
    Window w;
    w.PublishDocument();
    w.main.settings.BreakTextApartByToc = true;
    w.dialogs.saves.push_back({dir / "whole", 1});
    w.main.SaveHTML();
    EXPECT_TRUE(w.dialogs.folderStarts.empty());
    EXPECT_EQ(Slurp(dir / "whole.html"), w.main.DocumentText());
}

// ---- the copy to a reading device

// Each file goes whole or not at all; the report lists what went before the
// failure and names the file that did not.
TEST(DeviceFaults, DeviceThatFillsUpKeepsItsOldCopy) {
    FaultDir book, device;
    Spit(book / "a.html", "small");
    Spit(book / "b.html", std::string(500, 'b'));
    Spit(device / "b.html", "old copy");
    const std::vector<shell::BookFile> files{{book / "a.html", "a.html"}, {book / "b.html", "b.html"}};
    const Outcome out = WithFileSizeLimit(100, [&] {
        const shell::SendReport r = shell::CopyBookToFolder(files, device.path().string());
        return Outcome{r.copied == std::vector<std::string>{"a.html"}, r.error};
    });
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.message, "Cannot write \"" + (device / "b.html") + "\": File too large");
    EXPECT_EQ(Slurp(device / "b.html"), "old copy");
    EXPECT_EQ(NamesIn(device.path()), (std::vector<std::string>{"a.html", "b.html"}));
}

}  // namespace
}  // namespace pm::test
