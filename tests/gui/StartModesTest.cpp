// Starting in each stored interface mode, and the arrangement each gives.
#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QTabWidget>
#include <QPointer>
#include <QSet>
#include <QTemporaryDir>
#include <QToolBar>

#include "GuiSupport.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

class StartModesTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void simpleByDefault() {
        Fixture f;
        TMainWnd& w = f.Open();
        QCOMPARE(w.Mode(), 0);
        QVERIFY(w.Panel1->isVisible());
        QVERIFY(!w.PageControl1->isVisible());
        QVERIFY(!w.RightPanel->isVisible());
        QCOMPARE(w.CurrentBrowser(), w.WebBrowser1);
        QVERIFY(w.Action(Cmd::SimpleMode)->isChecked());
        QVERIFY(!w.Action(Cmd::ReaderMode)->isVisible());
        // The advanced-then-simple start leaves "Previous mode" at 1.
        QCOMPARE(w.Main().settings.PreviousMode, 1);
        // Nothing to save before a book is converted; reader commands are off.
        QVERIFY(!w.Action(Cmd::SaveResult)->isEnabled());
        QVERIFY(!w.Action(Cmd::SaveAndRead)->isEnabled());
        QVERIFY(w.Action(Cmd::LoadSrc)->isEnabled());
        QVERIFY(!w.Action(Cmd::AddNote)->isEnabled());
        QCOMPARE(w.findChild<QLabel*>("StatusPanel1")->width(), w.width() - 180);
        w.resize(900, 500);
        QCOMPARE(w.findChild<QLabel*>("StatusPanel1")->width(), 900 - 180);
        QTemporaryDir dir;
        QVERIFY(ShowSampleBook(w, dir.path()));
        Screenshot(&w, "mode-simple");
    }

    void advancedStored() {
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 1);
        f.tree.SetDWord(Root(), "Previous mode", 0);
        TMainWnd& w = f.Open();
        QCOMPARE(w.Mode(), 1);
        QVERIFY(!w.Panel1->isVisible());
        QVERIFY(w.PageControl1->isVisible());
        QVERIFY(w.RightPanel->isVisible());
        QCOMPARE(w.CurrentBrowser(), w.WebBrowser0);
        QVERIFY(w.Action(Cmd::AdvancedMode)->isChecked());
        QVERIFY(!w.PageControl1->isTabVisible(1));  // "Show HTML" off
        QCOMPARE(w.Main().settings.PreviousMode, 0);
        QTemporaryDir dir;
        QVERIFY(ShowSampleBook(w, dir.path()));
        QCOMPARE(w.CurrentBrowser(), w.WebBrowser0);
        Screenshot(&w, "mode-advanced");
    }

    void readerStoredWithBook() {
        QTemporaryDir dir;
        const std::string book = WriteFile(dir.filePath("book.html"),
                                           kProducedHead + std::string("<body><p>Reader page text</p></body></html>"));
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 2);
        f.tree.SetString(Root(), "Last reader file", book);
        TMainWnd& w = f.Open();
        QCOMPARE(w.Mode(), 2);
        QVERIFY(w.Action(Cmd::ReaderMode)->isVisible());
        QVERIFY(w.Action(Cmd::ReaderMode)->isChecked());
        QVERIFY(!w.Action(Cmd::SaveResult)->isEnabled());
        QVERIFY(!w.Action(Cmd::FixedWidth)->isEnabled());
        QCOMPARE(w.Action(Cmd::IncreaseScroll)->shortcut(), QKeySequence(Qt::Key_Equal));
        QVERIFY(PageContains(w.CurrentBrowser(), "Reader page text"));
    }

    // The sample book, converted and saved, stored as the book last read.
    void readerStoredWithTheSampleBook() {
        QTemporaryDir dir;
        const std::string book = ConvertedSampleBook(dir.path());
        QVERIFY(!book.empty());
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 2);
        f.tree.SetString(Root(), "Last reader file", book);
        TMainWnd& w = f.Open();
        QCOMPARE(w.Mode(), 2);
        QVERIFY(PageContains(w.CurrentBrowser(), SampleWords()));
        QVERIFY(f.questions.asked.empty());  // this program's own book opens without asking
        Screenshot(&w, "mode-reader");
    }

    void readerStoredWithMissingBook() {
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 2);
        f.tree.SetString(Root(), "Last reader file", "/nonexistent/pellmark/book.html");
        TMainWnd& w = f.Open();
        QCOMPARE(w.Mode(), 0);
        QVERIFY(w.Action(Cmd::SimpleMode)->isChecked());
        QVERIFY(w.Main().settings.LastReaderFile.empty());
        QVERIFY(w.Action(Cmd::IncreaseScroll)->shortcut().isEmpty());
    }

    void readerStoredButArgumentGiven() {
        QTemporaryDir dir;
        const std::string book = WriteFile(dir.filePath("book.html"), "<html><body>x</body></html>");
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 2);
        f.tree.SetString(Root(), "Last reader file", book);
        TMainWnd& w = f.Open(true);
        QCOMPARE(w.Mode(), 0);
    }

    void browserProgressInTheStatusBar() {
        Fixture f;
        TMainWnd& w = f.Open();
        w.Status("before");
        w.ProgressChange(0, 100);  // nothing changes
        QCOMPARE(w.PanelText(1), QString("before"));
        w.ProgressChange(50, 200);
        QCOMPARE(w.PanelText(0), QString("25%"));
        QCOMPARE(w.PanelText(1), QString("CurrentTask: Loading text into browser"));
        w.ProgressChange(199, 200);
        QCOMPARE(w.PanelText(0), QString("99%"));
        w.ProgressChange(300, 200);  // past the maximum: loading is over
        QCOMPARE(w.PanelText(1), QString("Ready"));
        QCOMPARE(w.PanelText(0), QString());  // no stale figure once ready
        // Status texts that name tags ("Removing <pre> tags") are shown as they are.
        QCOMPARE(w.findChild<QLabel*>("StatusPanel1")->textFormat(), Qt::PlainText);
        w.ProgressChange(200, 200);
        QCOMPARE(w.PanelText(1), QString("Ready"));
        w.Status("again");
        w.ProgressChange(7, 0);
        QCOMPARE(w.PanelText(1), QString("Ready"));
    }

    // The splash window goes 600 ms after the first activation.
    void splashClosesAfterActivation() {
        Fixture f;
        auto* splash = new TSplashForm;
        splash->show();
        QPointer<TSplashForm> watch = splash;
        f.wnd = std::make_unique<TMainWnd>(f.tree, std::string(PM_TEST_DATA), false, &f.questions);
        f.wnd->SetSplash(splash);
        QTest::qWait(700);
        QVERIFY(watch);  // not before the window is active
        f.wnd->show();
        f.wnd->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(!watch, 20000);
    }

    // A question that opens while the splash is up is never hidden under it.
    void splashStepsAsideForAQuestion() {
        auto* splash = new TSplashForm;
        splash->show();
        QPointer<TSplashForm> watch = splash;
        QMessageBox* box = nullptr;
        QTimer::singleShot(0, [&] {
            box = new QMessageBox(QMessageBox::Question, "q", "Load it?");
            box->setAttribute(Qt::WA_DeleteOnClose);
            QTimer::singleShot(100, box, &QMessageBox::accept);
            box->exec();
        });
        QTRY_VERIFY(box != nullptr);
        QTRY_VERIFY(!splash->isVisible());
        delete watch.data();
    }

    // The first start, with nothing stored, takes a good share of the screen.
    void firstStartFitsTheScreen() {
        Fixture f;
        TMainWnd& w = f.Open();
        const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(w.width(), free.width() * 3 / 4);
        QCOMPARE(w.height(), free.height() * 4 / 5);
        Fixture stored;
        stored.tree.SetDWord(Root(), "Window Width", 640);
        stored.tree.SetDWord(Root(), "Window Height", 400);
        TMainWnd& again = stored.Open();
        QCOMPARE(again.width(), 640);
        QCOMPARE(again.height(), 400);
    }

    // A conversion's end ("Ready") leaves no progress figure behind.
    void readyClearsTheProgressFigure() {
        Fixture f;
        TMainWnd& w = f.Open();
        w.Progress("97%");
        w.Status(w.Main().texts.Task("Converting"));
        QCOMPARE(w.PanelText(0), QString("97%"));
        w.Status(w.Main().texts.Proc("Ready"));
        QCOMPARE(w.PanelText(0), QString());
    }

    void windowIsNamedAfterTheLoadedFile() {
        QTemporaryDir dir;
        const std::string path = WriteFile(dir.filePath("harbour.txt"), "     Some text.\r\n");
        Fixture f;
        f.tree.SetDWord(Root(), "Ask about title", 0);
        TMainWnd& w = f.Open(true);
        w.OpenCommandLinePath(false, path);
        QCOMPARE(w.windowTitle(), QString("Pellmark (converter) - harbour.txt"));
    }

    void menuShortcutsAndPlaces() {
        Fixture f;
        TMainWnd& w = f.Open();
        // No two commands share a key, and the menu bar's mnemonics are unique.
        QSet<QKeySequence> seen;
        for (const CommandRow& row : CommandTable()) {
            const QKeySequence key = w.Action(row.id)->shortcut();
            if (key.isEmpty()) continue;
            QVERIFY2(!seen.contains(key), row.name.data());
            seen.insert(key);
        }
        QCOMPARE(w.Action(Cmd::LoadSrc)->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(w.Action(Cmd::SaveResult)->shortcut(), QKeySequence(QKeySequence::Save));
        // "Full screen" belongs to the Reader menu, not to View.
        const QMenu* reader = w.findChild<QMenu*>("reader");
        const QMenu* view = w.findChild<QMenu*>("view");
        QVERIFY(reader && view);
        QVERIFY(reader->actions().contains(w.Action(Cmd::FullScreen)));
        QVERIFY(!view->actions().contains(w.Action(Cmd::FullScreen)));
        // Reading and the bookshelf have a button on both browser toolbars.
        for (const char* bar : {"PanelToolBar", "PreviewToolBar"})
            for (Cmd id : {Cmd::OpenReader, Cmd::Bookshelf, Cmd::SaveAndRead, Cmd::SendToRocket})
                QVERIFY2(w.findChild<QToolBar*>(bar)->actions().contains(w.Action(id)), Command(id).name.data());
        // "Convert text again" and "Save & Read!" are reachable from the menus too.
        QVERIFY(w.findChild<QMenu*>("parsing")->actions().contains(w.Action(Cmd::Refresh)));
        QVERIFY(w.findChild<QMenu*>("file")->actions().contains(w.Action(Cmd::SaveAndRead)));
    }

    // A stored text size is ticked in "Viewer font size" from the start.
    void storedTextSizeIsTicked() {
        Fixture f;
        f.tree.SetDWord(Root(), "Browser forn size", 3);
        TMainWnd& w = f.Open();
        QVERIFY(w.Action(Cmd::Large)->isChecked());
        QVERIFY(!w.Action(Cmd::NormalSize)->isChecked());
        w.Action(Cmd::DecreaseSize)->trigger();
        QVERIFY(w.Action(Cmd::NormalSize)->isChecked());
        QVERIFY(!w.Action(Cmd::Large)->isChecked());
    }

    // After loading, the detected text format is ticked in the menu and on
    // its button.
    void detectedFormatIsTickedAfterLoading() {
        QTemporaryDir dir;
        const std::string path = WriteFile(dir.filePath("page.html"), "<html><body><p>One.</p><p>Two.</p></body></html>");
        Fixture f;
        f.tree.SetDWord(Root(), "Ask about title", 0);
        TMainWnd& w = f.Open(true);
        QVERIFY(w.Main().settings.AutoDetectFormat);
        QVERIFY(!w.Action(Cmd::FixedWidth)->isChecked());
        w.OpenCommandLinePath(false, path);  // short texts count as fixed width
        QVERIFY(w.Action(Cmd::FixedWidth)->isChecked());
        QVERIFY(!w.Action(Cmd::HtmlFormat)->isChecked());
        QVERIFY(w.Action(Cmd::SaveResult)->isEnabled());  // there is a result now
    }

    void helpWithoutHelpFile() {
        Fixture f;
        TMainWnd& w = f.Open();
        QCOMPARE(StripMnemonic(w.Action(Cmd::Help)->text()), QString("Help not downloaded."));
        QVERIFY(!w.Action(Cmd::Help)->isEnabled());
    }
};

QTEST_MAIN(StartModesTest)
#include "StartModesTest.moc"
