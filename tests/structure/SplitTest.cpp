#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class SplitTest : public ::testing::Test {
protected:
    test::TestContext t;
    fs::path dir;

    SplitTest() {
        dir = fs::temp_directory_path() /
              ("pm-split-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        t.settings.BreakTextApartByToc = true;
        t.doc.title = "The Book";
        t.doc.shortTitle = "Ivanov. Book/One";
        t.files.previewFile = (dir / "$~$~tmp_book.txt.html").string();
    }
    ~SplitTest() override { fs::remove_all(dir); }

    void BuildThreeChapters() {
        t.SetLines({{"<html><head>", 100},
                    {"<title>Book</title></head><body>", 100},
                    {"<div>Title page</div>", 100},
                    {"<div>Preface</div><hr size=\"0\">", 100},
                    {"<h1>First</h1>", 100},
                    {"<div>1a</div>", 100},
                    {"<div>1b</div><hr size=\"0\">", 100},
                    {"<h1>Second</h1>", 100},
                    {"<div>2a</div><hr size=\"0\">", 100},
                    {"<h2>Three</h2>", 100},
                    {"<div>3a</div>", 100},
                    {"</body></html>", 100}});
    }
    std::string Read(const std::string& name) {
        std::string s;
        EXPECT_TRUE(ReadWholeFile((dir / name).string(), s)) << name;
        return s;
    }
};

const std::string kStem = "PLMK_Ivanov__Book_One";

TEST_F(SplitTest, ThreeChaptersMakeThreePartsAndAnIndex) {
    BuildThreeChapters();
    StageTableOfContents(t.ctx);

    const std::string prev1 = "&nbsp;<a href=\"" + kStem + "_001.html\">&nbsp;&lt;&lt;&nbsp;</a>";
    const std::string prev2 = "&nbsp;<a href=\"" + kStem + "_002.html\">&nbsp;&lt;&lt;&nbsp;</a>";
    const std::string up = "&nbsp;<a href=\"" + kStem + "__index.html\">&nbsp;^^&nbsp;</a>";
    const std::string next2 = "&nbsp;<a href=\"" + kStem + "_002.html\">&nbsp;&gt;&gt;&nbsp;</a>";
    const std::string next3 = "&nbsp;<a href=\"" + kStem + "_003.html\">&nbsp;&gt;&gt;&nbsp;</a>";
    const std::string head = "<html><head>\r\n<title>Book</title></head><body>\r\n";

    EXPECT_EQ(Read(kStem + "_001.html"), head + "<h1>First" + up + next2 + "</h1>\r\n<div>1a</div>\r\n" +
                                             "<div>1b</div><hr size=\"0\">\r\n<p>" + up + next2 +
                                             "</p>\r\n</body></html>");
    EXPECT_EQ(Read(kStem + "_002.html"), head + "<h1>Second" + prev1 + up + next3 +
                                             "</h1>\r\n<div>2a</div><hr size=\"0\">\r\n<p>" + prev1 + up + next3 +
                                             "</p>\r\n</body></html>");
    EXPECT_EQ(Read(kStem + "_003.html"),
              head + "<h2>Three" + prev2 + up + "</h2>\r\n<div>3a</div>\r\n<p>" + prev2 + up + "</p>\r\n</body></html>");

    // The title page and preface stay in the index, before the table.
    const Lines index = t.LineTexts();
    EXPECT_EQ(index, (Lines{"<html><head>", "<title>Book</title></head><body>", "<h1>The Book</h1>",
                            "<div>Title page</div>", "<div>Preface</div><hr size=\"0\">",
                            "<h3><a href=\"" + kStem + "_001.html\">First</a></h3>",
                            "<h3><a href=\"" + kStem + "_002.html\">Second</a></h3>",
                            "<h3><a href=\"" + kStem + "_003.html\">Three</a></h3>", "</body></html>"}));

    const std::string indexPath = (dir / (kStem + "__index.html")).string();
    EXPECT_EQ(t.files.previewFile, indexPath);
    ASSERT_EQ(t.files.partFiles.size(), 4u);
    EXPECT_EQ(t.files.partFiles[0], (dir / (kStem + "_001.html")).string());
    EXPECT_EQ(t.files.partFiles[3], indexPath);
    for (const auto& f : t.files.partFiles)
        EXPECT_NE(std::find(t.files.tempFiles.begin(), t.files.tempFiles.end(), f), t.files.tempFiles.end()) << f;
}

