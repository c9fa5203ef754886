#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/TMain.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "output/Footer.h"
#include "platform/ScriptedQuestions.h"
#include "platform/SourceEditor.h"
#include "support/RecordingFrontEnd.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

class LoadSrcTest : public ::testing::Test {
protected:
    void SetUp() override {
        char tmpl[] = "/tmp/pm-intake-XXXXXX";
        ASSERT_NE(::mkdtemp(tmpl), nullptr);
        dir = tmpl;
        main.settings.AskAboutTitle = false;
        main.driver.SetLastStage(0);  // the stages are not under test here
    }
    void TearDown() override {
        main.Shutdown();  // removes the preview files
        fs::remove_all(dir);
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    std::string SourceText() { return main.GetSourceLines().Join("\n"); }
    std::string LastMessage() const { return q.asked.empty() ? "" : q.asked.back().caption + "|" + q.asked.back().text; }

    std::string dir;
    ConfigTree tree;
    ScriptedQuestions q;
    test::RecordingFrontEnd front;
    TMain main{tree, MainUi{.questions = &q, .frontEnd = &front}, "."};
};

TEST_F(LoadSrcTest, LargeFileQuestionAboveTwoMegabytes) {
    const std::string exact = Write("exact.txt", std::string(2097152, 'a'));
    const std::string over = Write("over.txt", std::string(2097153, 'a'));
    EXPECT_TRUE(main.LoadSrc(exact));
    EXPECT_EQ(q.CountAsked("large"), 0u);

    q.proceedLargeFile = false;
    EXPECT_FALSE(main.LoadSrc(over));
    EXPECT_EQ(q.asked.back().text, main.texts.Msg("LargeFile"));
    EXPECT_EQ(q.asked.back().caption, "Cancel");
    EXPECT_EQ(main.GetSourceLines().Text(0).size(), 2097152u);  // the earlier book stays

    q.proceedLargeFile = q.neverAskLargeFile = true;
    EXPECT_TRUE(main.LoadSrc(over));
    EXPECT_FALSE(main.settings.AskAboutLargeFiles);
    EXPECT_TRUE(main.LoadSrc(over));
    EXPECT_EQ(q.CountAsked("large"), 2u);
}

TEST_F(LoadSrcTest, ConvertedDocumentsAndTheReader) {
    const std::string book = Write("done.html", "<html><head><meta name=\"Generator\" content=\"Pellmark\"></head></html>");

    main.settings.OpenForReadingConverted = 1;
    EXPECT_FALSE(main.LoadSrc(book));
    EXPECT_EQ(main.lastLoadOutcome, LoadOutcome::OpenInReader);
    EXPECT_EQ(front.opened, std::vector<std::string>{book});
    EXPECT_TRUE(q.asked.empty());

    main.settings.OpenForReadingConverted = 0;
    q.formattingChoice = FormattingDetectedAnswer::Choice::Cancel;
    EXPECT_EQ(main.FileLoader(book).outcome, LoadOutcome::Nothing);
    EXPECT_EQ(q.asked.back().text, main.texts.Msg("AlreadyCleared"));

    // "Never ask me again" remembers the choice that was made.
    q.neverAskFormatting = true;
    q.formattingChoice = FormattingDetectedAnswer::Choice::OpenForReading;
    EXPECT_EQ(main.FileLoader(book).outcome, LoadOutcome::OpenInReader);
    EXPECT_EQ(main.settings.OpenForReadingConverted, 1);
    main.settings.OpenForReadingConverted = 0;
    q.formattingChoice = FormattingDetectedAnswer::Choice::OpenForEditing;
    EXPECT_EQ(main.FileLoader(book).outcome, LoadOutcome::Text);
    EXPECT_EQ(main.settings.OpenForReadingConverted, 2);
    EXPECT_EQ(main.FileLoader(book).outcome, LoadOutcome::Text);
    EXPECT_EQ(q.CountAsked("formatting"), 3u);
}

TEST_F(LoadSrcTest, PreviewFileCaptionAndReaderMode) {
    const std::string book = Write("book.txt", "text");
    main.settings.InterfaceMode = kReaderMode;
    main.settings.SaveReaderDocOnExit = true;
    main.doc.author = "Old author";
    ASSERT_TRUE(main.LoadSrc(book));
    EXPECT_EQ(main.files.previewFile, dir + "/$~$~tmp_book.txt.html");
    EXPECT_EQ(main.files.tempFiles.back(), main.files.previewFile);
    EXPECT_FALSE(main.files.previewShown);
    EXPECT_EQ(main.windowCaption, "Pellmark (converter) - book.txt");
    EXPECT_EQ(main.settings.InterfaceMode, main.settings.PreviousMode);
    EXPECT_EQ(front.readerSaves, 1);
    EXPECT_EQ(front.readerForgets, 1);
    EXPECT_EQ(front.modes, std::vector<int>{main.settings.PreviousMode});
    EXPECT_TRUE(main.doc.author.empty());
    EXPECT_TRUE(fs::exists(main.files.previewFile));

    main.settings.UseSystemTemp = true;
    main.templates.Set("FileExt", ".xml");
    ASSERT_TRUE(main.LoadSrc(book));
    EXPECT_EQ(fs::path(main.files.previewFile).filename(), "$~$~tmp_book.txt.xml");
    EXPECT_NE(main.files.previewFile.rfind(dir, 0), 0u);
}

TEST_F(LoadSrcTest, UnwritableFolderAndUnreadableFiles) {
    const std::string plain = Write("plain.txt", "x");
    EXPECT_FALSE(main.LoadSrc(plain + "/book.txt"));  // a file as the folder
    EXPECT_EQ(LastMessage(), "Error|" + main.texts.Msg("CantWorkWithReadOnly"));

    const std::string taken = Write("b.txt$$~temp$~vorn", "keep");  // an existing probe name
    EXPECT_FALSE(main.LoadSrc(dir + "/b.txt"));
    EXPECT_EQ(LastMessage(), "Error|Unable to acess the file \"" + dir + "/b.txt\"");
    EXPECT_TRUE(fs::exists(taken));
    EXPECT_FALSE(fs::exists(taken + "$~"));

    ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
    fs::create_directory(dir + "/folder");
    for (const char* name : {"/fifo", "/folder"}) {
        EXPECT_FALSE(main.LoadSrc(dir + name));
        EXPECT_EQ(LastMessage(), "Error|Unable to acess the file \"" + dir + name + "\"");
    }
    EXPECT_FALSE(main.HasSource());

    // No room for the probe's suffix in the name: the folder is still writable.
    EXPECT_TRUE(main.LoadSrc(Write(std::string(250, 'n') + ".txt", "long name")));
}

TEST_F(LoadSrcTest, OddContentLoadsWithoutLoss) {
    ASSERT_TRUE(main.LoadSrc(Write("empty.txt", "")));
    EXPECT_EQ(main.GetSourceLines().Count(), 0u);
    q.loadBinary = true;
    const std::string nul("a\0b\r\0", 5);
    ASSERT_TRUE(main.LoadSrc(Write("nul.bin", nul + "\xFF\xFE")));
    EXPECT_EQ(SourceText(), std::string("a\0b\n\0\xFF\xFE", 7));
    ASSERT_TRUE(main.LoadSrc(Write("ends.txt", "one\rtwo\nthree\r\n\rfive")));
    EXPECT_EQ(SourceText(), "one\ntwo\nthree\n\nfive");
    ASSERT_TRUE(main.LoadSrc(Write("long.txt", std::string(5 << 20, 'w'))));
    EXPECT_EQ(main.GetSourceLines().Count(), 1u);
}

// The source is kept as text: whatever ends its lines, it gives back the
// lines it was loaded as, an empty last line too.
TEST_F(LoadSrcTest, KeptSourceGivesBackTheLoadedLines) {
    for (const std::string text : {"a\r\n\r\n", "a\r\nb", "a\n\rb\r", "x\r\r\ny\n", "done\r\n", "z\n\n\n"}) {
        ASSERT_TRUE(main.LoadSrc(Write("ends.txt", text)));
        const LineList kept = main.GetSourceLines();
        const LineList loaded = LineList::FromText(text);
        ASSERT_EQ(kept.Count(), loaded.Count()) << text;
        EXPECT_EQ(kept.Join("|"), loaded.Join("|"));
    }
}

TEST_F(LoadSrcTest, BinaryFileIsAskedAboutBeforeAnythingElse) {
    const std::string book = Write("book.txt", "A book.\r\n");
    ASSERT_TRUE(main.LoadSrc(book));
    EXPECT_EQ(q.CountAsked("binary"), 0u);
    const std::string preview = main.files.previewFile;

    // Over 2 MB and DOS-looking too, but refused at the first question.
    std::string bytes(2097153, '\xA0');
    bytes[70000] = '\0';
    bytes[10] = '\0';
    const std::string bin = Write("data.bin", bytes);
    q.asked.clear();
    EXPECT_FALSE(main.LoadSrc(bin));
    ASSERT_EQ(q.asked.size(), 1u);
    EXPECT_EQ(q.asked[0].kind, "binary");
    EXPECT_EQ(q.asked[0].text, "This does not look like a text file. Load it anyway?");
    EXPECT_EQ(main.lastLoadOutcome, LoadOutcome::Nothing);
    EXPECT_EQ(main.files.previewFile, preview);
    EXPECT_EQ(SourceText(), "A book.");

    // Taken anyway, the other questions follow in their order.
    q.asked.clear();
    q.loadBinary = true;
    EXPECT_TRUE(main.LoadSrc(bin));
    ASSERT_GE(q.asked.size(), 2u);
    EXPECT_EQ(q.asked[0].kind, "binary");
    EXPECT_EQ(q.asked[1].kind, "large");
    EXPECT_EQ(main.GetSourceLines().Join("").size(), bytes.size());
}

TEST_F(LoadSrcTest, SampleBooksLoadAsTheSameText) {
    std::string utf8;
    ASSERT_TRUE(ReadWholeFile(std::string(PM_TEST_DATA) + "/utf8.txt", utf8));
    const std::string expected = cp1251::FromUtf8(utf8);
    for (const char* name : {"utf8.txt", "koi8.txt", "dos866.txt"}) {
        q.asked.clear();
        const LoadResult r = main.FileLoader(std::string(PM_TEST_DATA) + "/" + name);
        EXPECT_EQ(r.text, expected) << name;
        EXPECT_EQ(q.CountAsked("encoding"), name[0] == 'u' ? 0u : 1u) << name;
    }
}

TEST_F(LoadSrcTest, CreditFooterFirstOccurrenceRemoved) {
    const std::string footer = CreditFooter();
    if (footer.empty()) GTEST_SKIP() << "no credit footer yet";
    const LoadResult r = main.FileLoader(Write("f.html", "a" + footer + "b" + footer));
    EXPECT_EQ(r.text, "ab" + footer);
}

TEST_F(LoadSrcTest, DroppedFilesLoadTheFirst) {
    const std::string a = Write("a.txt", "first"), b = Write("b.txt", "second");
    main.LoadDroppedFiles({a, b});
    EXPECT_EQ(q.asked.front().caption + "|" + q.asked.front().text, "Info|" + main.texts.Msg("DropMany"));
    EXPECT_EQ(SourceText(), "first");
}

class FakeEditor : public SourceEditor {
public:
    std::string text;
    bool modified = true;
    Selection sel{3, 2};
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override { text = t, sel = {}, modified = false; }
    bool Modified() const override { return modified; }
    void SetModified(bool m) override { modified = m; }
    Selection GetSelection() const override { return sel; }
    void SetSelection(const Selection& s) override { sel = s; }
};

TEST_F(LoadSrcTest, SourceEditorHoldsTheSourceInAdvancedMode) {
    FakeEditor editor;
    main.ui.sourceEditor = &editor;
    main.settings.InterfaceMode = kAdvancedMode;
    main.settings.UseSourceEditor = true;
    ASSERT_TRUE(main.LoadSrc(Write("e.txt", "one\r\ntwo")));
    EXPECT_EQ(editor.text, "one\r\ntwo");
    EXPECT_FALSE(main.HasResult());  // the "Source" page is showing
    editor.text = "edited";
    editor.modified = true;
    EXPECT_EQ(SourceText(), "edited");
    EXPECT_TRUE(editor.modified);
    main.settings.ActivePage = 0;
    main.TabSheet1Show();
    EXPECT_TRUE(main.HasResult());
}

}  // namespace
}  // namespace pm
