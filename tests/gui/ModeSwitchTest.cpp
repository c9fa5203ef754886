// Switching modes from the menu: the advanced-mode warning, the result kept
// when going back to simple mode, and the preview page arrangement.
#include <QAction>
#include <QTabWidget>
#include <QTemporaryDir>

#include "GuiSupport.h"
#include "common/AtomicFile.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

class ModeSwitchTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void declinedWarningKeepsSimpleAndAsksAgain() {
        Fixture f;
        TMainWnd& w = f.Open();
        f.questions.yesNo = false;
        w.Action(Cmd::AdvancedMode)->trigger();
        QCOMPARE(w.Mode(), 0);
        QVERIFY(w.Action(Cmd::SimpleMode)->isChecked());
        QVERIFY(!w.Action(Cmd::AdvancedMode)->isChecked());
        QVERIFY(!w.Main().settings.AskedAboutTitle);
        w.Action(Cmd::AdvancedMode)->trigger();
        QCOMPARE(f.questions.CountAsked("warning"), size_t(2));
        QCOMPARE(f.questions.asked.back().caption, std::string("Confirm"));
        QCOMPARE(f.questions.asked.back().text, w.Main().texts.Msg("AdvancedMode"));
    }

    void acceptedWarningSwitchesAndIsRemembered() {
        Fixture f;
        TMainWnd& w = f.Open();
        f.questions.yesNo = true;
        w.Action(Cmd::AdvancedMode)->trigger();
        QCOMPARE(w.Mode(), 1);
        QVERIFY(w.Action(Cmd::AdvancedMode)->isChecked());
        QVERIFY(w.Main().settings.AskedAboutTitle);
        QCOMPARE(w.Main().settings.PreviousMode, 0);
        w.Action(Cmd::SimpleMode)->trigger();
        QCOMPARE(w.Mode(), 0);
        QCOMPARE(w.Main().settings.PreviousMode, 1);
        w.Action(Cmd::AdvancedMode)->trigger();
        QCOMPARE(w.Mode(), 1);
        QCOMPARE(f.questions.CountAsked("warning"), size_t(1));
    }

    // Back in simple mode the result is shown again, though the source is dropped.
    void simpleModeKeepsAndShowsTheResult() {
        QTemporaryDir dir;
        const std::string path = WriteFile(dir.filePath("short.txt"),
                                           "     First paragraph of the tale.\r\n     Second paragraph here.\r\n");
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 1);
        f.tree.SetDWord(Root(), "Asked about title", 1);
        f.tree.SetDWord(Root(), "Ask about title", 0);
        TMainWnd& w = f.Open(true);
        w.OpenCommandLinePath(false, path);
        QVERIFY(PageContains(w.CurrentBrowser(), "Second paragraph here"));
        // Back and forward follow the browser's history.
        w.CurrentBrowser()->Navigate(WriteFile(dir.filePath("other.html"), "<html><body>Other page</body></html>"));
        QVERIFY(PageContains(w.CurrentBrowser(), "Other page"));
        QTRY_VERIFY(w.Action(Cmd::GoBack)->isEnabled());
        QVERIFY(!w.Action(Cmd::GoForward)->isEnabled());
        w.Action(Cmd::GoBack)->trigger();
        QVERIFY(PageContains(w.CurrentBrowser(), "Second paragraph here"));
        QTRY_VERIFY(w.Action(Cmd::GoForward)->isEnabled());
        w.Action(Cmd::SimpleMode)->trigger();
        QCOMPARE(w.CurrentBrowser(), w.WebBrowser1);
        QVERIFY(w.Main().HasResult());
        QVERIFY(w.Main().HasSource());  // kept for "Convert text again"
        QVERIFY(PageContains(w.CurrentBrowser(), "Second paragraph here"));
    }

    // Reading the converted book and coming back loses neither the source
    // nor the result: the preview shows the book, and converting again
    // gives the whole book, not an empty frame.
    void readerAndBackKeepsTheBook() {
        QTemporaryDir dir;
        const std::string path = WriteFile(dir.filePath("tale.html"),
                                           "<html><body><p>First paragraph of the tale.</p>"
                                           "<p>Second paragraph here.</p></body></html>");
        Fixture f;
        f.tree.SetDWord(Root(), "Ask about title", 0);
        TMainWnd& w = f.Open(true);
        w.OpenCommandLinePath(false, path);
        QVERIFY(PageContains(w.CurrentBrowser(), "Second paragraph here"));
        const std::string saved = ToFileName(dir.filePath("tale-read.html"));
        std::string error;
        QVERIFY(w.Main().SaveResultAs(saved, SaveFormat::Html, &error));
        w.OpenInReader(saved);
        QCOMPARE(w.Mode(), 2);
        w.Action(Cmd::SimpleMode)->trigger();
        QCOMPARE(w.Mode(), 0);
        QVERIFY(PageContains(w.CurrentBrowser(), "Second paragraph here"));
        QVERIFY(w.Action(Cmd::Refresh)->isEnabled());
        w.Action(Cmd::Refresh)->trigger();
        QVERIFY(PageContains(w.CurrentBrowser(), "Second paragraph here"));
        QVERIFY(w.Main().DocumentText().find("First paragraph of the tale.") != std::string::npos);
        QCOMPARE(f.questions.CountAsked("message"), size_t(0));
    }

    // Turning to the preview with nothing loaded says nothing and leaves no
    // task in the status line; "Convert text again" tells why nothing happens.
    void emptySourceOnThePreviewPage() {
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 1);
        f.tree.SetDWord(Root(), "Use Source editor", 1);
        f.tree.SetDWord(Root(), "Active page", 2);
        TMainWnd& w = f.Open();
        QCOMPARE(w.PageControl1->currentIndex(), 2);
        w.PageControl1->setCurrentIndex(0);
        QCOMPARE(f.questions.CountAsked("message"), size_t(0));
        QCOMPARE(w.PanelText(1), QString::fromStdString(w.Main().texts.Proc("Ready")));
        w.Main().driver.Invalidate();
        w.Action(Cmd::Refresh)->setEnabled(true);
        w.Action(Cmd::Refresh)->trigger();
        QCOMPARE(f.questions.CountAsked("message"), size_t(1));
        QCOMPARE(f.questions.asked.back().text, w.Main().texts.Msg("NothingToConvert"));
        QVERIFY(!w.Main().HasResult());
    }

    void previewPagesFollowTheEditorOptions() {
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 1);
        TMainWnd& w = f.Open();
        w.Main().settings.SetUseSourceEditor(true);
        QVERIFY(w.PageControl1->isTabVisible(0));
        QVERIFY(w.PageControl1->isTabVisible(2));
        QVERIFY(!w.Panel1->isVisible());
        QCOMPARE(w.CurrentBrowser(), w.WebBrowser0);
        w.Main().settings.SetUseSourceEditor(false);
        QVERIFY(!w.PageControl1->isTabVisible(0));
        QVERIFY(w.Panel1->isVisible());
        QCOMPARE(w.CurrentBrowser(), w.WebBrowser1);
    }
};

QTEST_MAIN(ModeSwitchTest)
#include "ModeSwitchTest.moc"
