// The source and HTML editors' commands with the real widgets.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "GuiSupport.h"
#include "editing/qt/EditingPart.h"
#include "platform/qt/TextEditor.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

class EditingCommandsTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private:
    struct Advanced {
        Fixture f;
        TMainWnd* w;
        Advanced() {
            f.tree.SetDWord(Root(), "Interface mode", 1);
            f.tree.SetDWord(Root(), "Use Source editor", 1);
            f.tree.SetDWord(Root(), "Active page", 2);
            w = &f.Open();
        }
        // Puts text into the source editor and selects [from, to).
        void Source(const QString& text, int from, int to) {
            w->SrcText->setPlainText(text);
            QTextCursor c(w->SrcText->document());
            c.setPosition(from);
            c.setPosition(to, QTextCursor::KeepAnchor);
            w->SrcText->setTextCursor(c);
        }
        QString Text() const { return w->SrcText->toPlainText(); }
    };

private slots:
    void headerAroundALineAndItsBreak() {
        Advanced a;
        a.Source("Before\nChapter 1\nAfter", 7, 17);  // "Chapter 1" and its break
        a.w->Action(Cmd::H1)->trigger();
        QCOMPARE(a.Text(), QString("Before\n\n<h1>Chapter 1</h1>\nAfter"));
        QVERIFY(!a.w->Main().driver.UpToDate());  // the source changed
        a.Source(a.Text(), 27, 32);  // "After"
        a.w->Action(Cmd::AlignCenter)->trigger();
        Screenshot(a.w, "editing-commands");
    }

    // The undo and redo hints name the step: typing, delete, cut, paste.
    void undoHintsNameTheStep() {
        Advanced a;
        a.Source("", 0, 0);
        a.w->SrcText->setFocus();
        QTest::keyClicks(a.w->SrcText, "abc def");
        QCOMPARE(a.w->Action(Cmd::Undo)->toolTip(), QString("Undo typing"));
        QTest::keyClick(a.w->SrcText, Qt::Key_Backspace);
        QCOMPARE(a.w->Action(Cmd::Undo)->toolTip(), QString("Undo delete"));
        a.Source("cut me", 0, 3);
        a.w->Action(Cmd::Cut)->trigger();
        QCOMPARE(a.w->Action(Cmd::Undo)->toolTip(), QString("Undo cut"));
        a.w->Action(Cmd::Paste)->trigger();
        QCOMPARE(a.w->Action(Cmd::Undo)->toolTip(), QString("Undo paste"));
        a.w->Action(Cmd::Undo)->trigger();
        QCOMPARE(a.w->Action(Cmd::Redo)->toolTip(), QString("Redo paste"));
    }

    void commandsThatNeedASelection() {
        Advanced a;
        a.Source("plain", 2, 2);
        a.w->Action(Cmd::Bold)->trigger();
        QCOMPARE(a.Text(), QString("plain"));
        a.w->Action(Cmd::MakeParagraph)->trigger();  // works without a selection
        QCOMPARE(a.Text(), QString("pl\n<div align=\"justify\"></div>\nain"));
        a.Source("a  b", 0, 4);
        a.w->Action(Cmd::Bold)->trigger();
        QCOMPARE(a.Text(), QString("<b>a b</b>"));
    }

    void caseOfCyrillicLetters() {
        Advanced a;
        a.Source(QString::fromUtf8("ёлка Tree"), 0, 9);
        a.w->Action(Cmd::UpperCase)->trigger();
        QCOMPARE(a.Text(), QString::fromUtf8("ЁЛКА TREE"));
        QCOMPARE(a.w->SrcText->textCursor().selectedText(), QString::fromUtf8("ЁЛКА TREE"));
        a.w->Action(Cmd::LowerCase)->trigger();
        QCOMPARE(a.Text(), QString::fromUtf8("ёлка tree"));
    }

    void commentRefusedWhileLinksAreRemoved() {
        Advanced a;
        a.Source("text", 0, 4);
        QVERIFY(a.w->Main().settings.KillLinks);
        a.w->Action(Cmd::InsertComment)->trigger();
        QCOMPARE(a.f.questions.asked.back().text, a.w->Main().texts.Msg("CantEnterLink"));
        QCOMPARE(a.f.questions.asked.back().caption, a.w->Main().texts.Msg("Error"));
        QCOMPARE(a.Text(), QString("text"));
    }

    void commentInsertsLinkAndNote() {
        Advanced a;
        a.w->Main().settings.SetKillLinks(false);
        a.Source("<html><body>\nA long remark here\n</body></html>", 13, 31);
        TPlComment& window = a.w->Editing().CommentWindow();
        QTimer::singleShot(0, [&] {
            QCOMPARE(window.Title->text(), QString("A long rem..."));
            QCOMPARE(window.Body->toPlainText(), QString("A long remark here"));
            window.Title->setText("remark");
            window.OkBtn->click();
        });
        a.w->Action(Cmd::InsertComment)->trigger();
        const QStringList lines = a.Text().split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[1].startsWith("<a href=\"#"));
        QVERIFY(lines[1].endsWith("\" id=\"Pellmark~link\">remark</a>"));
        QVERIFY(lines[2].startsWith("<hr size=\"0\" id=\"pellmark\"><a id=\"PellmarkEndlink\" name=\""));
        QVERIFY(lines[2].contains(">A long remark here</a> <a href=\"#"));
        QCOMPARE(lines[3], QString("</body></html>"));
        QCOMPARE(a.w->SrcText->textCursor().selectedText(), lines[1]);  // the link stays selected
    }

    void findNotFoundAndFindSelected() {
        Advanced a;
        a.Source(QString::fromUtf8("Первая строка\nВторая СТРОКА"), 0, 0);
        QVERIFY(!a.w->Editing().FindNext(*a.w->SrcText, "absent"));
        QCOMPARE(a.f.questions.asked.back().text, std::string("Text \"absent\" not found."));
        QVERIFY(a.w->Editing().FindNext(*a.w->SrcText, QString::fromUtf8("вторая")));
        // The preview's selection, found without minding case; the source page shows.
        a.w->PageControl1->setCurrentIndex(0);
        QVERIFY(a.w->Editing().FindSelectedInSource(QString::fromUtf8("вторая строка")));
        QCOMPARE(a.w->PageControl1->currentIndex(), 2);
        QCOMPARE(a.w->SrcText->textCursor().selectedText(), QString::fromUtf8("Вторая СТРОКА"));
        QVERIFY(!a.w->Editing().FindSelectedInSource("nowhere"));
    }

    void htmlEditorHasItsOwnUndo() {
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 1);
        f.tree.SetDWord(Root(), "Show HTML", 1);
        TMainWnd& w = f.Open();
        QVERIFY(!w.Action(Cmd::HtmUndo)->isEnabled());
        w.PageControl1->setCurrentIndex(1);
        w.HTMText->setFocus();
        QTest::keyClicks(w.HTMText, "abc");
        QVERIFY(w.Action(Cmd::HtmUndo)->isEnabled());
        QVERIFY(w.Action(Cmd::HtmUndo)->toolTip().endsWith("typing"));
        w.Action(Cmd::HtmUndo)->trigger();
        QCOMPARE(w.HTMText->toPlainText(), QString());
        QVERIFY(w.Action(Cmd::HtmRedo)->isEnabled());
        QVERIFY(w.Action(Cmd::HtmRedo)->toolTip().endsWith("typing"));
    }
};

QTEST_MAIN(EditingCommandsTest)
#include "EditingCommandsTest.moc"
