// Advanced mode with the source and HTML editors, text sizes and dropped files.
#include <QAction>
#include <QMimeData>
#include <QTabWidget>
#include <QTemporaryDir>

#include "GuiSupport.h"
#include "platform/qt/TextEditor.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

namespace {
const char* kTale = "     First paragraph of the tale.\r\n     Second paragraph here.\r\n";

void AdvancedWithEditors(Fixture& f) {
    f.tree.SetDWord(Root(), "Interface mode", 1);
    f.tree.SetDWord(Root(), "Use Source editor", 1);
    f.tree.SetDWord(Root(), "Show HTML", 1);
    f.tree.SetDWord(Root(), "Ask about title", 0);
}
}  // namespace

class EditorsTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void sourceAndHtmlEditorsHoldTheDocument() {
        QTemporaryDir dir;
        const std::string path = WriteFile(dir.filePath("tale.txt"), kTale);
        Fixture f;
        AdvancedWithEditors(f);
        TMainWnd& w = f.Open(true);
        QVERIFY(w.PageControl1->isTabVisible(1));
        QVERIFY(w.PageControl1->isTabVisible(2));
        // The stored active page is the source: loading converts nothing yet.
        QCOMPARE(w.PageControl1->currentIndex(), 2);
        w.OpenCommandLinePath(false, path);
        QVERIFY(w.SrcText->Text().find("Second paragraph here.") != std::string::npos);
        QVERIFY(!w.Main().driver.UpToDate());
        QVERIFY(w.HTMText->Text().empty());
        w.PageControl1->setCurrentIndex(0);
        QVERIFY(w.HTMText->Text().find("Second paragraph here") != std::string::npos);
        QVERIFY(PageContains(w.CurrentBrowser(), "Second paragraph here"));

        // An edit of the HTML shows in the preview when the page is shown again.
        QString html = w.HTMText->toPlainText();
        html.replace("Second paragraph here", "Edited by hand");
        w.HTMText->selectAll();
        w.HTMText->insertPlainText(html);  // as typed: the editor is modified
        w.PageControl1->setCurrentIndex(1);
        w.PageControl1->setCurrentIndex(0);
        QVERIFY(PageContains(w.CurrentBrowser(), "Edited by hand"));

        // Typing in the source puts the result out of date and names the undo step.
        w.PageControl1->setCurrentIndex(2);
        w.SrcText->setFocus();
        w.SrcText->moveCursor(QTextCursor::End);
        QTest::keyClicks(w.SrcText, "Third one.");
        QVERIFY(!w.Main().driver.UpToDate());
        QVERIFY(w.Action(Cmd::Undo)->isEnabled());
        QCOMPARE(w.Action(Cmd::Undo)->toolTip(), QString("Undo typing"));
        Screenshot(&w, "mode-advanced-source");
        w.PageControl1->setCurrentIndex(0);
        QVERIFY(PageContains(w.CurrentBrowser(), "Third one."));
    }

    void textSizeGoesToTheCurrentBrowser() {
        Fixture f;
        TMainWnd& w = f.Open();
        QTest::qWait(20);
        w.Action(Cmd::Large)->trigger();
        QCOMPARE(w.Main().settings.BrowserFontSize, 3);
        QCOMPARE(w.CurrentBrowser()->zoomFactor(), WebView::ZoomFactor(3));
        w.Action(Cmd::IncreaseSize)->trigger();
        w.Action(Cmd::IncreaseSize)->trigger();
        QCOMPARE(w.Main().settings.BrowserFontSize, 4);
        QVERIFY(w.Action(Cmd::Largest)->isChecked());
    }

    void droppingTwoFilesLoadsTheFirst() {
        QTemporaryDir dir;
        const std::string first = WriteFile(dir.filePath("one.txt"), "     Dropped first book.\r\n");
        WriteFile(dir.filePath("two.txt"), "     Dropped second book.\r\n");
        Fixture f;
        f.tree.SetDWord(Root(), "Ask about title", 0);
        TMainWnd& w = f.Open();
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(dir.filePath("one.txt")), QUrl::fromLocalFile(dir.filePath("two.txt"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&w, &drop);
        QCOMPARE(f.questions.CountAsked("message"), size_t(1));
        QCOMPARE(f.questions.asked.front().text, w.Main().texts.Msg("DropMany"));
        QCOMPARE(w.Main().openDialogFile, first);
        QVERIFY(PageContains(w.CurrentBrowser(), "Dropped first book."));
    }
};

QTEST_MAIN(EditorsTest)
#include "EditorsTest.moc"
