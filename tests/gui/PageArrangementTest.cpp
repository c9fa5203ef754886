// Every start shows a page a person can recognise: the stored active page
// when the arrangement shows it, the preview with its web view otherwise.
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "GuiSupport.h"
#include "platform/qt/TextEditor.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

class PageArrangementTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void advancedModeShowsAVisiblePageForEveryArrangement() {
        for (int showHtml = 0; showHtml <= 1; ++showHtml)
            for (int source = 0; source <= 1; ++source)
                for (int active = 0; active <= 2; ++active) {
                    Fixture f;
                    f.tree.SetDWord(Root(), "Interface mode", 1);
                    f.tree.SetDWord(Root(), "Show HTML", showHtml);
                    f.tree.SetDWord(Root(), "Use Source editor", source);
                    f.tree.SetDWord(Root(), "Active page", active);
                    TMainWnd& w = f.Open();
                    const QString where = QString("Show HTML %1, Use Source editor %2, Active page %3")
                                              .arg(showHtml).arg(source).arg(active);
                    const int shown = w.PageControl1->currentIndex();
                    QVERIFY2(w.PageControl1->isTabVisible(shown), qPrintable(where));
                    const bool storedShown = (active == 0) || (active == 1 && showHtml) || (active == 2 && source);
                    QCOMPARE(shown, storedShown ? active : 0);
                    QCOMPARE(w.Main().settings.ActivePage, shown);
                    if (shown == 0) {
                        QVERIFY2(w.WebBrowser0->isVisible(), qPrintable(where));
                        QCOMPARE(w.CurrentBrowser(), w.WebBrowser0);
                    }
                    QVERIFY2(!(shown == 2) || w.SrcText->isVisible(), qPrintable(where));
                }
    }

    void defaultAdvancedShowsThePreview() {
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 1);
        TMainWnd& w = f.Open();
        QCOMPARE(w.PageControl1->currentIndex(), 0);
        QVERIFY(w.WebBrowser0->isVisible());
        QVERIFY(!w.SrcText->isVisible());
        QCOMPARE(w.PageControl1->tabText(0), QString("Preview"));
        QTemporaryDir dir;
        QVERIFY(ShowSampleBook(w, dir.path()));
        QCOMPARE(w.PageControl1->currentIndex(), 0);  // the converted book stays in the preview
        Screenshot(&w, "mode-advanced-default");
    }

    // The options change the pages at once, through their setters.
    void editorOptionsRearrangeAtOnce() {
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 1);
        TMainWnd& w = f.Open();
        w.Main().settings.SetUseSourceEditor(true);
        QVERIFY(w.PageControl1->isTabVisible(2));
        w.PageControl1->setCurrentIndex(2);
        QVERIFY(w.SrcText->isVisible());
        w.Main().settings.SetUseSourceEditor(false);
        // The source page went: no hidden page is left showing.
        QVERIFY(w.Panel1->isVisible());
        QCOMPARE(w.CurrentBrowser(), w.WebBrowser1);
        QVERIFY(!w.SrcText->isVisible());
        w.Main().settings.SetShowHtml(true);
        QVERIFY(w.PageControl1->isVisible());
        QVERIFY(w.PageControl1->isTabVisible(1));
        QVERIFY(w.PageControl1->isTabVisible(w.PageControl1->currentIndex()));
        QCOMPARE(w.CurrentBrowser(), w.WebBrowser0);
    }
};

QTEST_MAIN(PageArrangementTest)
#include "PageArrangementTest.moc"
