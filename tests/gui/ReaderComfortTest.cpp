// Reading comfort with the real web view: autoscroll driven tick by tick,
// its speed limits, the progress and clock, text size, styles, and full
// screen with the hand-over of a book with unsaved notes.
#include <QAction>
#include <QFileInfo>
#include <QFontInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "ReaderSupport.h"
#include "config/TMyReg.h"
#include "reader/ReadingComfort.h"
#include "reader/qt/Colorifer.h"
#include "reader/qt/FullScreen.h"
#include "reader/qt/ViewControls.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

namespace {

ViewControls& Controls(TMainWnd& w) { return w.Reader().Controls(); }

// Opens a long book in the reader and waits for its text.
void OpenLongBook(TMainWnd& w, const QString& path) {
    WriteBook(path, LongBody(60000));
    w.OpenInReader(ToFileName(path));
    QVERIFY(PageContains(w.CurrentBrowser(), "Paragraph 3 "));
}

// A window of its own showing a long book in the reader: where most of
// these tests start.
struct LongBookShown : BookInReader {
    LongBookShown() : BookInReader("book.html", LongBody(60000)) { QVERIFY(Shows("Paragraph 3 ")); }
};

class RecordedStatus : public StatusSink {
public:
    std::vector<std::string> lines;
    void Status(const std::string& t) override { lines.push_back(t); }
    void Progress(const std::string&) override {}
};

// Closes the window once the check is over, also when a check failed, so
// that a failure never leaves the test inside the window's loop.
struct CloseAfterwards {
    QDialog* window;
    ~CloseAfterwards() { QTimer::singleShot(0, window, &QDialog::reject); }
};

// The address of the first note link of the page (its text inside).
QString NoteHref(WebView* view) {
    return view->RunScript("(function(){var a=document.querySelector('a[href^=\"javascript:\"]');"
                           "return a?a.getAttribute('href'):'';})()")
        .toString();
}

// The width the page gives a line of text drawn in the family.
double TextWidth(WebView* view, const QString& family) {
    return view
        ->RunScript("(function(f){var c=document.createElement('canvas').getContext('2d');c.font='40px \"'+f+'\"';"
                    "return c.measureText('Reading comfort, \u0447\u0442\u0435\u043d\u0438\u0435').width;})('" +
                    family + "')")
        .toDouble();
}

QString BodyColor(WebView* view) { return view->RunScript("getComputedStyle(document.body).color").toString(); }

}  // namespace

class ReaderComfortTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    // "Faster" at 10 and "Slower" at 1000 stay there; the status line shows
    // the steps per second; the menu items step by one.
    void speedLimits() {
        LongBookShown book;
        TMainWnd& w = book.w;
        Settings& s = w.Main().settings;
        s.SetAutoscrollSpeed(10);
        w.Action(Cmd::Faster)->trigger();
        QCOMPARE(s.AutoscrollSpeed, 10);
        QCOMPARE(w.PanelText(1), QString("100/sec"));
        w.Action(Cmd::Slower)->trigger();
        QCOMPARE(s.AutoscrollSpeed, 12);
        w.Action(Cmd::IncreaseScroll)->trigger();
        QCOMPARE(s.AutoscrollSpeed, 11);
        QCOMPARE(w.PanelText(1), QString("90/sec"));
        s.SetAutoscrollSpeed(1000);
        w.Action(Cmd::Slower)->trigger();
        QCOMPARE(s.AutoscrollSpeed, 1000);
        QCOMPARE(w.PanelText(1), QString("1/sec"));
        w.Action(Cmd::DecreaseScroll)->trigger();
        QCOMPARE(s.AutoscrollSpeed, 1000);
        w.Action(Cmd::Faster)->trigger();
        QCOMPARE(s.AutoscrollSpeed, 998);
        QCOMPARE(Controls(w).Timer1.interval(), 998);
    }

    // A stored speed of 5 drives the timer as it is until the first change,
    // and is written back unchanged when nothing changed it.
    void storedSpeedUsedUntilChanged() {
        QTemporaryDir dir;
        Fixture f;
        f.tree.SetDWord(Root(), "Autoscroll speed", 5);
        {
            TMainWnd& w = f.Open();
            OpenLongBook(w, dir.filePath("book.html"));
            w.Action(Cmd::AutoscrollOn)->trigger();
            QCOMPARE(Controls(w).Timer1.interval(), 5);
            Controls(w).StopAutoscroll();
            f.wnd.reset();
        }
        QCOMPARE(TMyReg(f.tree, kRootKey).ReadInteger("Autoscroll speed", 0), 5);
        TMainWnd& w = f.Open();
        OpenLongBook(w, dir.filePath("book.html"));
        w.Action(Cmd::DecreaseScroll)->trigger();
        QCOMPARE(w.Main().settings.AutoscrollSpeed, 10);
        QCOMPARE(w.PanelText(1), QString("100/sec"));
    }

    // Each tick moves the page one pixel, two in turbo mode, none while the
    // window is minimised. Opening a book and leaving the reader stop it.
    void autoscrollTicks() {
        LongBookShown book;
        TMainWnd& w = book.w;
        ViewControls& c = Controls(w);
        w.Action(Cmd::AutoscrollOn)->trigger();
        QVERIFY(c.AutoscrollOn());
        QVERIFY(w.Action(Cmd::AutoscrollOn)->isChecked());
        QVERIFY(w.Action(Cmd::EnableAutoscroll)->isChecked());
        QVERIFY(c.ScreenKeeper().Inhibited());
        // The test drives the steps itself.
        c.Timer1.stop();
        WebView* view = w.CurrentBrowser();
        const int start = view->ScrollTop();
        const int ticks = 7;
        for (int i = 0; i < ticks; ++i) c.Timer1Timer();
        QCOMPARE(view->ScrollTop(), start + ticks);
        w.Action(Cmd::TurboScroll)->trigger();
        QVERIFY(w.Main().settings.TurboScroll);
        for (int i = 0; i < ticks; ++i) c.Timer1Timer();
        QCOMPARE(view->ScrollTop(), start + 3 * ticks);
        w.setWindowState(Qt::WindowMinimized);
        c.Timer1Timer();
        QCOMPARE(view->ScrollTop(), start + 3 * ticks);
        w.setWindowState(Qt::WindowNoState);
        c.Timer1Timer();
        QCOMPARE(view->ScrollTop(), start + 3 * ticks + 2);

        w.Action(Cmd::EnableAutoscroll)->trigger();
        QVERIFY(c.AutoscrollOn());
        w.OpenInReader(ToFileName(book.path));
        QVERIFY(!c.AutoscrollOn());
        QVERIFY(!w.Action(Cmd::AutoscrollOn)->isChecked());
        QVERIFY(!c.ScreenKeeper().Inhibited());
        w.Action(Cmd::AutoscrollOn)->trigger();
        QVERIFY(c.AutoscrollOn());
        w.SetInterfaceMode(0);
        QVERIFY(!c.AutoscrollOn());
        QVERIFY(!w.Action(Cmd::EnableAutoscroll)->isChecked());
        // The speed keys belong to the reader.
        QVERIFY(w.Action(Cmd::IncreaseScroll)->shortcut().isEmpty());
    }

    // The progress in the first panel, the time in the third.
    void progressAndClock() {
        LongBookShown book;
        TMainWnd& w = book.w;
        WebView* view = w.CurrentBrowser();
        view->ScrollTo(0, view->ScrollHeight() / 2);
        QTest::qWait(50);
        Controls(w).Timer2Timer();
        const int expected = reader::ProgressPercent(view->ScrollTop(), view->ScrollHeight());
        QVERIFY(expected > 40);
        QCOMPARE(w.PanelText(0), QString::number(expected) + "%");
        QVERIFY2(QRegularExpression("\\d{1,2}:\\d\\d:\\d\\d").match(w.PanelText(2)).hasMatch(),
                 qPrintable(w.PanelText(2)));
        QVERIFY(Controls(w).Timer2.isActive());
    }

    // "Increase" at the largest size and "Decrease" at the smallest stay.
    void textSizeEnds() {
        LongBookShown book;
        TMainWnd& w = book.w;
        w.Action(Cmd::Largest)->trigger();
        w.Action(Cmd::IncreaseSize)->trigger();
        QCOMPARE(w.Main().settings.BrowserFontSize, 4);
        QVERIFY(w.Action(Cmd::Largest)->isChecked());
        QCOMPARE(w.CurrentBrowser()->zoomFactor(), WebView::ZoomFactor(4));
        w.Action(Cmd::Smallest)->trigger();
        w.Action(Cmd::DecreaseSize)->trigger();
        QCOMPARE(w.Main().settings.BrowserFontSize, 0);
        QVERIFY(w.Action(Cmd::Smallest)->isChecked());
        QCOMPARE(w.CurrentBrowser()->zoomFactor(), WebView::ZoomFactor(0));
        w.Action(Cmd::IncreaseSize)->trigger();
        QCOMPARE(w.Main().settings.BrowserFontSize, 1);
    }

    // The yellow style: laid over the page, remembered without a size,
    // marks the book changed; "None" removes it and forgets nothing; the
    // next book opened receives it without being marked.
    void builtInStyleAndNone() {
        LongBookShown book;
        TMainWnd& w = book.w;
        QVERIFY(w.Action(Cmd::ApplyLast)->isChecked());
        w.Action(Cmd::BlackYellow)->trigger();
        WebView* view = w.CurrentBrowser();
        QCOMPARE(BodyColor(view), QString("rgb(255, 255, 0)"));
        QCOMPARE(FromCp1251(view->BodyStyle(BodyStyleProperty::FontFamily)), QString("Verdana"));
        // Without Verdana on the system, the page shows the font the system
        // puts in its place, not the browser's default serif.
        const QString substitute = QFontInfo(QFont("Verdana")).family();
        QTRY_COMPARE(TextWidth(view, "Verdana"), TextWidth(view, substitute));
        if (substitute != "Verdana") QVERIFY(TextWidth(view, "Verdana") != TextWidth(view, "serif"));
        QVERIFY(view->BodyOuterHtml().find("local(") == std::string::npos);
        const Settings& s = w.Main().settings;
        QCOMPARE(s.DefStyleFontName, std::string("Verdana"));
        QCOMPARE(s.DefStyleFontSize, std::string());
        QCOMPARE(s.DefStyleFontColor, std::string("Yellow"));
        QCOMPARE(s.DefStyleBodyColor, std::string("Black"));
        QVERIFY(w.Reader().PendingChanges());
        Controls(w).Timer2Timer();
        Screenshot(&w, "reader-yellow-style");

        w.Reader().ForgetReaderChanges();
        w.Action(Cmd::NoStyle)->trigger();
        QCOMPARE(view->BodyStyle(BodyStyleProperty::CssText), std::string());
        QVERIFY(!w.Reader().PendingChanges());
        QCOMPARE(s.DefStyleFontColor, std::string("Yellow"));

        const QString other = book.dir.filePath("other.html");
        WriteBook(other, "<p>Another book.</p>");
        w.OpenInReader(ToFileName(other));
        QVERIFY(PageContains(w.CurrentBrowser(), "Another book."));
        QTRY_COMPARE(BodyColor(w.CurrentBrowser()), QString("rgb(255, 255, 0)"));
        QVERIFY(!w.Reader().PendingChanges());

        // The status line while it is applied, on the real view.
        RecordedStatus status;
        QVERIFY(reader::ApplyReaderStyle(*w.CurrentBrowser(), reader::RememberedStyle(s), w.Main().texts, status));
        QCOMPARE(status.lines.front(), std::string("CurrentTask: Applying style [\"Verdana, , Yellow\" on \"Black\"]. "
                                                   "Please wait, this may take a while..."));
        QCOMPARE(status.lines.back(), std::string("Ready"));

        // Unchecked, a new book keeps its own colours.
        w.Action(Cmd::ApplyLast)->trigger();
        QVERIFY(!s.ApplyReaderStyleForNewDocs);
        w.OpenInReader(ToFileName(book.path));
        QVERIFY(PageContains(w.CurrentBrowser(), "Paragraph 3 "));
        QCOMPARE(w.CurrentBrowser()->BodyStyle(BodyStyleProperty::Color), std::string());
    }

    // A custom colour with no name reads as #RRGGBB; Cancel changes nothing.
    void customStyle() {
        LongBookShown book;
        TMainWnd& w = book.w;
        WhenShown<TColorifer>([](TColorifer& c) {
            QCOMPARE(c.TextBox->currentText(), QString("Lime"));
            TColorifer::SetCustomColor(c.TextBox, QColor(255, 0, 0));
            c.BodyBox->setCurrentIndex(c.BodyBox->findText("White"));
            c.SpinEdit1->setValue(14);
            Screenshot(&c, "reader-colorifer");
            c.OkBtn->click();
        });
        w.Action(Cmd::CustomStyle)->trigger();
        const Settings& s = w.Main().settings;
        QCOMPARE(s.DefStyleFontColor, std::string("#FF0000"));
        QCOMPARE(s.DefStyleBodyColor, std::string("White"));
        QCOMPARE(s.DefStyleFontSize, std::string("14pt"));
        QVERIFY(!s.DefStyleFontName.empty());
        QCOMPARE(BodyColor(w.CurrentBrowser()), QString("rgb(255, 0, 0)"));
        QCOMPARE(w.CurrentBrowser()->BodyStyle(BodyStyleProperty::FontSize), std::string("14pt"));
        QVERIFY(w.Reader().PendingChanges());

        w.Reader().ForgetReaderChanges();
        WhenShown<TColorifer>([](TColorifer& c) {
            c.SpinEdit1->setValue(30);
            c.CancelBtn->click();
        });
        w.Action(Cmd::CustomStyle)->trigger();
        QCOMPARE(s.DefStyleFontSize, std::string("14pt"));
        QCOMPARE(w.CurrentBrowser()->BodyStyle(BodyStyleProperty::FontSize), std::string("14pt"));
        QVERIFY(!w.Reader().PendingChanges());
    }

    // Full screen takes the book with an unsaved note and gives it back at
    // the same place; the note stays on the page and still pending (closing
    // asks about it), the book's file is untouched and the hand-over file
    // is gone.
    void fullScreenHandOver() {
        LongBookShown book;
        TMainWnd& w = book.w;
        const std::string onDisk = ReadBytes(book.path);
        WebView* main = w.CurrentBrowser();
        // A note where full screen opens, a third down the book.
        QVERIFY(SelectText(main, "Paragraph 215 of the long book"));
        WhenShown<TCommentWnd>([](TCommentWnd& note) {
            note.Memo1->setPlainText("An unsaved note");
            note.Button1->click();
        });
        w.Action(Cmd::AddNote)->trigger();
        QVERIFY(w.Reader().PendingChanges());
        QVERIFY(NoteHref(main).contains("An unsaved note"));
        main->ScrollTo(0, main->ScrollHeight() / 3);
        QTest::qWait(50);
        const double ratio = reader::ScrollRatio(main->ScrollTop(), main->ScrollHeight());
        const QString handOver = book.dir.filePath("~$$$Pellmark~tmp~~.html");

        ViewControls& c = Controls(w);
        bool checked = false;
        connect(
            &c, &ViewControls::fullScreenShown, this,
            [&] {
                TFullScrForm* form = c.FullScreen();
                const CloseAfterwards guard{form};
                WebView* full = form->WebBrowser1;
                QCOMPARE(c.ZoomedView(), full);
                QVERIFY(form->isVisible());
                QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
                QVERIFY(NoteHref(full).contains("An unsaved note"));
                QVERIFY(w.Reader().PendingChanges());
                QVERIFY(!QFileInfo::exists(handOver));
                const double there = reader::ScrollRatio(full->ScrollTop(), full->ScrollHeight());
                QVERIFY2(std::abs(there - ratio) < 0.01, qPrintable(QString::number(there)));
                QCOMPARE(form->ZoomBtn->toolTip(), QString("Unzoom"));
                QCOMPARE(form->ToolButton1->toolTip(), QString("Bookmarks"));
                // A book without bookmarks.
                c.PoupUpMenu1Popup();
                QCOMPARE(Captions(form->BookmarksDropDn), QStringList{"(empty)"});
                QVERIFY(!form->BookmarksDropDn->actions()[0]->isEnabled());
                // The reader's commands act on this browser.
                QCOMPARE(w.Reader().CurrentView(), static_cast<HtmlView*>(full));
                const int top = full->ScrollTop();
                c.Timer1Timer();
                QCOMPARE(full->ScrollTop(), top + 1);
                // "Decrease speed" of this window has its step.
                w.Main().settings.SetAutoscrollSpeed(60);
                form->DecreaseSpeed1->trigger();
                QCOMPARE(w.Main().settings.AutoscrollSpeed, 61);
                form->IncreaseSpeed1->trigger();
                form->Faster->trigger();
                QCOMPARE(w.Main().settings.AutoscrollSpeed, 58);
                c.Timer2Timer();
                QVERIFY(!form->Label1->text().isEmpty());
                Screenshot(form, "reader-full-screen");
                // A style chosen here comes back with the book.
                w.Action(Cmd::NavvyGreen)->trigger();
                QCOMPARE(BodyColor(full), QString("rgb(0, 255, 0)"));
                checked = true;
                QTest::keyClick(form, Qt::Key_Escape);
            },
            Qt::QueuedConnection);
        w.Action(Cmd::FullScreen)->trigger();
        QVERIFY(checked);
        QVERIFY(!c.FullScreen()->isVisible());
        QVERIFY(!c.ZoomedView());
        QCOMPARE(w.Reader().CurrentView(), static_cast<HtmlView*>(main));
        QVERIFY(NoteHref(main).contains("An unsaved note"));
        QCOMPARE(BodyColor(main), QString("rgb(0, 255, 0)"));
        QVERIFY(w.Reader().PendingChanges());
        const double back = reader::ScrollRatio(main->ScrollTop(), main->ScrollHeight());
        QVERIFY2(std::abs(back - ratio) < 0.01, qPrintable(QString::number(back)));
        QCOMPARE(ReadBytes(book.path), onDisk);
        QVERIFY(!QFileInfo::exists(handOver));
        const auto& temp = w.Main().files.tempFiles;
        QCOMPARE(int(std::count(temp.begin(), temp.end(), ToFileName(handOver))), 1);
        // Closing asks about the note; Cancel keeps the window.
        book.f.questions.yesNoCancel = YesNoCancel::Cancel;
        QVERIFY(!w.close());
        QCOMPARE(book.f.questions.CountAsked("yesnocancel"), size_t(1));
        // The note reaches the book with a save.
        w.Action(Cmd::SaveReader)->trigger();
        QVERIFY(ReadBytes(book.path).find("An unsaved note") != std::string::npos);
        QCOMPARE(w.Main().settings.LastReaderFile, ToFileName(book.path));
    }

    // Full screen hides the main window's status line, so a speed changed
    // there shows in the window's own panel, at both limits, without moving
    // the buttons that change it; the next full screen starts without it.
    void fullScreenShowsTheSpeed() {
        LongBookShown book;
        TMainWnd& w = book.w;
        ViewControls& c = Controls(w);
        Settings& s = w.Main().settings;
        s.SetAutoscrollSpeed(11);
        QStringList atStart;
        bool checked = false;
        connect(
            &c, &ViewControls::fullScreenShown, this,
            [&] {
                TFullScrForm* form = c.FullScreen();
                const CloseAfterwards guard{form};
                atStart << form->SpeedLabel->text();
                if (checked) return;
                QWidget* page = form->WebBrowser1->focusProxy();  // where the reader's keys go
                QVERIFY(page);
                const QWidget* faster = form->ToolBar1->widgetForAction(form->Faster);
                const QPoint before = faster->mapTo(form, QPoint());
                QTest::keyClick(page, Qt::Key_Equal);
                QCOMPARE(s.AutoscrollSpeed, 10);
                QCOMPARE(form->SpeedLabel->text(), QString("100/sec"));
                QCOMPARE(w.PanelText(1), QString("100/sec"));  // the main window's as before
                QTest::keyClick(page, Qt::Key_Equal);
                QCOMPARE(s.AutoscrollSpeed, 10);
                QCOMPARE(form->SpeedLabel->text(), QString("100/sec"));
                QTest::qWait(50);  // the panel's layouts follow the new text
                QCOMPARE(faster->mapTo(form, QPoint()), before);
                const QLabel* speed = form->SpeedLabel;
                QVERIFY(speed->fontMetrics().horizontalAdvance(speed->text()) <= speed->contentsRect().width());
                QVERIFY(speed->isVisible());
                s.SetAutoscrollSpeed(999);
                QTest::keyClick(page, Qt::Key_Minus);
                QCOMPARE(s.AutoscrollSpeed, 1000);
                QCOMPARE(form->SpeedLabel->text(), QString("1/sec"));
                QTest::keyClick(page, Qt::Key_Minus);
                QCOMPARE(s.AutoscrollSpeed, 1000);
                s.SetAutoscrollSpeed(60);
                form->Slower->trigger();  // the panel's buttons too
                QCOMPARE(form->SpeedLabel->text(), QString("16/sec"));
                checked = true;
                QTest::keyClick(form, Qt::Key_Escape);
            },
            Qt::QueuedConnection);
        w.Action(Cmd::FullScreen)->trigger();
        QVERIFY(checked);
        w.Action(Cmd::FullScreen)->trigger();
        QCOMPARE(atStart, (QStringList{"", ""}));
    }

    // A hand-over file that was never taken (the page process died before
    // it loaded) goes with the program; the book stays.
    void handOverFileGoneAtExit() {
        LongBookShown book;
        TMainWnd& w = book.w;
        const std::optional<reader::HandOver> out = w.Reader().Doc().HandOverFrom(*w.CurrentBrowser());
        QVERIFY(out);
        QVERIFY(QFileInfo::exists(FromFileName(out->file)));
        book.f.wnd.reset();
        QVERIFY(!QFileInfo::exists(FromFileName(out->file)));
        QVERIFY(QFileInfo::exists(book.path));
    }

    // The drop-down copies the main window's bookmarks.
    void fullScreenBookmarks() {
        BookInReader book("marks.html", "<p><a name=\"7\" id=\"7\">x</a></p>",
                          "<!-- Vorn's Pellmark bookmarks \n\r<BOOKMARK ID=\"7\" NM=\"Seven\">\n\r"
                          "<BOOKMARK ID=\"9\" NM=\"Nine\">\n\r Vorn's Pellmark bookmarks -->");
        QVERIFY(book.Shows("x"));
        TMainWnd& w = book.w;
        ViewControls& c = Controls(w);
        QStringList shown;
        connect(
            &c, &ViewControls::fullScreenShown, this,
            [&] {
                const CloseAfterwards guard{c.FullScreen()};
                c.PoupUpMenu1Popup();
                for (QAction* a : c.FullScreen()->BookmarksDropDn->actions()) shown << StripMnemonic(a->text());
                c.FullScreen()->ZoomBtn->trigger();
            },
            Qt::QueuedConnection);
        w.Action(Cmd::Zoom)->trigger();
        QCOMPARE(shown, (QStringList{"Seven", "Nine"}));
        QVERIFY(!c.FullScreen()->isVisible());
    }
};

QTEST_MAIN(ReaderComfortTest)
#include "ReaderComfortTest.moc"
