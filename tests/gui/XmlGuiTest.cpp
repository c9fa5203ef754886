// The XML part of the desktop program, headless: the report window of the
// check, the jump to the error, and the book-description editor behind the
// title question and "XML Header editor".
#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "GuiSupport.h"
#include "common/Format.h"
#include "config/RegFile.h"
#include "platform/qt/TextEditor.h"
#include "xml/XmlMode.h"
#include "xml/qt/DTDEditor.h"
#include "xml/qt/XMStateForm.h"
#include "xml/qt/XmlPart.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

namespace {

const std::string kShare = std::string(PM_TEST_DATA) + "/../../share/skins/";

std::string ReadBytes(const std::string& path) {
    QFile f(QString::fromStdString(path));
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The example skin, its DTD named where the tests find it.
bool InstallXmlSkin(ConfigTree& tree) {
    std::string error;
    if (!ImportRegedit(tree, ReadBytes(kShare + "xml-skin.reg"), &error)) return false;
    tree.SetString(XmlKeyPath(), "SYS DTD",
                   "<?xml version=\"1.0\" encoding=\"windows-1251\"?><!DOCTYPE FictionBook SYSTEM \"" + kShare +
                       "pellbook.dtd\">");
    return true;
}

void Advanced(Fixture& f, bool showHtml) {
    f.tree.SetDWord(Root(), "Interface mode", 1);
    f.tree.SetDWord(Root(), "Asked about title", 1);
    f.tree.SetDWord(Root(), "Use Source editor", 1);
    f.tree.SetDWord(Root(), "Show HTML", showHtml ? 1 : 0);
}

// Runs act on the book-description editor as soon as it shows modally; it
// must close the editor.
void WhenEditorShows(std::function<void(TDTDEditor&)> act) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        auto* editor = qobject_cast<TDTDEditor*>(QApplication::activeModalWidget());
        if (!editor || !editor->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act(*editor);
        if (editor->isVisible()) editor->reject();  // never leave a test hanging
    });
    poll->start();
}

// Puts text into the field of the entry at path and moves on to the root,
// as the user would.
void Type(TDTDEditor& e, const std::string& path, const QString& text) {
    e.TreeView1->setCurrentItem(e.ItemOf(e.Tree().Find(path)));
    e.Memo1->setPlainText(text);
    e.TreeView1->setCurrentItem(e.ItemOf(e.Tree().Root()));
}

void FillRequiredNames(TDTDEditor& e) {
    Type(e, "title-info|author|first-name", QString::fromUtf8("Андрей"));
    Type(e, "title-info|author|last-name", QString::fromUtf8("Северцев"));
    Type(e, "title-info|book-title", QString::fromUtf8("Тихая гавань"));
}

QString Cp(const std::string& s) { return FromCp1251(s); }

}  // namespace

class XmlGuiTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void descriptionFromTheTitleQuestionThenABrokenDocumentIsReported() {
        QTemporaryDir dir;
        const std::string book = WriteFile(dir.filePath("book.txt"), ReadBytes(std::string(PM_TEST_DATA) + "/russian-book.txt"));
        Fixture f;
        QVERIFY(InstallXmlSkin(f.tree));
        Advanced(f, true);
        TMainWnd& w = f.Open(true);
        QVERIFY(w.Main().xmlDescriptionLoaded);
        QVERIFY(!w.Action(Cmd::XMLHead)->isEnabled());  // nothing loaded yet

        bool editorShown = false;
        WhenEditorShows([&](TDTDEditor& e) {
            editorShown = true;
            // The reference pane holds the start of the source.
            QVERIFY(e.Memo2->toPlainText().contains(QString::fromUtf8("ТИХАЯ ГАВАНЬ")));
            QVERIFY(e.Memo2->toPlainText().endsWith("\n..."));
            QCOMPARE(Cp(e.Tree().Find("document-info|program-used")->value), QString("Pellmark 1.0 + Ostrel skin"));
            QCOMPARE(Cp(e.Tree().Find("document-info|date|value")->value).size(), 10);
            QVERIFY(!e.ToolButton1->isEnabled());  // the names are missing
            FillRequiredNames(e);
            QVERIFY(e.ToolButton1->isEnabled());
            e.ToolButton1->trigger();
        });
        w.OpenCommandLinePath(false, book);
        QVERIFY(editorShown);
        QVERIFY(w.Action(Cmd::XMLHead)->isEnabled());
        QVERIFY(w.Main().doc.bookDescription.find("<book-title>\xD2\xE8\xF5\xE0\xFF \xE3\xE0\xE2\xE0\xED\xFC</book-title>") !=
                std::string::npos);

