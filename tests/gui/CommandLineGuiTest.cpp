// The command-line forms at start: a path for editing (split into several
// arguments), "-r" and a path for reading, and "-R" alone.
#include <QAction>
#include <QFile>
#include <QTemporaryDir>

#include "GuiSupport.h"
#include "app/CommandLine.h"
#include "common/AtomicFile.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

class CommandLineGuiTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private:
    static void Start(Fixture& f, const std::vector<std::string>& args) {
        const StartCommand cmd = ParseCommandLine(args);
        const bool hasArgument = cmd.kind == StartCommand::Kind::Read || cmd.kind == StartCommand::Kind::Edit;
        f.Open(hasArgument);
        if (hasArgument) f.wnd->OpenCommandLinePath(cmd.kind == StartCommand::Kind::Read, cmd.path);
    }

private slots:
    void readSwitchAloneNamesNoFile() {
        Fixture f;
        Start(f, {"-R"});
        QCOMPARE(f.questions.CountAsked("message"), size_t(1));
        QCOMPARE(f.questions.asked.back().caption, std::string("Info"));
        QCOMPARE(f.questions.asked.back().text,
                 std::string("Incorrect filename in parameters:\n\"\":\nFile does not exists"));
        QCOMPARE(f.wnd->Mode(), 0);
    }

    void missingFileStartsWithoutDocument() {
        Fixture f;
        Start(f, {"/nonexistent/dir/book.txt"});
        QCOMPARE(f.questions.CountAsked("message"), size_t(1));
        QVERIFY(f.questions.asked.back().text.find("/nonexistent/dir/book.txt") != std::string::npos);
        QVERIFY(!f.wnd->Main().HasResult());
    }

    // A folder is not a book: the same message, not a load error.
    void folderIsAnIncorrectFileName() {
        QTemporaryDir dir;
        Fixture f;
        Start(f, {ToFileName(dir.path())});
        QCOMPARE(f.questions.CountAsked("message"), size_t(1));
        QVERIFY(f.questions.asked.back().text.starts_with("Incorrect filename in parameters:"));
        QVERIFY(!f.wnd->Main().HasSource());
    }

    // Arguments arrive as UTF-8; the message shows the name in the working
    // code page, and an existing Cyrillic name loads.
    void cyrillicFileNames() {
        Fixture f;
        Start(f, {"/nonexistent/\xD0\x9A\xD0\xBD\xD0\xB8\xD0\xB3\xD0\xB0.txt"});  // "Книга.txt"
        QVERIFY(f.questions.asked.back().text.find("/nonexistent/\xCA\xED\xE8\xE3\xE0.txt") != std::string::npos);
        QTemporaryDir dir;
        const std::string path = WriteFile(dir.filePath(QString::fromUtf8("Книга.txt")), "     Cyrillic name.\r\n");
        Fixture g;
        g.tree.SetDWord(Root(), "Ask about title", 0);
        Start(g, {path});
        QCOMPARE(g.wnd->Main().openDialogFile, path);
        QVERIFY(PageContains(g.wnd->CurrentBrowser(), "Cyrillic name."));
        QCOMPARE(g.wnd->windowTitle(), QString::fromUtf8("Pellmark (converter) - Книга.txt"));
    }

    // The book's own text must be found in the page of the current browser.
    void splitPathLoadsTheBookForEditing() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("My Books"));
        std::string book;
        QVERIFY(ReadWholeFile(PM_TEST_DATA "/russian-book.txt", book));
        const std::string path = WriteFile(dir.filePath("My Books/quiet harbour.txt"), book);
        const std::string folderWord = ToFileName(dir.filePath("My"));
        Fixture f;
        Start(f, {folderWord, "Books/quiet", "harbour.txt"});
        QCOMPARE(f.wnd->Main().openDialogFile, path);
        QVERIFY(f.wnd->Main().HasResult());
        QVERIFY(PageContains(f.wnd->CurrentBrowser(), QString::fromUtf8("Матвей Ильич")));
        QCOMPARE(f.wnd->PanelText(1), QString("Ready"));
        Screenshot(f.wnd.get(), "book-loaded-simple");
    }

    void readSwitchOpensTheBookInReaderMode() {
        QTemporaryDir dir;
        const std::string path =
            WriteFile(dir.filePath("read me.html"), kProducedHead + std::string("<body><p>Chapter one begins</p></body></html>"));
        Fixture f;
        Start(f, {"-r", ToFileName(dir.filePath("read")), "me.html"});
        QCOMPARE(f.wnd->Mode(), 2);
        QCOMPARE(f.wnd->Main().settings.LastReaderFile, path);
        QVERIFY(PageContains(f.wnd->CurrentBrowser(), "Chapter one begins"));
        QVERIFY(f.questions.asked.empty());
    }
};

QTEST_MAIN(CommandLineGuiTest)
#include "CommandLineGuiTest.moc"
