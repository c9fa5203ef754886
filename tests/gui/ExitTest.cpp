// The exit: settings written back, temporary files deleted, and the
// localization check at start.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include "GuiSupport.h"
#include "config/TMyReg.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

class ExitTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void exitSavesSettingsAndDeletesTemporaryFiles() {
        QTemporaryDir dir;
        const std::string temp = WriteFile(dir.filePath("$~$~tmp_book.txt.html"), "<html></html>");
        Fixture f;
        TMainWnd& w = f.Open();
        w.Main().files.tempFiles.push_back(temp);
        w.Main().settings.ShortStringsMax = 64;
        w.Main().openDialogFile = "/somewhere/book.txt";
        w.Action(Cmd::Exit)->trigger();
        QVERIFY(!w.isVisible());
        f.wnd.reset();
        QVERIFY(!QFile::exists(FromFileName(temp)));
        QCOMPARE(TMyReg(f.tree, kRootKey).ReadInteger("Short strings max", 0), 64);
        QCOMPARE(TMyReg(f.tree, kRootKey).ReadInteger("Interface mode", -1), 0);
    }

    // Maximized at exit: the normal size is stored, not the maximized one.
    void maximizedExitStoresTheNormalSize() {
        Fixture f;
        TMainWnd& w = f.Open();
        w.resize(640, 420);
        QTest::qWait(50);
        w.showMaximized();
        QTRY_VERIFY(w.isMaximized());
        QVERIFY(w.close());
        f.wnd.reset();
        const TMyReg reg(f.tree, kRootKey);
        QCOMPARE(reg.ReadBool("Is maximized", false), true);
        QCOMPARE(reg.ReadInteger("Window Width", 0), 640);
        QCOMPARE(reg.ReadInteger("Window Height", 0), 420);
    }

    // Unsaved reader changes: Cancel keeps the window open and maximized.
    void cancelledCloseKeepsTheWindow() {
        QTemporaryDir dir;
        const std::string book = WriteFile(dir.filePath("b.html"), kProducedHead + std::string("<body>b</body></html>"));
        Fixture f;
        TMainWnd& w = f.Open();
        w.OpenInReader(book);
        w.Reader().MarkChanged();
        w.showMaximized();
        QVERIFY(w.isMaximized());
        f.questions.yesNoCancel = YesNoCancel::Cancel;
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QVERIFY(w.isMaximized());
        QCOMPARE(f.questions.CountAsked("yesnocancel"), size_t(1));
        QCOMPARE(f.questions.asked.back().caption, std::string("Confirm"));
        QCOMPARE(f.questions.asked.back().text, w.Main().texts.Msg("Save Read File"));
        QVERIFY(w.Reader().PendingChanges());
        f.questions.yesNoCancel = YesNoCancel::Yes;
        QVERIFY(w.close());
        QVERIFY(!w.Reader().PendingChanges());  // saved
        f.wnd.reset();
        QCOMPARE(TMyReg(f.tree, kRootKey).ReadBool("Is maximized", false), true);
        QCOMPARE(f.questions.CountAsked("yesnocancel"), size_t(2));
    }

    void removedSettingsAreNotWrittenBack() {
        Fixture f;
        TMainWnd& w = f.Open();
        w.Main().saveSettingsAtExit = false;
        f.wnd.reset();
        QVERIFY(!f.tree.GetValue(kRootKey, "Short strings max").has_value());
    }

    void localizationForOlderBuildIsRefused() {
        Fixture f;
        f.tree.SetDWord(Root() + "\\interface", "target", 568);
        f.tree.SetString(Root() + "\\interface\\menu", "file", "&Fichier");
        TMainWnd& w = f.Open();
        QVERIFY(w.LocalizationError().startsWith("Interface localization was created for build [568]"));
        QCOMPARE(w.menuBar()->actions().first()->text(), QString("&File"));
    }

    void localizationForThisBuildIsApplied() {
        Fixture f;
        const std::string ru = "\xCF\xF0\xEE\xF1\xEC\xEE\xF2\xF0";  // "Просмотр" in Windows-1251
        f.tree.SetDWord(Root() + "\\interface", "target", 569);
        f.tree.SetString(Root() + "\\interface\\menu", "file", "&Fichier");
        f.tree.SetString(Root() + "\\interface\\Hints", "load src", "Charger");
        f.tree.SetString(Root() + "\\interface\\Controls\\main", "preview", ru);
        f.tree.SetString(Root() + "\\interface\\processes", "Ready", "Pret");
        TMainWnd& w = f.Open();
        QVERIFY(w.LocalizationError().isEmpty());
        QCOMPARE(w.menuBar()->actions().first()->text(), QString("&Fichier"));
        QCOMPARE(w.Action(Cmd::LoadSrc)->toolTip(), QString("Charger"));
        QCOMPARE(w.PageControl1->tabText(0), QString::fromUtf8("Просмотр"));
        // No "messages" section: the process texts stay English.
        QCOMPARE(w.Main().texts.Proc("Ready"), std::string("Ready"));
    }
};

QTEST_MAIN(ExitTest)
#include "ExitTest.moc"
