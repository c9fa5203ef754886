// The rule windows and the rules drop-down menu with the real widgets.
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "GuiSupport.h"
#include "config/Texts.h"
#include "config/TMyReg.h"
#include "platform/qt/TextEditor.h"
#include "regexlists/qt/RuleWindows.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

class RuleWindowsTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private:
    static RegexRuleLists ThreeRules() {
        RegexRuleLists r;
        r.Add({"Bold", "<b>(.*)</b>", "$1"});
        r.Add({"Spaces", "  ", " "});
        r.Add({std::string(120, 'L'), "x", "y"});
        return r;
    }
    static std::vector<size_t> RuleOrder(const RegexRuleLists& r, RuleList list) {
        std::vector<size_t> order;
        for (const RuleListItem& i : r.Items(list)) order.push_back(i.rule);
        return order;
    }

private slots:
    void deleteAsksAndRenumbers() {
        RegexRuleLists rules = ThreeRules();
        ConfigTree tree;
        Texts texts;
        ScriptedQuestions q;
        TRegList w(rules, texts, q, tree, false);
        QCOMPARE(w.Pages->currentWidget(), static_cast<QWidget*>(w.SRCRegExpr));  // the source page first
        QCOMPARE(w.SRCRegExpr->count(), 3);
        w.show();
        Screenshot(&w, "rule-list-window");
        w.SRCRegExpr->setCurrentRow(0);
        q.yesNo = false;
        w.DelBtn->click();
        QCOMPARE(rules.Rules().size(), size_t(3));
        QCOMPARE(q.asked.back().caption, std::string("Confirm"));
        QVERIFY(q.asked.back().text.find("\"Bold\"") != std::string::npos);
        q.yesNo = true;
        w.DelBtn->click();
        QCOMPARE(rules.Rules().size(), size_t(2));
        QCOMPARE(RuleOrder(rules, RuleList::Source), (std::vector<size_t>{0, 1}));
        QCOMPARE(RuleOrder(rules, RuleList::Html), (std::vector<size_t>{0, 1}));
        QCOMPARE(w.SRCRegExpr->item(0)->text(), QString("Spaces"));
        QVERIFY(w.Changed());
    }

    void movesKeepChecksAndStayInTheirList() {
        RegexRuleLists rules = ThreeRules();
        ConfigTree tree;
        Texts texts;
        ScriptedQuestions q;
        TRegList w(rules, texts, q, tree, false);
        w.Pages->setCurrentWidget(w.HTMRegExpr);
        w.HTMRegExpr->item(0)->setCheckState(Qt::Checked);
        w.HTMRegExpr->setCurrentRow(0);
        w.UpBtn->click();  // the first cannot go up
        QCOMPARE(RuleOrder(rules, RuleList::Html), (std::vector<size_t>{0, 1, 2}));
        w.DnBtn->click();
        QCOMPARE(RuleOrder(rules, RuleList::Html), (std::vector<size_t>{1, 0, 2}));
        QVERIFY(rules.Items(RuleList::Html)[1].checked);
        QCOMPARE(w.HTMRegExpr->currentRow(), 1);
        QCOMPARE(RuleOrder(rules, RuleList::Source), (std::vector<size_t>{0, 1, 2}));
        QVERIFY(!rules.Items(RuleList::Source)[0].checked);
        w.HTMRegExpr->setCurrentRow(2);
        w.DnBtn->click();  // nor the last down
        QCOMPARE(RuleOrder(rules, RuleList::Html), (std::vector<size_t>{1, 0, 2}));
    }

    void addAndTestInTheEditor() {
        RegexRuleLists rules;
        ConfigTree tree;
        Texts texts;
        ScriptedQuestions q;
        TRegList w(rules, texts, q, tree, false);
        QCOMPARE(w.SRCRegExpr->count(), 0);
        QTimer::singleShot(0, [&] {
            TRegExprEdit& e = w.Editor();
            e.Edit3->setText("Shortest bold");
            e.Edit1->setText("<b>(.*)</b>");
            e.Edit2->setText("[$1]");
            e.RxRichEdit1->setPlainText("<b>a</b> and <b>b</b>");
            e.TestBtn->click();
            // Not greedy: each bold span on its own.
            QCOMPARE(e.RxRichEdit2->toPlainText(), QString("[a] and [b]"));
            e.Edit1->setText("(unclosed");
            e.TestBtn->click();
            QVERIFY(e.RxRichEdit2->toPlainText().startsWith("Error!!!"));
            e.Edit1->setText("<b>(.*)</b>");
            e.OkBtn->click();
        });
        w.AddBtn->click();
        QCOMPARE(rules.Rules().size(), size_t(1));
        QCOMPARE(w.HTMRegExpr->count(), 1);
        QCOMPARE(w.HTMRegExpr->item(0)->checkState(), Qt::Unchecked);
    }

    // The drop-down menu: source-list order, captions cut at 100 characters,
    // applied to the active editor's selection or whole text; the changed
    // lists are saved at exit.
    void dropDownMenuAndSavingAtExit() {
        Fixture f;
        f.tree.SetDWord(Root(), "Interface mode", 1);
        f.tree.SetDWord(Root(), "Show HTML", 1);
        f.tree.SetDWord(Root(), "Use Source editor", 1);
        TMainWnd& w = f.Open();
        RegexRuleLists& rules = *w.Main().rules;
        rules.Add({"Bold", "<b>(.*)</b>", "$1"});
        rules.Add({std::string(120, 'L'), "x", "y"});
        RulesPart& part = w.Rules();
        part.RegExprListPopup();
        QCOMPARE(part.RegExprList->actions().size(), 2);
        QCOMPARE(part.RegExprList->actions()[1]->text().size(), 100);

        w.PageControl1->setCurrentIndex(1);  // the HTML editor
        w.HTMText->setPlainText("<b>one</b> <b>two</b>");
        QTextCursor c(w.HTMText->document());
        c.setPosition(0);
        c.setPosition(10, QTextCursor::KeepAnchor);
        w.HTMText->setTextCursor(c);
        part.RegExprListClick(0);
        QCOMPARE(w.HTMText->toPlainText(), QString("one <b>two</b>"));
        w.PageControl1->setCurrentIndex(2);  // the source editor, nothing selected
        w.SrcText->setPlainText("x x");
        part.RegExprListClick(1);
        QCOMPARE(w.SrcText->toPlainText(), QString("y y"));

        // Changed in the window: written at exit.
        QTimer::singleShot(0, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* list = qobject_cast<TRegList*>(top); list && list->isVisible()) {
                    list->SRCRegExpr->item(0)->setCheckState(Qt::Checked);
                    list->CloseBtn->click();
                }
        });
        part.RegExprHTMClick();
        QVERIFY(part.Changed());
        f.wnd.reset();
        QCOMPARE(TMyReg(f.tree, Root() + "\\Regexp\\000").ReadString("Name", ""), std::string("Bold"));
        QVERIFY(f.tree.GetValue(Root() + "\\Regexp\\Order", "src_sel_0").has_value());
    }

    // "Remove all settings" keeps the rule lists' key, and the rules the
    // window changed are still written at exit.
    void rulesChangedBeforeRemovingAllSettingsAreKept() {
        Fixture f;
        TMainWnd& w = f.Open();
        w.Main().rules->Add({"Kept", "a", "b"});
        QTimer::singleShot(0, [] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* list = qobject_cast<TRegList*>(top); list && list->isVisible()) {
                    list->SRCRegExpr->item(0)->setCheckState(Qt::Checked);
                    list->CloseBtn->click();
                }
        });
        w.Rules().RegExprHTMClick();
        QVERIFY(w.Rules().Changed());
        w.Main().saveSettingsAtExit = false;
        f.wnd.reset();
        QCOMPARE(TMyReg(f.tree, Root() + "\\Regexp\\000").ReadString("Name", ""), std::string("Kept"));
        QVERIFY(!f.tree.GetValue(Root(), "Short strings max").has_value());
    }
};

QTEST_MAIN(RuleWindowsTest)
#include "RuleWindowsTest.moc"
