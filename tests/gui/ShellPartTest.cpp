// The shell's part of the main window: desktop entries at start, the
// external tool buttons, and sending the book to an e-book reader.
#include <sys/stat.h>

#include <QAction>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QTemporaryDir>
#include <QToolBar>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <thread>

#include "GuiSupport.h"
#include "common/AtomicFile.h"
#include "config/RegFile.h"
#include "shell/DesktopEntries.h"
#include "shell/Device.h"
#include "shell/Launch.h"
#include "shell/qt/ShellPart.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

namespace {

std::string ToolKey(int n) { return Root() + "\\Ext\\Btn" + std::to_string(n); }

QColor IconColour(const QIcon& icon) { return icon.pixmap(16, 16).toImage().pixelColor(8, 8); }

QString ImageFile(const QString& path, const QColor& colour) {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(colour);
    image.save(path);
    return path;
}

// A script that writes its arguments into `record`, one per line.
std::string Recorder(const QTemporaryDir& dir, const std::string& record) {
    const std::string script = WriteFile(dir.filePath("record-args"),
                                         "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + record +
                                             ".part\"\nmv \"" + record + ".part\" \"" + record + "\"\n");
    chmod(script.c_str(), 0755);
    return script;
}

// Waits for the detached program to write its record.
QStringList Recorded(const std::string& record) {
    for (int i = 0; i < 1000 && !QFile::exists(FromFileName(record)); ++i) QTest::qWait(10);
    std::string text;
    ReadWholeFile(record, text);
    QStringList lines = QString::fromStdString(text).split('\n');
    lines.removeLast();
    return lines;
}

ShellPart* PartOf(TMainWnd& w) { return w.findChild<ShellPart*>("ShellPart"); }

// The actions of a toolbar from its gap for the tool buttons on ("gap"
// and its width, then the actions' names).
QStringList AfterGap(const TMainWnd& w, const char* bar) {
    const QToolBar* toolbar = w.findChild<QToolBar*>(bar);
    QStringList names;
    bool gap = false;
    for (QAction* a : toolbar->actions()) {
        if (QWidget* widget = toolbar->widgetForAction(a); widget && widget->objectName() == "ToolButtonGap") {
            gap = true;
            names << QString("gap %1").arg(widget->width());
            continue;
        }
        if (gap) names << a->objectName();
    }
    return names;
}

}  // namespace

class ShellPartTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private:
    QTemporaryDir dataHome_;
    QString Applications() const { return dataHome_.filePath("applications"); }

