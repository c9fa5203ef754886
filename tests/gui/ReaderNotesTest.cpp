// Notes and bookmarks with the real windows and the real web view: the
// note window and its link, bookmarks in reading order, the jump, the
// bookmark editor, and a converted Russian book read, annotated, left and
// found again.
#include <QAction>
#include <QTemporaryDir>

#include "ReaderSupport.h"
#include "reader/BookMarkers.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

namespace {

const QString kNoteLink = "a[href^=\"javascript:\"]";

// A note typed into the note window and confirmed.
void TypeNote(const QString& text, bool* doneEnabledWhenEmpty = nullptr) {
    WhenShown<TCommentWnd>([text, doneEnabledWhenEmpty](TCommentWnd& w) {
        if (doneEnabledWhenEmpty) *doneEnabledWhenEmpty = w.Button1->isEnabled();
        w.Memo1->setPlainText(text);
        w.Button1->click();
    });
}

// The bookmark name window answered with a name; the suggestion is kept.
void NameBookmark(const QString& name, QString* suggested = nullptr) {
    WhenShown<TBookmName>([name, suggested](TBookmName& w) {
        if (suggested) *suggested = w.Edit1->text();
        w.Edit1->setText(name);
        w.OkBtn->click();
    });
}

QStringList BookmarkNames(TMainWnd& w) {
    QStringList names;
    for (QAction* a : BookmarkItems(w)) names << StripMnemonic(a->text());
    return names;
}

}  // namespace

class ReaderNotesTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    // Apostrophes and quotes as entities, two lines with "<br>"; the link
    // opens the note's text in a small window; "Done" only with text.
    void noteWithQuotesAndTwoLines() {
        BookInReader book("b.html", "<p>The quiet harbour slept under the snow.</p>");
        QVERIFY(book.Shows("quiet harbour"));
        TMainWnd& w = book.w;
        WebView* view = w.CurrentBrowser();
        QVERIFY(SelectText(view, "quiet harbour"));
        bool doneWhenEmpty = true;
        TypeNote("It's \"calm\"\nSecond line", &doneWhenEmpty);
        w.Action(Cmd::AddNote)->trigger();
        QVERIFY(!doneWhenEmpty);
        QVERIFY(w.Reader().PendingChanges());
        const QString href = view->RunScript("document.querySelector('" + kNoteLink + "').getAttribute('href')").toString();
        QVERIFY2(href.contains(QString::fromUtf8("It\u2019s \"calm\"<br>Second line")), qPrintable(href));
        QCOMPARE(view->RunScript("document.querySelector('" + kNoteLink + "').textContent").toString(),
                 QString("quiet harbour"));
        w.Action(Cmd::SaveReader)->trigger();
        const std::string saved = ReadBytes(book.path);
        QVERIFY(saved.find("It\x92s &quot;calm&quot;<br>Second line") != std::string::npos);
        QVERIFY(saved.find("style=\"background-color: Lime; color: Black;\"") != std::string::npos);

        QVERIFY(ClickElement(view, kNoteLink));
        QTRY_VERIFY_WITH_TIMEOUT(NoteWindows().size() == 1, 10000);
        NoteWindow* note = NoteWindows().first();
        QTRY_COMPARE_WITH_TIMEOUT(note->windowTitle(), QString("Comment"), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(PageText(note->Page()).contains(QString::fromUtf8("It\u2019s \"calm\"")), 10000);
        QVERIFY(PageText(note->Page()).contains("Second line"));
        QCOMPARE(note->size(), QSize(400, 210));
        note->close();
    }

    void cancelledNoteAndMissingSelection() {
        BookInReader book("b.html", "<p>Plain words here.</p>");
        QVERIFY(book.Shows("Plain words"));
        TMainWnd& w = book.w;
        WebView* view = w.CurrentBrowser();
        w.Action(Cmd::AddNote)->trigger();
        w.Action(Cmd::AddBookmark)->trigger();
        QCOMPARE(book.f.questions.CountAsked("message"), size_t(2));
        QCOMPARE(book.f.questions.asked.back().caption, std::string("Unable to set bookmark"));
        QCOMPARE(book.f.questions.asked.back().text, std::string("Select some text first!"));
        QVERIFY(SelectText(view, "words"));
        WhenShown<TCommentWnd>([](TCommentWnd& c) {
            c.Memo1->setPlainText("never mind");
            c.Button2->click();
        });
        w.Action(Cmd::AddNote)->trigger();
        QCOMPARE(view->RunScript("document.querySelectorAll('a').length").toInt(), 0);
        QVERIFY(!w.Reader().PendingChanges());
    }

    // A bookmark at the top has an ID from 0 to 19, one at the bottom of a
    // long page one near the end; the menu keeps reading order; the jump
    // brings the anchor into view.
    void bookmarksInReadingOrder() {
        BookInReader book("long.html",
                          "<p><b>Bold</b> start of the book</p>" + LongBody(200000) + "<p>The very last words.</p>");
        QVERIFY(book.Shows("very last"));
        TMainWnd& w = book.w;
        WebView* view = w.CurrentBrowser();

        QVERIFY(SelectText(view, "Bold start"));
        QString suggested;
        NameBookmark("Top", &suggested);
        w.Action(Cmd::AddBookmark)->trigger();
        QCOMPARE(suggested, QString("Bold start"));
        QCOMPARE(BookmarkItems(w).size(), 1);
        const int top = BookmarkItems(w)[0]->data().toInt();
        QVERIFY2(top >= 0 && top <= 19, qPrintable(QString::number(top)));
        QCOMPARE(view->RunScript("document.getElementById('" + QString::number(top) + "').outerHTML").toString(),
                 QString("<a style=\"background-color: Red; color: White;\" id=\"%1\" name=\"%1\"><b>Bold</b> start</a>")
                     .arg(top));

        view->ScrollTo(0, view->ScrollHeight());
        QVERIFY(SelectText(view, "very last"));
        NameBookmark("Bottom");
        w.Action(Cmd::AddBookmark)->trigger();
        const int bottom = BookmarkItems(w)[1]->data().toInt();
        QVERIFY2(bottom > reader::kRelativeScale / 10 * 9, qPrintable(QString::number(bottom)));

        QVERIFY(SelectText(view, "Paragraph 1000 of"));
        view->RunScript("getSelection().getRangeAt(0).startContainer.parentNode.scrollIntoView()");
        QVERIFY(view->ScrollTop() > 0);
        NameBookmark("Middle");
        w.Action(Cmd::AddBookmark)->trigger();
        QCOMPARE(BookmarkNames(w), (QStringList{"Top", "Middle", "Bottom"}));
        QVERIFY(w.Reader().PendingChanges());

        // The jump brings the anchor into view.
        const auto inView = [view](int id) {
            const int y = view->RunScript(QString("document.getElementById('%1').getBoundingClientRect().top").arg(id)).toInt();
            return y >= 0 && y < view->height();
        };
        view->ScrollTo(0, 0);
        QVERIFY(!inView(bottom));
        BookmarkItems(w)[2]->trigger();
        QVERIFY(inView(bottom));
        QVERIFY(!inView(top));
        BookmarkItems(w)[0]->trigger();
        QVERIFY(inView(top));

        // Saved in menu order.
        w.Action(Cmd::SaveReader)->trigger();
        const std::vector<reader::Bookmark> saved = reader::ReadBookmarks(ReadBytes(book.path));
        QCOMPARE(saved.size(), size_t(3));
        QCOMPARE(saved[0].name, std::string("Top"));
        QCOMPARE(saved[1].name, std::string("Middle"));
        QCOMPARE(saved[2].id, bottom);
    }

    // The editor: "Remove" then "Cancel" keeps everything; "Edit name...",
    // "Remove" then "&Ok" renames, and leaves the removed one's text in
    // the page without its highlight.
    void bookmarkEditor() {
        const std::string block = reader::BookmarkBlock({{111, "One"}, {222, "Two"}}, 0);
        BookInReader book("b.html",
                          "<p><A style=\"background-color: Red; color: White;\" id=111 name=111>first mark</a> and "
                          "<A style=\"background-color: Red; color: White;\" id=222 name=222>second mark</a></p>",
                          block.substr(0, block.size() - 7));
        QVERIFY(book.Shows("second mark"));
        TMainWnd& w = book.w;
        WebView* view = w.CurrentBrowser();
        QCOMPARE(BookmarkNames(w), (QStringList{"One", "Two"}));

        QStringList listed;
        WhenShown<TBookManage>([&listed](TBookManage& m) {
            for (int n = 0; n < m.ListBox1->count(); ++n) listed << m.ListBox1->item(n)->text();
            m.ListBox1->setCurrentRow(0);
            m.RemoveBtn->click();
            m.CancelBtn->click();
        });
        w.Action(Cmd::ManageBookmarks)->trigger();
        QCOMPARE(listed, (QStringList{"One", "Two"}));
        QCOMPARE(BookmarkNames(w), (QStringList{"One", "Two"}));
        QVERIFY(view->HasElement("111"));
        QVERIFY(w.Reader().PendingChanges());  // however the editor closed

        WhenShown<TBookManage>([](TBookManage& m) {
            m.EditBtn->click();  // nothing selected: nothing happens
            m.ListBox1->setCurrentRow(1);
            WhenShown<TBookmName>([](TBookmName& n) {
                n.Edit1->setText("Second");
                n.OkBtn->click();
            });
            m.EditBtn->click();
            m.ListBox1->setCurrentRow(0);
            m.RemoveBtn->click();
            m.OkBtn->click();
        });
        w.Action(Cmd::ManageBookmarks)->trigger();
        QCOMPARE(BookmarkNames(w), (QStringList{"Second"}));
        QCOMPARE(BookmarkItems(w)[0]->data().toInt(), 222);
        QVERIFY(!view->HasElement("111"));
        QVERIFY(view->HasElement("222"));
        QVERIFY(PageContains(view, "first mark"));
        QCOMPARE(view->RunScript("document.querySelector('p a').attributes.length").toInt(), 0);
        w.Action(Cmd::SaveReader)->trigger();
        const std::vector<reader::Bookmark> saved = reader::ReadBookmarks(ReadBytes(book.path));
        QCOMPARE(saved.size(), size_t(1));
        QCOMPARE(saved[0].name, std::string("Second"));
    }

    void managerWithoutBookmarksOpensNothing() {
        BookInReader book("b.html", "nothing marked");
        TMainWnd& w = book.w;
        bool opened = false;
        QTimer::singleShot(3000, [&opened] {
            for (QWidget* x : QApplication::topLevelWidgets())
                if (auto* m = qobject_cast<TBookManage*>(x); m && m->isVisible()) {
                    opened = true;
                    m->reject();
                }
        });
        w.Action(Cmd::ManageBookmarks)->trigger();
        QVERIFY(!opened);
        QVERIFY(!w.Reader().ManageWindow()->isVisible());
        QVERIFY(!w.Reader().PendingChanges());
    }

    // The bookmark name window: typing stops at 40 characters, a longer
    // suggestion is shown whole.
    void nameWindowLimitsTyping() {
        Fixture f;
        TMainWnd& w = f.Open();
        TBookmName& n = *w.Reader().NameWindow();
        const QString fifty(50, 'a');
        QStringList seen;
        WhenShown<TBookmName>([&seen](TBookmName& win) {
            seen << win.Edit1->text();
            QTest::keyClick(win.Edit1, Qt::Key_End);
            QTest::keyClicks(win.Edit1, "b");
            seen << win.Edit1->text();
            QTest::keyClick(win.Edit1, Qt::Key_Backspace);
            QTest::keyClicks(win.Edit1, "b");
            seen << win.Edit1->text();
            win.Edit1->selectAll();
            QTest::keyClick(win.Edit1, Qt::Key_Delete);
            QTest::keyClicks(win.Edit1, QString(45, 'c'));
            win.OkBtn->click();
        });
        QCOMPARE(n.Ask(fifty), std::optional<QString>(QString(40, 'c')));
        QCOMPARE(seen, (QStringList{fifty, fifty, QString(49, 'a')}));
    }

    // The windows take their captions from the localization, each one
    // falling back to its own.
    void windowsTakeLocalizedCaptions() {
        Fixture f;
        f.tree.SetDWord(Root() + "\\interface", "target", 600);
        f.tree.SetString(Root() + "\\interface\\Controls\\enter comment", "title", "Note it");
        f.tree.SetString(Root() + "\\interface\\Controls\\bookmark", "btn2", "&Never");
        f.tree.SetString(Root() + "\\interface\\Controls\\bookmark editor", "btn4", "Drop");
        TMainWnd& w = f.Open();
        QCOMPARE(w.Reader().CommentWindow()->windowTitle(), QString("Note it"));
        QCOMPARE(w.Reader().CommentWindow()->Button1->text(), QString("Done"));
        QCOMPARE(w.Reader().NameWindow()->CancelBtn->text(), QString("&Never"));
        QCOMPARE(w.Reader().NameWindow()->windowTitle(), QString("Enter the name for bookmark"));
        QCOMPARE(w.Reader().ManageWindow()->RemoveBtn->text(), QString("Drop"));
        QCOMPARE(w.Reader().ManageWindow()->EditBtn->text(), QString("Edit name..."));
    }

    // What the program is for: a converted Russian book read, annotated,
    // saved and left; at the next start it opens where it was, the bookmark
    // jumps, the note opens its text.
    void russianBookReadAnnotatedAndFoundAgain() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromUtf8("тихая гавань.html"));
        Fixture f;
        {
            TMainWnd& w = f.Open();
            QVERIFY(w.Main().LoadSrc(PM_TEST_DATA "/russian-book.txt"));
            std::string error;
            QVERIFY2(w.Main().SaveResultAs(ToFileName(path), SaveFormat::Html, &error), error.c_str());
            w.OpenForReading(ToFileName(path));  // what "Save & Read!" does once the file is written
            QCOMPARE(w.Mode(), 2);
            WebView* view = w.CurrentBrowser();
            QVERIFY(PageContains(view, QString::fromUtf8("Матвей Ильич")));
            QVERIFY(SelectText(view, QString::fromUtf8("Матвей Ильич")));
            TypeNote(QString::fromUtf8("Запомнить: он встаёт раньше всех.\nИ это важно."));
            w.Action(Cmd::AddNote)->trigger();
            // The chapter's heading, not its line in the contents.
            QVERIFY(SelectText(view, QString::fromUtf8("Глава первая"), 1));
            QString suggested;
            NameBookmark(QString::fromUtf8("Начало первой главы"), &suggested);
            w.Action(Cmd::AddBookmark)->trigger();
            QCOMPARE(suggested, QString::fromUtf8("Глава первая"));
            view->ScrollTo(0, 0);
            view->RunScript("getSelection().removeAllRanges()");
            Screenshot(&w, "reader-russian-note-bookmark");
            view->ScrollTo(0, 150);
            QCOMPARE(view->ScrollTop(), 150);
            w.Action(Cmd::SaveReader)->trigger();
            QVERIFY(!w.Reader().PendingChanges());
            const std::string saved = ReadBytes(path);
            const std::vector<reader::Bookmark> marks = reader::ReadBookmarks(saved);
            QCOMPARE(marks.size(), size_t(1));
            QCOMPARE(FromCp1251(marks[0].name), QString::fromUtf8("Начало первой главы"));
            QVERIFY(saved.find(ToCp1251(QString::fromUtf8("Запомнить: он встаёт раньше всех.<br>И это важно."))) !=
                    std::string::npos);
            QVERIFY(w.close());
            f.wnd.reset();
        }
        f.questions.asked.clear();
        TMainWnd& w = f.Open();
        QCOMPARE(w.Mode(), 2);
        WebView* view = w.CurrentBrowser();
        QVERIFY(PageContains(view, QString::fromUtf8("Матвей Ильич")));
        w.Reader().RestoreStartPos();
        QCOMPARE(view->ScrollTop(), 150);
        QCOMPARE(BookmarkNames(w), QStringList{QString::fromUtf8("Начало первой главы")});
        view->ScrollTo(0, view->ScrollHeight());
        BookmarkItems(w)[0]->trigger();
        QVERIFY(view->ScrollTop() < view->ScrollHeight() / 2);
        QVERIFY(ClickElement(view, kNoteLink));
        QTRY_VERIFY_WITH_TIMEOUT(!NoteWindows().isEmpty(), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(
            PageText(NoteWindows().first()->Page()).contains(QString::fromUtf8("он встаёт раньше всех")), 10000);
        NoteWindows().first()->close();
        QVERIFY(f.questions.asked.empty());
    }
};

QTEST_MAIN(ReaderNotesTest)
#include "ReaderNotesTest.moc"
