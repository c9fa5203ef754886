// The options panel with the real widgets: clicks, editing, and the two-way
// binding with the rest of the program.
#include <QFile>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

#include "GuiSupport.h"
#include "common/AtomicFile.h"
#include "config/RegFile.h"
#include "options/qt/OptionsPanel.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

class OptionsPanelTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private:
    static TMainWnd& OpenAdvanced(Fixture& f) {
        f.tree.SetDWord(Root(), "Interface mode", 1);
        return f.Open();
    }

private slots:
    void textClickSelectsImageClickToggles() {
        Fixture f;
        TMainWnd& w = OpenAdvanced(f);
        OptionsPanel& p = w.Options();
        QVERIFY(p.isVisible());
        QVERIFY(w.Main().settings.ConvertQuotes);
        p.ClickText(40);
        QCOMPARE(p.OptionsTree->currentItem(), p.Row(40));
        QVERIFY(w.Main().settings.ConvertQuotes);
        QCOMPARE(p.Descr->toPlainText(),
                 QString("Creates cool quotes instead of inches. Strongly recommended for russian texts."));
        p.ClickImage(40);
        QVERIFY(!w.Main().settings.ConvertQuotes);
        // The real mouse: a click on the image toggles, one on the text does not.
        QTreeWidget* tree = p.OptionsTree;
        tree->scrollToItem(p.Row(40));
        const QRect rect = tree->visualItemRect(p.Row(40));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 8, rect.center().y()));
        QVERIFY(w.Main().settings.ConvertQuotes);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(rect.left() + 80, rect.center().y()));
        QVERIFY(w.Main().settings.ConvertQuotes);
        // Keys toggle the selected row.
        QTest::keyClick(tree, Qt::Key_Space);
        QVERIFY(!w.Main().settings.ConvertQuotes);
    }

    void zeroTypedSwitchesTheRuleOff() {
        Fixture f;
        TMainWnd& w = OpenAdvanced(f);
        OptionsPanel& p = w.Options();
        p.ClickText(23);
        QVERIFY(p.SpinEdit1->isVisible());
        QCOMPARE(p.SpinEdit1->value(), 80);
        p.SpinEdit1->setValue(120);  // live: the setting follows at once
        QCOMPARE(w.Main().settings.LongStringsMin, 120);
        QCOMPARE(p.Row(23)->text(0), QString("Strings longer than 120"));
        p.SpinEdit1->setValue(0);
        p.ClickText(25);  // leaving the row commits it
        QCOMPARE(w.Main().settings.LongStringsMin, 2147483647);
        QCOMPARE(p.Row(23)->text(0), QString("Strings longer than 80"));
        QVERIFY(!p.SpinEdit1->isVisible());
    }

    void removeAllHtmlMakesItsRowsInert() {
        Fixture f;
        TMainWnd& w = OpenAdvanced(f);
        OptionsPanel& p = w.Options();
        p.ClickImage(11);
        QVERIFY(w.Main().settings.RemoveAllHtml);
        for (int row = 12; row <= 21; ++row) p.ClickImage(row);
        QVERIFY(w.Main().settings.KillLinks);
        QVERIFY(w.Main().settings.ConvertPToDiv);
    }

    void mismatchedParagraphTagsAreReported() {
        Fixture f;
        TMainWnd& w = OpenAdvanced(f);
        OptionsPanel& p = w.Options();
        p.ClickImage(31);
        QVERIFY(p.Edit1->isVisible());
        QCOMPARE(p.Edit1->text(), QString("<div align=\"justify\">"));
        p.Edit2->setText("</p>");
        emit p.Edit2->textEdited("</p>");
        p.ClickText(33);
        QCOMPARE(f.questions.asked.back().caption, std::string("Error"));
        QCOMPARE(f.questions.asked.back().text, w.Main().texts.Msg("Error in tags"));
        QCOMPARE(w.Main().settings.ParagraphEndTag, std::string("</p>"));
    }

    // A preset from the menu refreshes its rows; a change in the panel
    // reaches the next conversion.
    void bindingBothWays() {
        QTemporaryDir dir;
        std::string book;
        for (int i = 0; i < 8; ++i) book += "     He said \"yes\" and left.\r\n";
        const std::string path = WriteFile(dir.filePath("q.txt"), book);
        Fixture f;
        f.tree.SetDWord(Root(), "Ask about title", 0);
        f.tree.SetDWord(Root(), "AutoDetect text format", 0);
        TMainWnd& w = OpenAdvanced(f);
        OptionsPanel& p = w.Options();
        w.Action(Cmd::LineToParagraph)->trigger();
        QCOMPARE(p.Row(23)->text(0).startsWith("Strings longer than"), true);
        QCOMPARE(p.Row(23)->data(0, Qt::UserRole + 1).toInt(), w.Main().settings.LongStringsMin != 2147483647 ? 1 : 0);
        w.Action(Cmd::FixedWidth)->trigger();
        QCOMPARE(p.Row(23)->data(0, Qt::UserRole + 1).toInt(), w.Main().settings.LongStringsMin != 2147483647 ? 1 : 0);

        w.OpenCommandLinePath(false, path);
        w.Main().TabSheet1Show();
        const std::string before = w.Main().DocumentText();
        QVERIFY(before.find("\xAByes\xBB") != std::string::npos);
        p.ClickImage(40);
        QVERIFY(!w.Main().driver.UpToDate());
        w.Main().TabSheet1Show();
        const std::string after = w.Main().DocumentText();
        QVERIFY(after.find("\"yes\"") != std::string::npos || after.find("&quot;yes&quot;") != std::string::npos);
    }

    // "Integrate with shell" shows whether the desktop entries exist and
    // writes or removes them.
    void integrateWithShell() {
        Fixture f;
        TMainWnd& w = OpenAdvanced(f);
        OptionsPanel& p = w.Options();
        const QString entry = qEnvironmentVariable("XDG_DATA_HOME") + "/applications/pellmark-parse.desktop";
        QFile::remove(entry);
        p.OptionChanged("");
        QCOMPARE(p.Row(55)->data(0, Qt::UserRole + 1).toInt(), 0);
        p.ClickImage(55);
        QVERIFY(QFile::exists(entry));
        QCOMPARE(p.Row(55)->data(0, Qt::UserRole + 1).toInt(), 1);
        p.ClickImage(55);
        QVERIFY(!QFile::exists(entry));
        QCOMPARE(p.Row(55)->data(0, Qt::UserRole + 1).toInt(), 0);
    }

    void russianTree() {
        std::string reg;
        QVERIFY(ReadWholeFile(PM_TEST_DATA "/../../share/localization/example-ru.reg", reg));
        Fixture f;
        std::string error;
        QVERIFY2(ImportRegedit(f.tree, reg, &error), error.c_str());
        TMainWnd& w = OpenAdvanced(f);
        OptionsPanel& p = w.Options();
        QVERIFY(p.Row(23)->text(0).startsWith(QString::fromUtf8("Строки длиннее ")));
        // Every row that has a description shows it in both languages.
        for (int row = 0; row < kRowCount; ++row) {
            const OptionRow& r = OptionRows()[size_t(row)];
            if (r.descrKey.empty()) continue;
            p.ClickText(row);
            QVERIFY2(!p.Descr->toPlainText().isEmpty(), qPrintable(QString::number(row)));
        }
        p.ClickText(40);
        QVERIFY(p.Descr->toPlainText().contains(QString::fromUtf8("ёлочки")));
        QCOMPARE(p.Row(40)->text(0), QString::fromUtf8("\"кавычки\" в «кавычки»"));
        QCOMPARE(p.Row(24)->text(0), QString::fromUtf8("Строки короче 80"));
        Screenshot(&w, "options-panel-ru");
    }
};

QTEST_MAIN(OptionsPanelTest)
#include "OptionsPanelTest.moc"