TEST_F(SplitTest, UncheckedChapterStaysInsideThePreviousPart) {
    BuildThreeChapters();
    t.questions.tocUncheck = {2};
    StageTableOfContents(t.ctx);
    ASSERT_EQ(t.files.partFiles.size(), 3u);
    const std::string first = Read(kStem + "_001.html");
    EXPECT_NE(first.find("<div>1b</div>\r\nSecond\r\n<div>2a</div><hr size=\"0\">\r\n"), std::string::npos) << first;
    EXPECT_NE(Read(kStem + "_002.html").find("<h2>Three"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / (kStem + "_003.html")));
}

TEST_F(SplitTest, EveryEntryUncheckedKeepsOneFile) {
    BuildThreeChapters();
    t.questions.tocUncheck = {1, 2, 3};
    StageTableOfContents(t.ctx);
    EXPECT_TRUE(t.files.partFiles.empty());
    const Lines out = t.LineTexts();
    ASSERT_EQ(out.size(), 12u);  // no title line in split mode
    EXPECT_EQ(out[4], "First");
    EXPECT_EQ(out[7], "Second");
    EXPECT_EQ(out[9], "Three");
    EXPECT_EQ(out[3], "<div>Preface</div>");
    EXPECT_EQ(fs::directory_iterator(dir), fs::directory_iterator());
}

TEST_F(SplitTest, ALaterConversionInOneFileForgetsTheEarlierParts) {
    // Split first, then convert again with every chapter unchecked, and
    // again with the setting off: neither result is the old parts.
    BuildThreeChapters();
    StageTableOfContents(t.ctx);
    ASSERT_EQ(t.files.partFiles.size(), 4u);
    BuildThreeChapters();
    t.questions.tocUncheck = {1, 2, 3};
    StageTableOfContents(t.ctx);
    EXPECT_TRUE(t.files.partFiles.empty());

    BuildThreeChapters();
    t.questions.tocUncheck = {};
    StageTableOfContents(t.ctx);
    ASSERT_EQ(t.files.partFiles.size(), 4u);
    t.settings.BreakTextApartByToc = false;
    BuildThreeChapters();
    StageTableOfContents(t.ctx);
    EXPECT_TRUE(t.files.partFiles.empty());
    // The old files stay on the list of files removed at exit.
    EXPECT_NE(std::find(t.files.tempFiles.begin(), t.files.tempFiles.end(), (dir / (kStem + "_001.html")).string()),
              t.files.tempFiles.end());
}

TEST_F(SplitTest, CyrillicShortTitleIsKeptInFileNames) {
    t.doc.shortTitle = "\xCA\xED\xE8\xE3\xE0 \xB8";  // "Книга ё": ё is not kept
    BuildThreeChapters();
    StageTableOfContents(t.ctx);
    const std::string base = "PLMK_\xCA\xED\xE8\xE3\xE0__";
    EXPECT_TRUE(fs::exists(dir / cp1251::ToUtf8(base + "_001.html")));
    EXPECT_TRUE(fs::exists(dir / cp1251::ToUtf8(base + "_003.html")));
    EXPECT_EQ(t.LineTexts()[5], "<h3><a href=\"" + base + "_001.html\">First</a></h3>");
    EXPECT_EQ(t.files.previewFile, (dir / cp1251::ToUtf8(base + "__index.html")).string());
}

TEST_F(SplitTest, UnwritableFolderLeavesOneDocumentAndSaysWhy) {
    t.files.previewFile = (dir / "missing" / "preview.html").string();
    BuildThreeChapters();
    StageTableOfContents(t.ctx);
    EXPECT_TRUE(t.files.partFiles.empty());
    EXPECT_EQ(t.questions.CountAsked("message"), 1u);
    EXPECT_EQ(t.files.previewFile, (dir / "missing" / "preview.html").string());
    const Lines out = t.LineTexts();
    ASSERT_EQ(out.size(), 15u);  // the whole book with its table
    EXPECT_EQ(out[5], "<h3><a href=\"#linktostr4\">First</a></h3>");
}

}  // namespace
}  // namespace pm
