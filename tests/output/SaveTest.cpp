#include <gtest/gtest.h>

#include <fstream>

#include "OutputHelpers.h"
#include "platform/SourceEditor.h"
#include "output/Footer.h"
#include "document/PlainText.h"
#include "common/Format.h"
#include "pipeline/Stages.h"

namespace pm::test {
namespace {

TEST(AtomicSave, UnwritableTargetLeavesTheOldFileIntact) {
    ScratchDir dir;
    // The name is as long as a name may be, so no temporary file can be made
    // beside it.
    const std::string path = dir / std::string(255, 'b');
    std::ofstream(path, std::ios::binary) << "old";
    ASSERT_EQ(Slurp(path), "old");
    Window w;
    w.PublishDocument();
    std::string error;
    EXPECT_FALSE(w.main.SaveResultAs(path, SaveFormat::Html, &error));
    EXPECT_NE(error.find(path), std::string::npos);
    EXPECT_EQ(Slurp(path), "old");
    EXPECT_TRUE(w.main.HasResult());
    EXPECT_EQ(w.main.Result().Count(), 3u);
}

TEST(AtomicSave, DialogSaveFailureIsReported) {
    ScratchDir dir;
    Window w;
    w.PublishDocument();
    w.dialogs.saves.push_back({dir / "missing/folder/book.html", 1});
    w.main.SaveHTML();
    ASSERT_EQ(w.questions.CountAsked("message"), 1u);
    EXPECT_EQ(w.questions.asked[0].caption, "Error");
    EXPECT_NE(w.questions.asked[0].text.find("book.html"), std::string::npos);
}

TEST(SaveResult, HtmlWithFooterAndDefaultExtension) {
    ScratchDir dir;
    Window w;
    w.PublishDocument();
    w.main.settings.LastEditSaveDir = "/start";
    w.dialogs.saves.push_back({dir / "book", 1});
    w.main.SaveHTML();
    ASSERT_EQ(w.dialogs.requests.size(), 1u);
    EXPECT_EQ(w.dialogs.requests[0].filter, kResultFilter);
    EXPECT_EQ(w.dialogs.requests[0].initialDir, "/start");
    const std::string saved = Slurp(dir / "book.html");
    EXPECT_EQ(saved, "<html><head><title>T</title></head><body>\r\n<div>Hello &amp; welcome</div>\r\n" +
                         CreditFooter() + "</body></html>");
    EXPECT_EQ(w.main.settings.LastEditSaveDir, dir.path().string());
    // The dialog now holds a file name, so its folder is remembered at exit.
    EXPECT_EQ(w.main.saveDialogFile, dir / "book");
}

size_t Occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(SaveResult, PlainTextCarriesOneCreditAndOneNote) {
    ScratchDir dir;
    Window w;
    w.PublishDocument();
    w.dialogs.saves.push_back({dir / "book", 2});
    w.main.SaveHTML();
    const std::string saved = Slurp(dir / "book.txt");
    EXPECT_EQ(saved, "Hello & welcome\n\r" + PlainTextCredit());
    EXPECT_EQ(Occurrences(saved, "Pellmark"), 1u);

    w.main.settings.Hyphenate = true;
    w.main.settings.HyphFont = "Dev";
    w.dialogs.saves.push_back({dir / "hyph", 2});
    w.main.SaveHTML();
    const std::string hyph = Slurp(dir / "hyph.txt");
    EXPECT_EQ(hyph, "Hello & welcome\n\r" + PlainTextCredit() + "\n\r" +
                        PlainHyphenationLine(w.main.settings, w.main.templates));
    EXPECT_EQ(Occurrences(hyph, "Pellmark"), 1u);
    EXPECT_EQ(Occurrences(hyph, "Hyphenated for"), 1u);
    // The same text for the command line's save without a dialog.
    ASSERT_TRUE(w.main.SaveResultAs(dir / "direct.txt", SaveFormat::PlainText, nullptr));
    EXPECT_EQ(Slurp(dir / "direct.txt"), hyph);
}

TEST(SaveResult, TheDialogProposesTheSourcesNameNeverTheSourceItself) {
    ScratchDir dir;
    Window w;
    w.PublishDocument();
    w.main.SaveHTML();  // no source yet: no name proposed
    EXPECT_EQ(w.dialogs.requests.at(0).fileName, "");

    // Beside the source while the dialog has no folder of its own; the
    // proposal kept while the EPUB type is chosen becomes an EPUB name.
    w.main.files.sourcePath = dir / "book.txt";
    w.dialogs.saves.push_back({dir / "book.html", 3});
    w.main.SaveHTML();
    EXPECT_EQ(w.dialogs.requests.at(1).fileName, dir / "book.html");
    EXPECT_TRUE(std::filesystem::exists(dir / "book.epub"));
    EXPECT_FALSE(std::filesystem::exists(dir / "book.html"));

    // The dialog now starts in its remembered folder: the bare name. A name
    // the user typed keeps its extension whatever the type.
    w.dialogs.saves.push_back({dir / "mine.html", 2});
    w.main.SaveHTML();
    EXPECT_EQ(w.dialogs.requests.at(2).fileName, "book.html");
    EXPECT_EQ(Slurp(dir / "mine.html").rfind("Hello & welcome", 0), 0u);

    // An HTML source is never proposed as its own output.
    w.main.files.sourcePath = dir / "page.html";
    w.main.ToolButton68Click();
    EXPECT_EQ(w.dialogs.requests.at(3).fileName, (dir / "page.html.html"));
    // The source's own save proposes nothing.
    w.main.SaveSrc();
    EXPECT_EQ(w.dialogs.requests.at(4).fileName, "");
}

TEST(SaveResult, CancelWritesNothing) {
    ScratchDir dir;
    Window w;
    w.PublishDocument();
    w.main.settings.LastEditSaveDir = "/keep";
    w.main.SaveHTML();
    EXPECT_EQ(w.main.settings.LastEditSaveDir, "/keep");
    EXPECT_TRUE(w.main.saveDialogFile.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(SaveResult, SplitDocumentCopiesThePartFiles) {
    ScratchDir src, dst;
    Window w;
    w.PublishDocument();
    w.main.settings.BreakTextApartByToc = true;
    w.main.settings.SaveMultipleLastFolder = "/before";
    for (const char* name : {"index.html", "part1.html"}) {
        ASSERT_TRUE(WriteFileAtomic(src / name, std::string("content of ") + name));
        w.main.files.partFiles.push_back(src / name);
    }
    w.dialogs.folders.push_back(dst.path().string() + "/");
    w.main.SaveHTML();
    EXPECT_EQ(w.dialogs.folderStarts, (std::vector<std::string>{"/before"}));
    EXPECT_EQ(w.main.settings.SaveMultipleLastFolder, dst.path().string());
    EXPECT_EQ(Slurp(dst / "index.html"), "content of index.html");
    EXPECT_EQ(Slurp(dst / "part1.html"), "content of part1.html");
    // Cancelling clears the remembered folder.
    w.main.SaveHTML();
    EXPECT_EQ(w.main.settings.SaveMultipleLastFolder, "");
}

TEST(SaveResult, CopyOfAMissingPartFails) {
    ScratchDir dst;
    Window w;
    w.main.files.partFiles.push_back(dst / "gone.html");
    std::string error;
    EXPECT_FALSE(w.main.CopyPartFilesTo(dst.path().string(), &error));
    EXPECT_NE(error.find("gone.html"), std::string::npos);
}

TEST(SaveAndRead, SavesThenOpensInTheReader) {
    ScratchDir dir;
    Window w;
    const std::vector<std::string>& opened = w.front.opened;
    w.main.ToolButton68Click();  // no result: nothing happens
    EXPECT_TRUE(w.dialogs.requests.empty());
    w.PublishDocument();
    w.dialogs.saves.push_back({dir / "read", 1});
    w.main.ToolButton68Click();
    EXPECT_EQ(w.dialogs.requests.at(0).filter, kSaveAndReadFilter);
    EXPECT_EQ(opened, (std::vector<std::string>{dir / "read.html"}));
    EXPECT_NE(Slurp(dir / "read.html").find(CreditFooter()), std::string::npos);
    EXPECT_EQ(w.main.settings.LastEditSaveAndReadDir, dir.path().string());
}

TEST(SaveSource, ExtensionByFilter) {
    ScratchDir dir;
    Window w;
    w.main.StoreSourceText("line one\nline two");
    w.dialogs.saves.push_back({dir / "a", 1});
    w.dialogs.saves.push_back({dir / "b", 2});
    w.dialogs.saves.push_back({dir / "c", 3});
    w.main.SaveSrc();
    w.main.SaveSrc();
    w.main.SaveSrc();
    EXPECT_EQ(Slurp(dir / "a.txt"), "line one\r\nline two");
    EXPECT_EQ(Slurp(dir / "b.html"), "line one\r\nline two");
    EXPECT_EQ(Slurp(dir / "c"), "line one\r\nline two");
}

TEST(Preview, NavigatesFirstThenReloads) {
    ScratchDir dir;
    Window w;
    w.PublishDocument();
    w.main.files.previewFile = dir / "$~$~tmp_book.txt.html";
    w.main.RefreshPreview();
    w.main.RefreshPreview();
    EXPECT_EQ(w.view.navigations, (std::vector<std::string>{w.main.files.previewFile}));
    EXPECT_EQ(w.view.reloads, 1);
    EXPECT_EQ(w.view.focusCount, 2);
    EXPECT_EQ(Slurp(w.main.files.previewFile), w.main.DocumentText());
    EXPECT_EQ(w.view.BodyText(), RenderPlainText(w.main.DocumentText()));
    EXPECT_EQ(w.status.statuses.back(), "Ready");
    EXPECT_NE(std::find(w.status.statuses.begin(), w.status.statuses.end(), "CurrentTask: Saving to file for browser"),
              w.status.statuses.end());
}

TEST(Preview, BlankWithoutAPreviewPath) {
    Window w;
    w.main.RefreshPreview();
    EXPECT_EQ(w.view.navigations, (std::vector<std::string>{"about:blank"}));
}

TEST(Preview, FileThatCannotBeCreatedKeepsTheOldPage) {
    ScratchDir dir;
    Window w;
    w.PublishDocument();
    w.main.files.previewFile = dir / "no/such/folder/p.html";
    w.main.RefreshPreview();
    EXPECT_EQ(w.status.statuses.back(), "Status:Error creating file, skipped. Now ready (Cannot create \"" +
                                            w.main.files.previewFile + "\": No such file or directory)");
    EXPECT_TRUE(w.view.navigations.empty());
    EXPECT_FALSE(w.main.files.previewShown);
}

TEST(Preview, DefaultDocumentHeadAndTail) {
    // Stages 1 and 2 with the default templates, then the preview text.
    Window w;
    w.main.doc.author = "Ann";
    w.main.doc.shortTitle = "Book";
    ConversionContext ctx = w.main.MakeContext();
    LineList src;
    src.Append("text");
    ctx.lines = StageTokenise(src, ctx);
    StageDocumentFrame(ctx);
    w.main.Publish(std::move(ctx.lines));
    const std::string doc = w.main.DocumentText();
    EXPECT_TRUE(doc.starts_with(FormatTemplate(w.main.templates.Get("Header"), {"Ann"}) +
                                "\r\n<title>Book</title></head><body>\r\n"));
    EXPECT_TRUE(doc.ends_with(CreditFooter() + "</body></html>"));
}

TEST(SaveAndRead, SplitDocumentOpensTheCopyOfTheLastPart) {
    ScratchDir src, dst;
    Window w;
    const std::vector<std::string>& opened = w.front.opened;
    w.PublishDocument();
    w.main.settings.BreakTextApartByToc = true;
    for (const char* name : {"part1.html", "index.html"}) {
        ASSERT_TRUE(WriteFileAtomic(src / name, name));
        w.main.files.partFiles.push_back(src / name);
    }
    w.main.ToolButton68Click();  // the folder chooser cancelled
    EXPECT_TRUE(opened.empty());
    w.dialogs.folders.push_back(dst.path().string());
    w.main.ToolButton68Click();
    EXPECT_TRUE(w.dialogs.requests.empty());  // no save dialog in the split case
    EXPECT_EQ(opened, (std::vector<std::string>{dst / "index.html"}));
    EXPECT_EQ(Slurp(dst / "index.html"), "index.html");
}

TEST(SaveResult, BookDescriptionOffersXmlFilters) {
    ScratchDir dir;
    Window w;
    w.PublishDocument();
    w.main.xmlDescriptionLoaded = true;
    w.main.templates.Set("FileExt", ".xml");
    w.dialogs.saves.push_back({dir / "book", 2});
    w.main.SaveHTML();
    ASSERT_EQ(w.dialogs.requests.size(), 1u);
    EXPECT_EQ(w.dialogs.requests[0].filter, kXmlResultFilter);
    EXPECT_EQ(w.dialogs.requests[0].filterIndex, 2);
    // The second filter is still mark-up, not plain text; XML output gets no footer.
    EXPECT_EQ(Slurp(dir / "book.xml"), w.main.Result().Join("\r\n"));
}

TEST(Preview, XmlOutputModeRunsTheCheckWithoutFooter) {
    ScratchDir dir;
    Window w;
    const int& checks = w.front.xmlChecks;
    w.PublishDocument();
    w.main.files.previewFile = dir / "p.html";
    w.main.RefreshPreview();
    EXPECT_EQ(checks, 0);
    w.main.templates.Set("FileExt", ".XML");
    w.main.RefreshPreview();
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(Slurp(w.main.files.previewFile), w.main.Result().Join("\r\n"));
}

TEST(Preview, HyphenationNoteFollowsTheCredit) {
    Window w;
    w.PublishDocument();
    w.main.settings.Hyphenate = true;
    w.main.settings.HyphFont = "Dev";
    w.main.settings.ILikeOrientation = false;
    EXPECT_TRUE(w.main.DocumentText().ends_with(
        CreditFooter() + "<br><br><br><div align=\"center\">Hyphenated for <i>&quot;Dev&quot;</i> in horisontal "
                         "(--like) orientation</div></body></html>"));
}

class FakeEditor : public SourceEditor {
public:
    std::string text;
    bool modified = true;
    Selection sel{3, 0};
    std::string Text() const override { return text; }
    void SetText(const std::string& t) override {
        text = t;
        sel = {};
    }
    bool Modified() const override { return modified; }
    void SetModified(bool m) override { modified = m; }
    Selection GetSelection() const override { return sel; }
    void SetSelection(const Selection& s) override { sel = s; }
};

TEST(Publish, HtmlEditorHoldsTheResultInAdvancedMode) {
    Window w;
    FakeEditor editor;
    w.main.ui.htmlEditor = &editor;
    w.main.settings.InterfaceMode = kAdvancedMode;
    w.main.settings.ShowHtml = true;
    w.PublishDocument("<div>a</div>");
    EXPECT_EQ(editor.text, "<html><head><title>T</title></head><body>\r\n<div>a</div>\r\n</body></html>");
    EXPECT_FALSE(editor.modified);
    EXPECT_EQ(editor.sel.start, 3u);  // the caret stays
    EXPECT_EQ(w.status.statuses.back(), "CurrentTask: Preparing to edit HTML code...");
    // Manual edits count.
    editor.text = "<body>edited</body>";
    EXPECT_EQ(w.main.Result().Join(), "<body>edited</body>");
    EXPECT_TRUE(w.main.DocumentText().starts_with("<body>edited"));
    // Outside that mode the result list is used.
    w.main.settings.ShowHtml = false;
    EXPECT_EQ(w.main.Result().Count(), 3u);
}

}  // namespace
}  // namespace pm::test