private slots:
    // The desktop entries of every test here go to a folder of their own.
    void initTestCase() {
        QVERIFY(dataHome_.isValid());
        qputenv("XDG_DATA_HOME", dataHome_.path().toUtf8());
    }
    void cleanup() {
        shell::SetShellIntegration(false, ToFileName(Applications()), "", shell::ShellCaptions{});
    }

    // An integrated installation names its current path and the current
    // captions at every start; turned off, the next start finds it off.
    void integrationIsRewrittenAtStartAndReadBack() {
        const std::string folder = ToFileName(Applications());
        QVERIFY(shell::SetShellIntegration(true, folder, "/old/place/pellmark", shell::ShellCaptions{}));
        std::string reg, error;
        QVERIFY(ReadWholeFile(PM_TEST_DATA "/../../share/localization/example-ru.reg", reg));
        {
            Fixture f;
            QVERIFY2(ImportRegedit(f.tree, reg, &error), error.c_str());
            f.Open();
            QVERIFY(f.questions.asked.empty());
        }
        std::string parse, read;
        QVERIFY(ReadWholeFile(folder + "/pellmark-parse.desktop", parse));
        QVERIFY(ReadWholeFile(folder + "/pellmark-read.desktop", read));
        const std::string exec = "Exec=\"" + ToFileName(QCoreApplication::applicationFilePath()) + "\"";
        QVERIFY2(parse.find(exec + " %f\n") != std::string::npos, parse.c_str());
        QVERIFY2(read.find(exec + " -r %f\n") != std::string::npos, read.c_str());
        QVERIFY(parse.find("Name=" + std::string("Разобрать в Pellmark") + "\n") != std::string::npos);
        QVERIFY(read.find("Name=" + std::string("Читать в Pellmark") + "\n") != std::string::npos);

        // Turned off (the options row does this through the same call).
        QVERIFY(shell::SetShellIntegration(false, "", shell::ShellCaptions{}));
        {
            Fixture f;
            f.Open();
        }
        QVERIFY(!shell::ShellIntegrated());
        QVERIFY(!QFile::exists(Applications() + "/pellmark-read.desktop"));
    }

    void aFailedRewriteAtStartIsReported() {
        const std::string folder = ToFileName(Applications());
        QVERIFY(shell::SetShellIntegration(true, folder, "/old/place/pellmark", shell::ShellCaptions{}));
        QFile::remove(Applications() + "/pellmark-read.desktop");
        QVERIFY(QDir().mkpath(Applications() + "/pellmark-read.desktop"));  // a folder in the entry's place
        Fixture f;
        f.Open();
        QCOMPARE(f.questions.CountAsked("message"), size_t(1));
        QCOMPARE(f.questions.asked[0].caption, std::string("Error"));
        QVERIFY(f.questions.asked[0].text.find("pellmark-read.desktop") != std::string::npos);
        QDir(Applications() + "/pellmark-read.desktop").removeRecursively();
    }

    void noToolButtonsWithoutTheFirstTool() {
        Fixture f;
        f.tree.SetString(ToolKey(3), "exefile", "/bin/true");
        TMainWnd& w = f.Open();
        QVERIFY(PartOf(w)->ToolActions().empty());
        QVERIFY(w.findChildren<QWidget*>("ToolButtonGap").isEmpty());
    }

    void toolButtonsOnBothToolbarsInNumberOrder() {
        QTemporaryDir dir;
        const QString red = ImageFile(dir.filePath("red.png"), Qt::red);
        Fixture f;
        f.tree.SetString(ToolKey(2), "Hint", "Second tool");
        f.tree.SetString(ToolKey(2), "IconFile", ToCp1251(red));
        f.tree.SetDWord(ToolKey(2), "IconNumber", 1);  // a PNG holds one image only
        f.tree.SetString(ToolKey(0), "Hint", "\xCF\xE5\xF0\xE2\xFB\xE9");  // "Первый"
        f.tree.SetString(ToolKey(0), "IconFile", ToCp1251(red));
        f.tree.SetString(ToolKey(5), "IconFile", ToCp1251(dir.filePath("missing.png")));
        TMainWnd& w = f.Open();
        const QStringList expected = {"gap 8", "ToolButton0", "ToolButton2", "ToolButton5"};
        QCOMPARE(AfterGap(w, "PanelToolBar"), expected);
        QCOMPARE(AfterGap(w, "PreviewToolBar"), expected);
        const std::vector<QAction*>& tools = PartOf(w)->ToolActions();
        QCOMPARE(tools[0]->toolTip(), QString::fromUtf8("Первый"));
        QCOMPARE(tools[1]->toolTip(), QString("Second tool"));
        QCOMPARE(IconColour(tools[0]->icon()), QColor(Qt::red));
        // No such image in the file, no such file: a standard picture.
        QVERIFY(!tools[1]->icon().isNull());
        QVERIFY(IconColour(tools[1]->icon()) != QColor(Qt::red));
        QVERIFY(!tools[2]->icon().isNull());
        QVERIFY(tools[0]->isEnabled());
        // The picture: a converted book, and a window wide enough for every
        // tool button to show on the toolbar rather than behind its "»".
        w.resize(900, w.height());
        QTemporaryDir book;
        QVERIFY(ShowSampleBook(w, book.path()));
        const QToolBar* bar = w.findChild<QToolBar*>("PanelToolBar");
        for (QAction* tool : tools) QVERIFY(bar->widgetForAction(tool)->isVisible());
        Screenshot(&w, "tool-buttons");
    }

    void toolIconsFromTheIconTheme() {
        QTemporaryDir themes;
        QVERIFY(QDir().mkpath(themes.filePath("pmtest/16x16/apps")));
        WriteFile(themes.filePath("pmtest/index.theme"),
                  "[Icon Theme]\nName=pmtest\nDirectories=16x16/apps\n\n[16x16/apps]\nSize=16\nType=Fixed\n");
        ImageFile(themes.filePath("pmtest/16x16/apps/pm-blue-tool.png"), Qt::blue);
        const QStringList oldPaths = QIcon::themeSearchPaths();
        const QString oldTheme = QIcon::themeName();
        QIcon::setThemeSearchPaths({themes.path()});
        QIcon::setThemeName("pmtest");
        Fixture f;
        f.tree.SetString(ToolKey(0), "IconFile", "pm-blue-tool");
        TMainWnd& w = f.Open();
        const QColor colour = IconColour(PartOf(w)->ToolActions()[0]->icon());
        QIcon::setThemeSearchPaths(oldPaths);
        QIcon::setThemeName(oldTheme);
        QCOMPARE(colour, QColor(Qt::blue));
    }

    // The tool gets the book's values as plain arguments: a title cannot
    // run a command.
    void aToolRunsWithTheBooksValues() {
        QTemporaryDir dir;
        const std::string record = ToFileName(dir.filePath("args"));
        Fixture f;
        f.tree.SetString(ToolKey(0), "exefile", Recorder(dir, record));
        f.tree.SetString(ToolKey(0), "CmdLine", "\"%fullfilename%\" /switch %longtitle% %shortitle% %shortitle%");
        TMainWnd& w = f.Open();
        const std::string marker = ToFileName(dir.filePath("pwned"));
        w.Main().doc.title = "Tale %longtitle%; rm -rf ~; touch " + marker;
        w.Main().doc.shortTitle = "$(touch " + marker + ")";
        w.Main().files.previewFile = "/home/u/My Books/$~$~tmp_tale.txt.html";
        PartOf(w)->ToolActions()[0]->trigger();
        const QStringList args = Recorded(record);
        QCOMPARE(args, (QStringList{"/home/u/My Books/$~$~tmp_tale.txt.html", "/switch",
                                    FromCp1251(w.Main().doc.title), FromCp1251(w.Main().doc.shortTitle),
                                    FromCp1251(w.Main().doc.shortTitle)}));
        QVERIFY(!QFile::exists(dir.filePath("pwned")));
    }

    // A split book goes, part files and index, to the reader found among
    // the mounted volumes; the command is off while there is none.
    void aSplitBookGoesToAMountedReader() {
        QTemporaryDir dir;
        QVERIFY(QDir().mkpath(dir.filePath("media/KOBO/.kobo")));
        QVERIFY(QDir().mkpath(dir.filePath("work")));
        std::string book;
        QVERIFY(ReadWholeFile(PM_TEST_DATA "/russian-book.txt", book));
        const std::string source = WriteFile(dir.filePath("work/harbour.txt"), book);
        const std::string volume = ToFileName(dir.filePath("media/KOBO"));
        bool plugged = false;
        Fixture f;
        f.tree.SetDWord(Root(), "Break text Apart by TOC", 1);
        TMainWnd& w = f.Open();
        PartOf(w)->SetMountSource({ToFileName(dir.filePath("media"))}, [&] {
            return plugged ? "/dev/sdz1 " + volume + " vfat rw 0 0\n" : std::string();
        });
        QVERIFY(w.Main().LoadSrc(source));
        if (!w.Main().HasResult()) w.Main().Convert();
        QVERIFY(w.Main().HasResult());
        w.UpdateCommands();
        QVERIFY(!w.Action(Cmd::SendToRocket)->isEnabled());  // nowhere to send to

        plugged = true;  // as the mount list's notice does
        PartOf(w)->RefreshSendCommand();
        QVERIFY(w.Action(Cmd::SendToRocket)->isEnabled());
        QVERIFY(w.Main().files.partFiles.size() >= 3);
        f.questions.asked.clear();
        w.Action(Cmd::SendToRocket)->trigger();
        QStringList names;
        for (const std::string& part : w.Main().files.partFiles) {
            const QString name = QFileInfo(FromFileName(part)).fileName();
            names << name;
            std::string sent, made;
            QVERIFY2(ReadWholeFile(volume + "/" + ToFileName(name), sent), qPrintable(name));
            QVERIFY(ReadWholeFile(part, made));
            QVERIFY(sent == made);
        }
        QCOMPARE(QDir(FromFileName(volume)).entryList(QDir::Files).size(), names.size());
        QCOMPARE(f.questions.asked.size(), size_t(1));
        QCOMPARE(f.questions.asked[0].caption, std::string("Info"));
        const QString told = FromCp1251(f.questions.asked[0].text);
        QVERIFY2(told.startsWith("Copied to " + FromFileName(volume) + ":"), qPrintable(told));
        for (const QString& name : names) QVERIFY2(told.contains("\n" + name), qPrintable(told));

        plugged = false;  // unplugged
        PartOf(w)->RefreshSendCommand();
        QVERIFY(!w.Action(Cmd::SendToRocket)->isEnabled());
    }

    // A real mount: the kernel's notice about the mount list turns the
    // command on and off. Needs the right to mount (root in CI); skipped
    // without it.
    void mountingAReaderTurnsTheCommandOn() {
        QTemporaryDir dir;
        const std::string staging = ToFileName(dir.filePath("staging"));
        const std::string volume = ToFileName(dir.filePath("media/KOBO"));
        QVERIFY(QDir().mkpath(FromFileName(staging)) && QDir().mkpath(FromFileName(volume)));
        if (!shell::RunAndWait("mount", {"-t", "tmpfs", "pm-test", staging}))
            QSKIP("mounting is not allowed here");
        // Whatever happens below, nothing stays mounted.
        struct Unmount {
            std::vector<std::string> folders;
            ~Unmount() {
                for (const std::string& f : folders) shell::RunAndWait("umount", {f});
            }
        } unmount{{volume, staging}};
        QVERIFY(QDir().mkpath(FromFileName(staging + "/.kobo")));
        const std::string source = WriteFile(dir.filePath("tale.txt"), "Title\r\n\r\n    A paragraph.\r\n");
        Fixture f;
        TMainWnd& w = f.Open();
        PartOf(w)->SetMountSource({ToFileName(dir.filePath("media"))}, shell::ReadMountList);
        QVERIFY(w.Main().LoadSrc(source));
        if (!w.Main().HasResult()) w.Main().Convert();
        w.UpdateCommands();
        const bool offBefore = !w.Action(Cmd::SendToRocket)->isEnabled();
        const bool bound = shell::RunAndWait("mount", {"--bind", staging, volume});
        QTRY_VERIFY_WITH_TIMEOUT(!bound || w.Action(Cmd::SendToRocket)->isEnabled(), 10000);
        const bool onWhileMounted = w.Action(Cmd::SendToRocket)->isEnabled();
        shell::RunAndWait("umount", {volume});
        QTRY_VERIFY_WITH_TIMEOUT(!w.Action(Cmd::SendToRocket)->isEnabled(), 10000);
        QVERIFY(bound);
        QVERIFY(offBefore);
        QVERIFY(onWhileMounted);
    }

    // A stored folder takes a whole book under the source's name; a stored
    // command gets the book's file after its own arguments.
    void storedTargets() {
        QTemporaryDir dir;
        const std::string source =
            WriteFile(dir.filePath("tale.txt"), "Title\r\n\r\n    First paragraph here.\r\n    Second one.\r\n");
        const std::string target = ToFileName(dir.filePath("reader"));
        QVERIFY(QDir().mkpath(FromFileName(target)));
        Fixture f;
        TMainWnd& w = f.Open();
        PartOf(w)->SetMountSource({}, [] { return std::string(); });
        QVERIFY(w.Main().LoadSrc(source));
        if (!w.Main().HasResult()) w.Main().Convert();
        w.UpdateCommands();
        QVERIFY(!w.Action(Cmd::SendToRocket)->isEnabled());

        QVERIFY(shell::StoreDeviceFolder(f.tree, target));
        PartOf(w)->RefreshSendCommand();
        QVERIFY(w.Action(Cmd::SendToRocket)->isEnabled());
        w.Action(Cmd::SendToRocket)->trigger();
        std::string sent;
        QVERIFY(ReadWholeFile(target + "/tale.html", sent));
        QVERIFY(sent == w.Main().DocumentText());

        const std::string record = ToFileName(dir.filePath("args"));
        QVERIFY(shell::StoreDeviceFolder(f.tree, ""));
        QVERIFY(shell::StoreDeviceCommand(f.tree, ToCp1251(FromFileName(Recorder(dir, record))) + " --title %shortitle%"));
        w.Main().doc.shortTitle = "A; B";
        PartOf(w)->RefreshSendCommand();
        QVERIFY(w.Action(Cmd::SendToRocket)->isEnabled());
        w.Action(Cmd::SendToRocket)->trigger();
        QCOMPARE(Recorded(record), (QStringList{"--title", "A; B", FromFileName(w.Main().files.previewFile)}));
    }
};

QTEST_MAIN(ShellPartTest)
#include "ShellPartTest.moc"
