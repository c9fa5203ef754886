// "Save as EPUB book..." in the desktop program, through the real save
// dialog: a book the table-of-contents stage split into part files becomes
// one EPUB with one chapter file per part and the index as its navigation.
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "../epub/EpubHelpers.h"
#include "GuiSupport.h"
#include "common/AtomicFile.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

namespace {

// Answers the next save dialog with path; the filters it offered go to
// *filters.
void AnswerSaveDialog(const QString& path, QStringList* filters) {
    WhenShown<QFileDialog>([path, filters](QFileDialog& d) {
        *filters = d.nameFilters();
        d.selectFile(path);
        QMetaObject::invokeMethod(&d, "accept");  // as the Save button does
    });
}

int Count(const std::string& text, const std::string& needle) {
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
    return n;
}

}  // namespace

class EpubSaveGuiTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    void splitBookBecomesOneEpub() {
        QTemporaryDir source, target;
        std::string text;
        QVERIFY(ReadWholeFile(PM_TEST_DATA "/russian-book.txt", text));
        const std::string book = WriteFile(source.filePath("harbour.txt"), text);
        Fixture f;
        f.tree.SetDWord(Root(), "Break text Apart by TOC", 1);
        TMainWnd& w = f.Open();
        QVERIFY(w.Main().LoadSrc(book));
        QVERIFY(w.Main().HasResult());
        w.UpdateCommands();
        // The parts and, last, the index.
        const std::vector<std::string> parts = w.Main().files.partFiles;
        QCOMPARE(parts.size(), size_t(5));

        QAction* save = w.Action(Cmd::SaveEpub);
        QVERIFY(save->isEnabled());
        QVERIFY(w.findChild<QMenu*>("file")->actions().contains(save));
        QStringList filters;
        f.questions.asked.clear();
        AnswerSaveDialog(target.filePath("harbour"), &filters);
        save->trigger();
        QCOMPARE(filters, QStringList{"EPUB book (*.epub)"});
        QCOMPARE(f.questions.CountAsked("message"), size_t(0));

        // Only the book itself lands in the folder: no part files beside it.
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{"harbour.epub"});
        std::string epub;
        QVERIFY(ReadWholeFile(ToFileName(target.filePath("harbour.epub")), epub));
        const auto entries = pm::test::EntryMap(pm::test::Unzip(epub));
        QVERIFY(entries.count("mimetype"));
        int chapters = 0;
        for (const auto& [name, bytes] : entries) {
            if (name.rfind("OEBPS/chapter-", 0) != 0) continue;
            ++chapters;
            std::string why;
            QVERIFY2(pm::test::WellFormed(bytes, &why), qPrintable(QString::fromStdString(name + ": " + why)));
        }
        QCOMPARE(chapters, int(parts.size()) - 1);
        // The index is the navigation: one entry per part, in order.
        const std::string nav = entries.at("OEBPS/nav.xhtml");
        QCOMPARE(Count(nav, "<li><a href=\"chapter-"), chapters);
        QVERIFY(nav.find("chapter-001.xhtml") < nav.find("chapter-004.xhtml"));
        QVERIFY(nav.find("Глава первая") != std::string::npos);
        // The navigation links of the parts point into the book, not to
        // the part files on disk.
        for (const auto& [name, bytes] : entries) QVERIFY2(bytes.find("PLMK_") == std::string::npos, name.c_str());

        int code = -1;
        if (const auto report = pm::test::Epubcheck(ToFileName(target.filePath("harbour.epub")), code))
            QVERIFY2(code == 0, report->c_str());
        else
            qInfo("epubcheck is not installed: the book was checked for well-formedness only");
    }

    // Cancelling the dialog writes nothing; without a result the command
    // is off.
    void cancelWritesNothing() {
        QTemporaryDir source;
        std::string text;
        QVERIFY(ReadWholeFile(PM_TEST_DATA "/russian-book.txt", text));
        const std::string book = WriteFile(source.filePath("harbour.txt"), text);
        Fixture f;
        TMainWnd& w = f.Open();
        w.UpdateCommands();
        QVERIFY(!w.Action(Cmd::SaveEpub)->isEnabled());
        QVERIFY(w.Main().LoadSrc(book));
        w.UpdateCommands();
        QVERIFY(w.Action(Cmd::SaveEpub)->isEnabled());
        f.questions.asked.clear();
        bool asked = false;
        WhenShown<QFileDialog>([&asked, &source](QFileDialog& d) {
            asked = true;
            d.setDirectory(source.path());
            d.selectFile(source.filePath("harbour"));
            d.reject();
        });
        w.Action(Cmd::SaveEpub)->trigger();
        QVERIFY(asked);
        QVERIFY(QDir(source.path()).entryList({"*.epub"}, QDir::Files).isEmpty());
        QCOMPARE(f.questions.CountAsked("message"), size_t(0));
    }
};

QTEST_MAIN(EpubSaveGuiTest)
#include "EpubSaveGuiTest.moc"
