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
        QVERIFY(!w.Main().HasSource());
        QVERIFY(PageContains(w.CurrentBrowser(), "Second paragraph here"));
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