        // A valid document: no report.
        w.PageControl1->setCurrentIndex(0);
        QVERIFY(w.HTMText->toPlainText().contains(QString::fromUtf8("<first-name>Андрей</first-name>")));
        QVERIFY(w.Xml().Report() == nullptr);

        // A closing tag mistyped by hand: the report names its line and column.
        int line = 0;
        QString text;
        for (QTextBlock b = w.HTMText->document()->begin(); b.isValid(); b = b.next()) {
            if (!b.text().contains(QString::fromUtf8("Варвара махнула"))) continue;
            line = b.blockNumber() + 1;
            text = b.text();
            break;
        }
        QVERIFY(line > 0 && text.endsWith("</p>"));
        QTextCursor c(w.HTMText->document()->findBlockByNumber(line - 1));
        c.movePosition(QTextCursor::EndOfBlock);
        c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
        c.insertText("q>");
        w.PageControl1->setCurrentIndex(1);
        w.PageControl1->setCurrentIndex(0);
        TXMStateForm* report = w.Xml().Report();
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->windowTitle(), QString("XML Status"));
        const QString shown = report->Memo1->toPlainText();
        QVERIFY2(shown.contains(QString("Error position: String=%1, Position=%2,").arg(line).arg(text.size() + 1)),
                 qPrintable(shown));
        QVERIFY(shown.startsWith("Folowing error found while checking XML:\n" + QString(41, '=')));
        QVERIFY(shown.contains(QString::fromUtf8("Error in text:«")));
        QVERIFY(report->Button2->isEnabled());
        QCOMPARE(report->Button2->text(), QString("Go to error >>"));
        Screenshot(report, "xml-report");

        report->Button2->click();
        QVERIFY(!report->isVisible());
        QCOMPARE(w.PageControl1->currentIndex(), 1);
        QCOMPARE(w.HTMText->textCursor().blockNumber(), line - 1);
        QCOMPARE(w.HTMText->textCursor().positionInBlock(), text.size());

        // Mended: the next check finds nothing, and an open report stays as it was.
        report->show();
        c = QTextCursor(w.HTMText->document()->findBlockByNumber(line - 1));
        c.movePosition(QTextCursor::EndOfBlock);
        c.movePosition(QTextCursor::Left, QTextCursor::KeepAnchor, 2);
        c.insertText("p>");
        w.PageControl1->setCurrentIndex(0);
        QVERIFY(report->isVisible());
        QCOMPARE(report->Memo1->toPlainText(), shown);

        // "XML Header editor": the editor as it was, its new title reaches the document.
        bool again = false;
        WhenEditorShows([&](TDTDEditor& e) {
            again = true;
            QCOMPARE(Cp(e.Tree().Find("title-info|author|first-name")->value), QString::fromUtf8("Андрей"));
            // The text still being typed counts when "&Done" is pressed.
            e.TreeView1->setCurrentItem(e.ItemOf(e.Tree().Find("title-info|book-title")));
            e.Memo1->setPlainText(QString::fromUtf8("Новая гавань"));
            e.ToolButton1->trigger();
        });
        w.Action(Cmd::XMLHead)->trigger();
        QVERIFY(again);
        QVERIFY(w.HTMText->toPlainText().contains(QString::fromUtf8("<book-title>Новая гавань</book-title>")));
        QVERIFY(PageContains(w.CurrentBrowser(), QString::fromUtf8("Новая гавань")));
    }

    void reportWithoutTheHtmlEditor() {
        QTemporaryDir dir;
        const std::string book = WriteFile(dir.filePath("tale.txt"), "     A short tale.\r\n");
        Fixture f;
        QVERIFY(InstallXmlSkin(f.tree));
        f.tree.SetDWord(Root(), "Ask about title", 0);  // no description: the document is not valid
        TMainWnd& w = f.Open(true);
        w.OpenCommandLinePath(false, book);
        TXMStateForm* report = w.Xml().Report();
        QVERIFY(report && report->isVisible());
        QVERIFY(!report->Button2->isEnabled());
        QCOMPARE(report->Button2->text(), QString("HTML editor off"));
        // "Help!" without a help file explains in a message.
        report->Button3->click();
        QCOMPARE(f.questions.asked.back().caption, std::string("Help"));
        QVERIFY(f.questions.asked.back().text.starts_with("This error message indicates an error in XML."));
        report->Button1->click();
        QVERIFY(!report->isVisible());
    }

    void errorAtTheVeryStartPutsTheCaretAtTheBeginning() {
        QTemporaryDir dir;
        const std::string book = WriteFile(dir.filePath("tale.txt"), "     A short tale.\r\n");
        Fixture f;
        QVERIFY(InstallXmlSkin(f.tree));
        f.tree.SetString(XmlKeyPath(), "SYS DTD", "x");
        f.tree.SetDWord(Root(), "Ask about title", 0);
        Advanced(f, true);
        TMainWnd& w = f.Open(true);
        w.OpenCommandLinePath(false, book);
        w.PageControl1->setCurrentIndex(0);
        TXMStateForm* report = w.Xml().Report();
        QVERIFY(report && report->isVisible());
        QCOMPARE(report->Line(), int64_t{1});
        QCOMPARE(report->Column(), int64_t{1});
        w.HTMText->moveCursor(QTextCursor::End);
        report->Button2->click();
        QCOMPARE(w.HTMText->textCursor().position(), 0);
    }

    // The editor's own rules, on the window itself.
    void editorFieldsAndClosing() {
        ConfigTree tree;
        QVERIFY(InstallXmlSkin(tree));
        ScriptedQuestions q;
        Texts texts;
        InterfaceTexts ui;
        {
            TDTDEditor e({tree, texts, ui, q}, nullptr);
            e.show();
            QCOMPARE(e.windowTitle(), QString("Book description editor (pellmark.example.org)"));
            QCOMPARE(e.ToolButton1->text(), QString("&Done"));
            // The stored defaults are in.
            QCOMPARE(Cp(e.Tree().Find("title-info|lang")->value), QString("ru"));
            QVERIFY(e.ItemOf(e.Tree().Find("title-info|lang"))->text(0) == "lang = \"ru\"");

            // "<" cannot stay in a plain-text field.
            QTreeWidgetItem* first = e.ItemOf(e.Tree().Find("title-info|author|first-name"));
            e.TreeView1->setCurrentItem(first);
            e.Memo1->setPlainText("<b>Lev</b>");
            e.TreeView1->setCurrentItem(e.ItemOf(e.Tree().Root()));
            QCOMPARE(e.TreeView1->currentItem(), first);
            QCOMPARE(q.asked.back().text, texts.Msg("Tags not allowed"));
            e.Memo1->setPlainText("Lev");
            e.TreeView1->setCurrentItem(e.ItemOf(e.Tree().Root()));
            QCOMPARE(e.TreeView1->currentItem(), e.ItemOf(e.Tree().Root()));
            QCOMPARE(TDTDEditor::StateIconOf(first), kStateComplete);

            // Two lines of an annotation become two paragraphs.
            Type(e, "title-info|annotation", "One.\nTwo.");
            QCOMPARE(Cp(e.Tree().Find("title-info|annotation")->value), QString("<p>One.</p>\r\n<p>Two.</p>"));
            QVERIFY(e.XMLEditor->toPlainText().contains("<p>One.</p>"));
            Screenshot(&e, "xml-description-editor");

            // A container shows its notice and may be left out.
            e.TreeView1->setCurrentItem(e.ItemOf(e.Tree().Find("title-info")));
            QCOMPARE(e.Memo1->toPlainText(), QString("[This is a container. Text not allowed]"));
            QVERIFY(!e.Memo1->isEnabled());
            QVERIFY(!e.ToolButton5->isEnabled());  // required
            QVERIFY(e.ToolButton3->isEnabled() == false);

            // "D&uplicate node" on a repeatable author, "De&lete node" on its copy.
            e.TreeView1->setCurrentItem(e.ItemOf(e.Tree().Find("title-info|author")));
            QVERIFY(e.ToolButton3->isEnabled());
            QVERIFY(!e.ToolButton4->isEnabled());
            e.ToolButton3->trigger();
            TDTDEntry* copy = e.Tree().Find("title-info")->children[2].get();
            QVERIFY(copy->isCopy);
            QCOMPARE(e.ItemOf(copy)->parent(), e.ItemOf(e.Tree().Find("title-info")));
            e.TreeView1->setCurrentItem(e.ItemOf(copy));
            QVERIFY(e.ToolButton4->isEnabled());
            e.ToolButton4->trigger();
            QCOMPARE(e.Tree().Find("title-info")->children[2]->name, std::string("book-title"));

            // Closing an incomplete description asks; No keeps the window open.
            QVERIFY(!e.ToolButton1->isEnabled());
            QVERIFY(e.XMLEditor->toPlainText().contains("NOT all required data"));
            q.yesNo = false;
            e.reject();
            QVERIFY(e.isVisible());
            QCOMPARE(q.asked.back().text, texts.Msg("XML Incorrect"));
            q.yesNo = true;
            e.reject();
            QVERIFY(!e.isVisible());
            QVERIFY(e.XmlText().ends_with("\nNOT all required data\nis entered in container\n"
                                          "<description><title-info><author><last-name>"));

            // "Save as default" keeps the values of the leaves.
            e.ToolButton7->trigger();
            QCOMPARE(tree.GetValue(XmlDefaultsKeyPath(), "description|title-info|author|first-name")->text,
                     std::string("Lev"));
            e.resize(700, 430);
        }
        // Destruction writes the window's values back.
        QCOMPARE(tree.GetValue(XmlKeyPath(), "Window width")->number, 700);
        QCOMPARE(tree.GetValue(XmlKeyPath(), "Root element")->text, std::string("description"));
    }

    // "D&uplicate node" at the bound of the description's size adds
    // nothing and says so, every time.
    void duplicateAtTheSizeBoundSaysSo() {
        std::string model = "c0*", decls = "<!ELEMENT c0 (#PCDATA)>";
        for (size_t i = 1; i + 1 < DtdTree::kMaxEntries - 1; ++i) {
            model += ",c" + std::to_string(i);
            decls += "<!ELEMENT c" + std::to_string(i) + " (#PCDATA)>";
        }
        ConfigTree tree;
        tree.SetString(XmlKeyPath(), "DTD for editor", "<!ELEMENT r (" + model + ")>" + decls);
        tree.SetString(XmlKeyPath(), "Root element", "r");
        ScriptedQuestions q;
        Texts texts;
        InterfaceTexts ui;
        TDTDEditor e({tree, texts, ui, q}, nullptr);
        QCOMPARE(e.Tree().EntryCount(), DtdTree::kMaxEntries - 1);
        e.TreeView1->setCurrentItem(e.ItemOf(e.Tree().Find("c0")));
        e.ToolButton3->trigger();  // the last entry there is room for
        QCOMPARE(e.Tree().EntryCount(), DtdTree::kMaxEntries);
        QVERIFY(q.asked.empty());
        const QString tooLarge =
            Cp(FormatTemplate(texts.Msg("DTD too large"), {int64_t(DtdTree::kMaxEntries), std::string("r")}));
        for (int attempt = 0; attempt < 2; ++attempt) {
            e.ToolButton3->trigger();
            QCOMPARE(e.Tree().EntryCount(), DtdTree::kMaxEntries);
            QCOMPARE(q.asked.size(), size_t(attempt + 1));
            QCOMPARE(Cp(q.asked.back().text), tooLarge);
        }
    }

    void editorWithoutADtdSaysSo() {
        ConfigTree tree;
        ScriptedQuestions q;
        Texts texts;
        InterfaceTexts ui;
        TDTDEditor e({tree, texts, ui, q}, nullptr);
        QCOMPARE(q.asked.back().text, texts.Msg("Bad DTD"));
        QCOMPARE(e.TreeView1->topLevelItemCount(), 0);
    }
};

QTEST_MAIN(XmlGuiTest)
#include "XmlGuiTest.moc"
