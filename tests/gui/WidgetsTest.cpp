// The web view, the text editors and the question windows on their own.
#include <QApplication>
#include <QCheckBox>
#include <QMenuBar>
#include <QMessageBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include "GuiSupport.h"
#include "common/AtomicFile.h"
#include "config/RegFile.h"
#include "intake/qt/QuestionWindows.h"
#include "pipeline/qt/StructureWindows.h"
#include "app/qt/QtQuestions.h"
#include "platform/qt/TextEditor.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

namespace {

struct Recorder : HtmlViewEvents {
    std::vector<std::string> asked;
    std::string refuse;  // an address to cancel
    void BeforeNavigate(const std::string& url, bool& cancel) override {
        asked.push_back(url);
        cancel = !refuse.empty() && url.find(refuse) != std::string::npos;
    }
};

const char* kQuirksHead = "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\">\n<html><head>"
                          "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\"></head>";

}  // namespace

class WidgetsTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void zoomLevels() {
        QCOMPARE(WebView::ZoomFactor(2), 1.0);
        QVERIFY(WebView::ZoomFactor(0) < WebView::ZoomFactor(1));
        QVERIFY(WebView::ZoomFactor(3) < WebView::ZoomFactor(4));
        QCOMPARE(WebView::ZoomFactor(9), WebView::ZoomFactor(4));
        QCOMPARE(WebView::ZoomFactor(-3), WebView::ZoomFactor(0));
    }

    // The program's own pages are in quirks mode: scrolling must still work.
    void quirksPageScrollsAndKeepsComments() {
        QTemporaryDir dir;
        std::string html = std::string(kQuirksHead) + "<body>";
        for (int i = 0; i < 200; ++i) html += "<p>\xC0\xE1\xE7\xE0\xF6 " + std::to_string(i) + "</p>";
        html += "<!-- position 5 --></body></html>";
        WebView view;
        view.resize(400, 300);
        view.show();
        view.Navigate(WriteFile(dir.filePath("q.html"), html));
        WaitLoaded(&view);
        QVERIFY(view.ScrollHeight() > 1000);
        view.ScrollTo(0, 500);
        QCOMPARE(view.ScrollTop(), 500);
        view.ScrollBy(0, 20);
        QCOMPARE(view.ScrollTop(), 520);
        const std::string body = view.BodyOuterHtml();
        QVERIFY(body.find("<!-- position 5 -->") != std::string::npos);
        QCOMPARE(body.substr(body.size() - 7), std::string("</body>"));
        // Windows-1251 text comes back as the same bytes.
        QVERIFY(view.BodyText().find("\xC0\xE1\xE7\xE0\xF6 199") != std::string::npos);
    }

    void localPagesStayLocal() {
        QTemporaryDir dir;
        WebView view;
        Recorder events;
        view.SetEvents(&events);
        const std::string first = WriteFile(dir.filePath("a.html"), "<html><body id=x>A</body></html>");
        const std::string second = WriteFile(dir.filePath("b.html"), "<html><body>B</body></html>");
        view.Navigate(first);
        WaitLoaded(&view);
        view.RunScript("location.href = 'http://example.invalid/'");
        QTest::qWait(200);
        WaitUntilReady(view);
        QCOMPARE(view.LocationUrl(), first);
        events.refuse = "b.html";
        view.Navigate(second);
        QTest::qWait(200);
        WaitUntilReady(view);
        QCOMPARE(view.LocationUrl(), first);
        QVERIFY(!events.asked.empty());
        // Local files are asked about as file URLs, their anchors kept.
        QCOMPARE(events.asked.back(), WebView::EventAddress(QUrl::fromLocalFile(FromFileName(second))));
        QCOMPARE(events.asked.back(), "file://" + second);
        view.SetEvents(nullptr);
    }

    void elementsAndSelection() {
        QTemporaryDir dir;
        WebView view;
        view.Navigate(WriteFile(dir.filePath("s.html"),
                                "<html><body><p id=p1 class=c style='color:red'>one two three</p>"
                                "<a name=mark>m</a></body></html>"));
        WaitLoaded(&view);
        QVERIFY(view.HasElement("mark"));
        QVERIFY(!view.HasElement("none"));
        view.RunScript("var r=document.createRange();var t=document.querySelector('p').firstChild;"
                       "r.setStart(t,4);r.setEnd(t,7);getSelection().removeAllRanges();getSelection().addRange(r);");
        QCOMPARE(view.SelectionText(), std::string("two"));
        view.PasteHtml("<b>2</b>");
        QVERIFY(view.BodyOuterHtml().find("one <b>2</b> three") != std::string::npos);
        QVERIFY(view.ClearAttributes("p1"));
        QVERIFY(view.BodyOuterHtml().find("<p>one") != std::string::npos);
        QVERIFY(!view.ClearAttributes("p1"));  // no id any more
        view.SetBodyStyle(BodyStyleProperty::BackgroundColor, "yellow");
        QCOMPARE(view.BodyStyle(BodyStyleProperty::BackgroundColor), std::string("yellow"));
    }

    void editorKeepsWindows1251AndNamesItsSteps() {
        TextEditor editor;
        editor.show();
        editor.SetText("\xCF\xF0\xE8\xE2\xE5\xF2\r\nline two");
        QCOMPARE(editor.Text(), std::string("\xCF\xF0\xE8\xE2\xE5\xF2\nline two"));
        editor.moveCursor(QTextCursor::End);
        editor.insertPlainText(QString::fromUtf8("日"));
        QVERIFY(editor.Text().find("&#26085;") != std::string::npos);
        QTest::keyClicks(&editor, "abc");
        QCOMPARE(editor.UndoName(), QString("typing"));
        editor.undo();
        QCOMPARE(editor.RedoName(), QString("typing"));
        editor.selectAll();
        editor.cut();
        QCOMPARE(editor.UndoName(), QString("cut"));
        QVERIFY(editor.RedoName().isEmpty());
    }

    void propertiesWindowLayoutFollowsOutputMode() {
        ConfigTree tree;
        TTetleWnd plain(WindowTexts(tree, "docprop", false), false);
        QVERIFY(plain.FirstName->isHidden());
        QVERIFY(plain.Button2->isHidden());
        QVERIFY(plain.Autor->isEnabled());
        QCOMPARE(plain.height(), 140);
        QCOMPARE(plain.Button1->y(), 100);
        QCOMPARE(plain.AddAutor->y(), 94);
        QCOMPARE(plain.Latinic->y(), 111);
        // Captions that quote tags show them rather than swallow them.
        const QLabel swallowed("Short title (for  tag)");
        QVERIFY(plain.Label3->sizeHint().width() > swallowed.sizeHint().width() + 20);
        TTetleWnd xml(WindowTexts(tree, "docprop", false), true);
        QVERIFY(!xml.FirstName->isHidden());
        QVERIFY(!xml.Autor->isEnabled());
        xml.FirstName->setText("A");
        xml.MidName->setText("B");
        xml.Button2->click();
        QCOMPARE(xml.FirstName->text(), QString("B"));
        QCOMPARE(xml.MidName->text(), QString("A"));
    }

    void questionWindowsGiveTheirAnswers() {
        ConfigTree tree;
        Texts texts;
        const bool localized = false;
        QtQuestions q(nullptr, tree, texts, localized);
        std::vector<TocChoice> entries{{"One", true}, {"Two", true}};
        WhenShown<TContentChecker>([](TContentChecker& w) {
            w.UnCheckAll->click();
            w.Content->item(1)->setCheckState(Qt::Checked);
            w.Button1->click();
        });
        QVERIFY(q.ConfirmToc(entries));
        QVERIFY(!entries[0].checked);
        QVERIFY(entries[1].checked);
        // Escape gives the conversion up and takes nothing from the window.
        WhenShown<TContentChecker>([](TContentChecker& w) {
            w.CheckAll->click();
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        QVERIFY(!q.ConfirmToc(entries));
        QVERIFY(!entries[0].checked);

        // "Wrong encoding detected": Yes, No, and Escape which gives the load up.
        WhenShown<TWrongEncoding>([](TWrongEncoding& w) { w.YesBtn->click(); });
        QCOMPARE(q.AskWrongEncoding("Wrong encoding detected", "DOS?"), YesNoCancel::Yes);
        WhenShown<TWrongEncoding>([](TWrongEncoding& w) { w.NoBtn->click(); });
        QCOMPARE(q.AskWrongEncoding("Wrong encoding detected", "DOS?"), YesNoCancel::No);
        WhenShown<TWrongEncoding>([](TWrongEncoding& w) {
            // The caption shows whole: the window is at least as wide as it.
            QVERIFY(w.width() > w.fontMetrics().horizontalAdvance("Wrong encoding detected"));
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        QCOMPARE(q.AskWrongEncoding("Wrong encoding detected", "DOS?"), YesNoCancel::Cancel);

        // "Document properties": Escape keeps nothing that was typed.
        DocPropertiesRequest props;
        props.values.title = "Detected";
        props.values.shortTitle = std::string(200, 'S') + "end";
        WhenShown<TTetleWnd>([](TTetleWnd& w) {
            QCOMPARE(w.ShortTitle->cursorPosition(), 0);  // shows the start of a long text
            w.Title->setText("Typed");
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        QVERIFY(!q.AskDocProperties(props));
        QCOMPARE(props.values.title, std::string("Detected"));
        WhenShown<TTetleWnd>([](TTetleWnd& w) {
            w.Title->setText("Typed");
            w.Button1->click();
        });
        QVERIFY(q.AskDocProperties(props));
        QCOMPARE(props.values.title, std::string("Typed"));

        WhenShown<TLarge>([](TLarge& w) {
            QVERIFY(!w.NeverAsk->isChecked());
            QCOMPARE(w.CancelBtn->text(), QString("Skip it"));
            w.NeverAsk->setChecked(true);
            w.Proceed->click();
        });
        const LargeFileAnswer large = q.AskLargeFile("Big", "Skip it");
        QVERIFY(large.proceed);
        QVERIFY(large.neverAskAgain);

        WhenShown<TDetectWnd>([](TDetectWnd& w) {
            QVERIFY(w.OpenForReading->isChecked());
            w.OpenForEditing->setChecked(true);
            w.OkBtn->click();
        });
        QCOMPARE(q.AskFormattingDetected("x").choice, FormattingDetectedAnswer::Choice::OpenForEditing);

        WhenShown<TDetectWnd>([](TDetectWnd& w) { w.CancelBtn->click(); });
        QCOMPARE(q.AskFormattingDetected("x").choice, FormattingDetectedAnswer::Choice::Cancel);

        // A message quoting tags shows them as they are.
        Qt::TextFormat format = Qt::AutoText;
        WhenShown<QMessageBox>([&format](QMessageBox& w) {
            format = w.textFormat();
            w.accept();
        });
        q.ShowMessage("Error", texts.Msg("Error in tags"), MessageIcon::Error);
        QCOMPARE(format, Qt::PlainText);
    }

    // The localization shipped with the program, as "config import" installs it.
    void shippedRussianLocalization() {
        std::string reg, error;
        QVERIFY(ReadWholeFile(PM_TEST_DATA "/../../share/localization/example-ru.reg", reg));
        Fixture f;
        QVERIFY2(ImportRegedit(f.tree, reg, &error), error.c_str());
        f.tree.SetDWord(Root(), "Interface mode", 1);
        TMainWnd& w = f.Open();
        QVERIFY(w.LocalizationError().isEmpty());
        QCOMPARE(w.menuBar()->actions().first()->text(), QString::fromUtf8("&Файл"));
        QCOMPARE(w.PageControl1->tabText(0), QString::fromUtf8("Просмотр"));
        QCOMPARE(w.Main().texts.Msg("Error"), std::string("\xCE\xF8\xE8\xE1\xEA\xE0"));
        QTemporaryDir dir;
        QVERIFY(ShowSampleBook(w, dir.path()));
        Screenshot(&w, "mode-advanced-ru");
    }
};

QTEST_MAIN(WidgetsTest)
#include "WidgetsTest.moc"
