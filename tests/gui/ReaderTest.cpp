// The reader with the real web view: the bytes a save writes, the bookmark
// menu read from a book, the recent books, the reading position across
// opens and starts.
#include <QAction>
#include <QTemporaryDir>

#include "ReaderSupport.h"
#include "app/qt/QtQuestions.h"
#include "config/TMyReg.h"
#include "intake/qt/QuestionWindows.h"
#include "reader/BookMarkers.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

namespace {

const std::string kEmptyBlock = "<!-- Vorn's Pellmark bookmarks \n\r Vorn's Pellmark bookmarks -->";

int32_t Relative(TMainWnd& w) { return w.Reader().Doc().CurrentRelativePosition(); }

}  // namespace

class ReaderTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    // A book saved without bookmarks ends its body with the two comments;
    // a second save leaves one block; head and tail come from the file.
    void savedBookEndsAsWritten() {
        BookInReader book("book.html", "<p>First paragraph.</p>\r\n<p>Second.</p>");
        TMainWnd& w = book.w;
        QCOMPARE(w.Mode(), 2);
        QCOMPARE(w.windowTitle(), QString("Pellmark (reader) - book.html"));
        QVERIFY(book.Shows("Second."));
        QVERIFY(w.Action(Cmd::SaveReader)->isEnabled());
        w.Action(Cmd::SaveReader)->trigger();
        const std::string once = ReadBytes(book.path);
        QVERIFY2(once.rfind(kBookHead + "<body>", 0) == 0, once.c_str());
        const std::string end = kEmptyBlock + "<!-- Vorn's Pellmark position=\"0\" --></body></html>\r\n";
        QVERIFY2(once.size() > end.size() && once.compare(once.size() - end.size(), end.size(), end) == 0, once.c_str());
        QVERIFY(once.find("<p>Second.</p>") != std::string::npos);

        w.CurrentBrowser()->Reload();
        QVERIFY(PageContains(w.CurrentBrowser(), "Second."));
        w.Action(Cmd::SaveReader)->trigger();
        const std::string twice = ReadBytes(book.path);
        QCOMPARE(twice, once);
        QCOMPARE(reader::ReadPosition(twice).value, 0);
        QVERIFY(book.f.questions.asked.empty());
    }

    // A lower-case body tag still gives the head; a page without one saves
    // from the serialised body on.
    void headTextFromAnyBodyTag() {
        QTemporaryDir dir;
        const QString lower = dir.filePath("lower.html");
        WriteFile(lower, kBookHead + "<body bgcolor=\"white\">text</body></html>");
        const QString none = dir.filePath("none.html");
        WriteFile(none, kBookHead + "<p>no body tag</p>");
        Fixture f;
        TMainWnd& w = f.Open();
        w.OpenInReader(ToFileName(lower));
        QCOMPARE(w.Reader().Doc().HeadText(), kBookHead);
        QCOMPARE(w.Reader().Doc().TailText(), std::string("</html>"));
        QVERIFY(PageContains(w.CurrentBrowser(), "text"));
        w.Action(Cmd::SaveReader)->trigger();
        QVERIFY(ReadBytes(lower).rfind(kBookHead + "<body bgcolor=\"white\">text" + kEmptyBlock, 0) == 0);
        w.OpenInReader(ToFileName(none));
        QVERIFY(PageContains(w.CurrentBrowser(), "no body tag"));
        QCOMPARE(w.Reader().Doc().HeadText(), std::string());
        w.Action(Cmd::SaveReader)->trigger();
        QVERIFY(ReadBytes(none).rfind("<body><p>no body tag</p>", 0) == 0);
    }

    // The bookmark menu is rebuilt from the file with the reader's rules.
    void bookmarkMenuFromTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("marks.html");
        WriteBook(path, "<p>x</p>",
                  "<!-- Vorn's Pellmark bookmarks \n\r"
                  "<bookmark id=\"10\" NM=\"Lower tag & id\">\n\r"
                  "<BOOKMARK ID=\"20\" nm=\"lower name\">\n\r"
                  "<BOOKMARK ID=\"2x\" NM=\"not a number\">\n\r"
                  "<BOOKMARK ID=\"30\" NM=\"Cut \"here\">and the rest\">\n\r"
                  " Vorn's Pellmark bookmarks -->");
        Fixture f;
        TMainWnd& w = f.Open();
        QCOMPARE(w.Menu("bookmarks")->actions().size(), 3);
        w.OpenInReader(ToFileName(path));
        QStringList names;
        QList<int> ids;
        for (QAction* a : BookmarkItems(w)) {
            names << StripMnemonic(a->text());
            ids << a->data().toInt();
        }
        QCOMPARE(names, (QStringList{"Lower tag & id", "Cut \"here"}));
        QCOMPARE(ids, (QList<int>{10, 30}));
        QCOMPARE(Captions(w.Menu("bookmarks")).at(2), QString("-"));
        // Another book brings its own list.
        const QString other = dir.filePath("other.html");
        WriteBook(other, "y");
        w.OpenInReader(ToFileName(other));
        QVERIFY(BookmarkItems(w).isEmpty());
    }

    // "Recent files": long paths shortened, Ctrl+1 to Ctrl+6 with a gap for
    // a missing book, and "(empty)" until a book was read.
    void recentFilesMenu() {
        QTemporaryDir dir;
        Fixture f;
        const QString folder = dir.path() + "/";
        const int fill = 60 - int(ToFileName(folder).size()) - 5;
        QVERIFY(fill > 0);
        const QString longPath = folder + QString(fill, 'n') + ".html";
        QCOMPARE(ToFileName(longPath).size(), size_t(60));
        WriteBook(longPath, "long");
        const QString shortPath = dir.filePath("s.html");
        WriteBook(shortPath, "short");
        f.tree.SetString(Root(), "Recent reader file 0", ToFileName(longPath));
        f.tree.SetString(Root(), "Recent reader file 1", ToFileName(dir.filePath("gone.html")));
        f.tree.SetString(Root(), "Recent reader file 2", ToFileName(shortPath));
        TMainWnd& w = f.Open();
        const QList<QAction*> items = w.Menu("recent files")->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(StripMnemonic(items[0]->text()), longPath.left(4) + "..." + longPath.right(36));
        QCOMPARE(items[0]->shortcut(), QKeySequence("Ctrl+1"));
        QCOMPARE(StripMnemonic(items[1]->text()), shortPath);
        QCOMPARE(items[1]->shortcut(), QKeySequence("Ctrl+3"));
        QVERIFY(w.Menu("recent files")->isEnabled());
        // The bookshelf drops down the same books.
        w.Reader().HistoryPoupUpPopup();
        QCOMPARE(Captions(w.Reader().HistoryPopup()), Captions(w.Menu("recent files")));
        // An item opens its book in the reader.
        items[1]->trigger();
        QCOMPARE(w.Mode(), 2);
        QVERIFY(PageContains(w.CurrentBrowser(), "short"));

        Fixture fresh;
        TMainWnd& nothing = fresh.Open();
        QCOMPARE(StripMnemonic(nothing.Menu("recent files")->actions().value(0)->text()), QString("(empty)"));
        QCOMPARE(nothing.Menu("recent files")->actions().size(), 1);
        QVERIFY(!nothing.Menu("recent files")->actions()[0]->isEnabled());
    }

    // The eleventh book is kept in memory; ten are written at exit.
    void eleventhBook() {
        QTemporaryDir dir;
        Fixture f;
        TMainWnd& w = f.Open();
        for (int n = 1; n <= 11; ++n) {
            const QString p = dir.filePath(QString("b%1.html").arg(n));
            WriteBook(p, "book " + std::to_string(n));
            w.OpenInReader(ToFileName(p));
        }
        QCOMPARE(w.Reader().Doc().Recent().Size(), size_t(11));
        QVERIFY(w.Reader().Doc().Recent().Find(ToFileName(dir.filePath("b1.html"))));
        QCOMPARE(w.Menu("recent files")->actions().size(), 6);
        f.wnd.reset();
        const TMyReg reg(f.tree, kRootKey);
        QCOMPARE(reg.ReadString("Recent reader file 0", ""), ToFileName(dir.filePath("b11.html")));
        QCOMPARE(reg.ReadString("Recent reader file 9", ""), ToFileName(dir.filePath("b2.html")));
        for (int n = 0; n < 10; ++n)
            QVERIFY(reg.ReadString("Recent reader file " + std::to_string(n), "") != ToFileName(dir.filePath("b1.html")));
    }

    // Position 0 in the list falls back to the file's position, asked with
    // the large-file window and its "Skip" button.
    void listPositionZeroFallsBackToTheFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("long.html");
        WriteBook(path, LongBody(200000), "<!-- Vorn's Pellmark position=\"1073741823\" -->");
        Fixture f;
        f.tree.SetString(Root(), "Recent reader file 0", ToFileName(path));
        TMainWnd& w = f.Open();
        w.OpenInReader(ToFileName(path));
        QCOMPARE(f.questions.CountAsked("large"), size_t(1));
        QCOMPARE(f.questions.asked.back().caption, std::string("Skip"));
        QCOMPARE(f.questions.asked.back().text, w.Main().texts.Msg("LastOpenPage"));
        const int height = w.CurrentBrowser()->ScrollHeight();
        QVERIFY(height > 10000);
        QVERIFY(std::abs(w.CurrentBrowser()->ScrollTop() - height / 2) <= 1);
        // "Skip" leaves the book at the top.
        Fixture skip;
        skip.questions.proceedLargeFile = false;
        TMainWnd& w2 = skip.Open();
        w2.OpenInReader(ToFileName(path));
        QCOMPARE(skip.questions.CountAsked("large"), size_t(1));
        QCOMPARE(w2.CurrentBrowser()->ScrollTop(), 0);
    }

    // A foreign page with "Open for editing not converted" = 1 goes to the
    // editor without a question; the recent list stays as it was.
    void foreignPageGoesToTheEditor() {
        QTemporaryDir dir;
        const QString page = dir.filePath("page.html");
        WriteFile(page, "<html><body><p>Somebody else's page.</p></body></html>");
        Fixture f;
        f.tree.SetDWord(Root(), "Open for editing not converted", 1);
        f.tree.SetString(Root(), "Recent reader file 0", "/old/book.html");
        TMainWnd& w = f.Open();
        w.OpenInReader(ToFileName(page));
        QCOMPARE(w.Mode(), 0);
        QCOMPARE(f.questions.CountAsked("notconverted"), size_t(0));
        QCOMPARE(w.Main().openDialogFile, ToFileName(page));
        QVERIFY(w.Main().HasResult());
        QCOMPARE(w.Main().settings.recent[0].path, std::string("/old/book.html"));
        QCOMPARE(w.Main().settings.recent[1].path, std::string());
        QCOMPARE(w.Reader().Doc().Recent().Size(), size_t(10));
        // Asked when set so; "Open document for reading" reads it.
        Fixture asks;
        asks.questions.formattingChoice = FormattingDetectedAnswer::Choice::OpenForReading;
        TMainWnd& w2 = asks.Open();
        w2.OpenInReader(ToFileName(page));
        QCOMPARE(asks.questions.CountAsked("notconverted"), size_t(1));
        QCOMPARE(asks.questions.asked.back().text, w2.Main().texts.Msg("DocNotYet"));
        QCOMPARE(w2.Mode(), 2);
        QVERIFY(PageContains(w2.CurrentBrowser(), "Somebody else"));
    }

    // The question about a foreign book: the formatting window with
    // "Open document for editing" preselected and "Never ask me again" clear.
    void notConvertedQuestionWindow() {
        ConfigTree tree;
        Texts texts;
        const bool localized = false;
        QtQuestions q(nullptr, tree, texts, localized);
        bool editing = false, reading = true, never = true;
        QString message;
        WhenShown<TDetectWnd>([&](TDetectWnd& d) {
            editing = d.OpenForEditing->isChecked();
            reading = d.OpenForReading->isChecked();
            never = d.NeverAsk->isChecked();
            message = d.Message->text();
            d.NeverAsk->setChecked(true);
            d.OkBtn->click();
        });
        const FormattingDetectedAnswer a = q.AskNotConverted(texts.Msg("DocNotYet"));
        QVERIFY(editing && !reading && !never);
        QCOMPARE(message, QString("This document was NOT yet formated with Pellmark program."));
        QCOMPARE(a.choice, FormattingDetectedAnswer::Choice::OpenForEditing);
        QVERIFY(a.neverAskAgain);
        // The next time the box is clear again.
        WhenShown<TDetectWnd>([&](TDetectWnd& d) {
            never = d.NeverAsk->isChecked();
            d.OpenForReading->setChecked(true);
            d.OkBtn->click();
        });
        QCOMPARE(q.AskNotConverted("x").choice, FormattingDetectedAnswer::Choice::OpenForReading);
        QVERIFY(!never);
    }

    // The start-up restore: pixels of the last run, from 100 on.
    void startPositionInPixels() {
        QTemporaryDir dir;
        const QString path = dir.filePath("long.html");
        WriteBook(path, LongBody(300000), "<!-- Vorn's Pellmark position=\"1073741823\" -->");
        for (int stored : {99, 100, 64321}) {
            Fixture f;
            f.tree.SetDWord(Root(), "Interface mode", 2);
            f.tree.SetString(Root(), "Last reader file", ToFileName(path));
            f.tree.SetDWord(Root(), "Last readed doc pos", stored);
            TMainWnd& w = f.Open();
            QCOMPARE(w.Mode(), 2);
            // The reopening at start restores nothing from the file.
            QVERIFY(f.questions.asked.empty());
            QVERIFY(PageContains(w.CurrentBrowser(), "Paragraph 1 "));
            QCOMPARE(w.CurrentBrowser()->ScrollTop(), 0);
            w.Reader().RestoreStartPos();
            QCOMPARE(w.CurrentBrowser()->ScrollTop(), stored < 100 ? 0 : stored);
            QCOMPARE(w.PanelText(1), QString("Ready"));
        }
    }

    // A megabyte of text saved at a place opens there again: from the file
    // in a new run, from the recent list in the same one.
    void megabyteBookReopensWhereItWasLeft() {
        QTemporaryDir dir;
        const QString path = dir.filePath("big.html");
        WriteBook(path, LongBody(1 << 20));
        const QString small = dir.filePath("small.html");
        WriteBook(small, "small");
        Fixture f;
        f.tree.SetDWord(Root(), "Authobookmarks behavior", 1);
        TMainWnd& w = f.Open();
        w.OpenInReader(ToFileName(path));
        WebView* view = w.CurrentBrowser();
        WaitLoaded(view);
        const int height = view->ScrollHeight();
        QVERIFY(height > 100000);
        view->ScrollTo(0, height * 37 / 100);
        const int32_t before = Relative(w);
        QVERIFY(before > 0);
        w.Action(Cmd::SaveReader)->trigger();
        QCOMPARE(reader::ReadPosition(ReadBytes(path)).value, before);
        // Another book over it, then back through "Recent files".
        w.OpenInReader(ToFileName(small));
        QVERIFY(PageContains(view, "small"));
        QAction* item = w.Menu("recent files")->actions().at(1);
        QCOMPARE(StripMnemonic(item->text()), path);
        item->trigger();
        const int32_t onePixel = reader::kRelativeScale / height + 1;
        QVERIFY2(std::abs(Relative(w) - before) <= onePixel, qPrintable(QString::number(Relative(w) - before)));
        f.wnd.reset();

        // A new run, the book's position known from the file only.
        f.tree.SetDWord(Root(), "Interface mode", 0);
        f.tree.SetDWord(Root(), "Recent reader file pos 0", 0);
        f.tree.SetDWord(Root(), "Recent reader file pos 1", 0);
        f.questions.asked.clear();
        TMainWnd& w2 = f.Open();
        w2.OpenInReader(ToFileName(path));
        QVERIFY(f.questions.asked.empty());  // "Authobookmarks behavior" 1: no question
        QVERIFY2(std::abs(Relative(w2) - before) <= onePixel, qPrintable(QString::number(Relative(w2) - before)));
    }

    // "Save active file" leaves nothing pending: closing asks nothing.
    void saveClearsThePendingMark() {
        BookInReader book("b.html", "b");
        TMainWnd& w = book.w;
        w.Reader().MarkChanged();
        w.Action(Cmd::SaveReader)->trigger();
        QVERIFY(!w.Reader().PendingChanges());
        QVERIFY(w.close());
        QCOMPARE(book.f.questions.CountAsked("yesnocancel"), size_t(0));
    }

    // Leaving the reader for another mode settles the pending changes:
    // Cancel stays in the reader, Yes saves.
    void leavingTheReaderAsksFirst() {
        BookInReader book("b.html", "b");
        QVERIFY(book.Shows("b"));
        TMainWnd& w = book.w;
        w.Reader().MarkChanged();
        book.f.questions.yesNoCancel = YesNoCancel::Cancel;
        w.Action(Cmd::SimpleMode)->trigger();
        QCOMPARE(w.Mode(), 2);
        QVERIFY(w.Action(Cmd::ReaderMode)->isChecked());
        QVERIFY(w.Reader().PendingChanges());
        book.f.questions.yesNoCancel = YesNoCancel::Yes;
        w.Action(Cmd::SimpleMode)->trigger();
        QCOMPARE(w.Mode(), 0);
        QVERIFY(!w.Reader().PendingChanges());
        QVERIFY(ReadBytes(book.path).find("Vorn's Pellmark position") != std::string::npos);
    }
};

QTEST_MAIN(ReaderTest)
#include "ReaderTest.moc"
