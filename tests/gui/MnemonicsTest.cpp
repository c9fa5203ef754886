// Every entry of a menu is reachable by its own letter.
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>

#include "GuiSupport.h"
#include "platform/qt/Mnemonics.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

class MnemonicsTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void duplicatesMoveToAFreeLetter() {
        const QStringList got = UniqueMnemonics(
            {"&Open...", "&Open file in reader mode...", "Recent files", "S&ave result as...", "&Exit"});
        QCOMPARE(got, (QStringList{"&Open...", "O&pen file in reader mode...", "&Recent files",
                                   "S&ave result as...", "&Exit"}));
    }

    void ownLettersWinOverLettersGivenToOthers() {
        // "View" has none; it must not take the "H" that "&Help" brings.
        QCOMPARE(UniqueMnemonics({"Hview", "&Help"}), (QStringList{"H&view", "&Help"}));
        QCOMPARE(UniqueMnemonics({"File", "Fold"}), (QStringList{"&File", "F&old"}));
    }

    void literalAmpersandsAndFullMenus() {
        QCOMPARE(UniqueMnemonics({"Salt && pepper"}), (QStringList{"&Salt && pepper"}));
        QCOMPARE(UniqueMnemonics({"ab", "ab", "ab"}), (QStringList{"&ab", "a&b", "ab"}));
    }

    // The main window's menu bar: unique letters among the titles and in each menu.
    void mainWindowMenus() {
        Fixture f;
        TMainWnd& w = f.Open();
        auto letters = [](const QList<QAction*>& actions) {
            QStringList seen;
            for (QAction* a : actions) {
                const QString t = a->text();
                const qsizetype at = t.indexOf(QRegularExpression("&[^&]"));
                if (a->isSeparator() || t.isEmpty()) continue;
                QVERIFY2(at >= 0, qPrintable(t));
                const QString letter = t.mid(at + 1, 1).toLower();
                QVERIFY2(!seen.contains(letter), qPrintable(t));
                seen << letter;
            }
        };
        letters(w.menuBar()->actions());
        for (QAction* title : w.menuBar()->actions()) letters(title->menu()->actions());
    }
};

QTEST_MAIN(MnemonicsTest)
#include "MnemonicsTest.moc"
