// What the reader must never do: lose a book to a failed write, write one
// book's head around another's body, let a page it shows reach the network
// or read files outside its folder, or leave a changed page unasked.
#include <sys/resource.h>

#include <QAction>
#include <QDesktopServices>
#include <QImage>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <csignal>

#include "ReaderSupport.h"
#include "reader/BookMarkers.h"

using namespace pm;
using namespace pm::gui;
using namespace pm::gui::test;

// Stands in for the desktop's browser: remembers what it was asked to open.
class DesktopBrowser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened << url; }
};

class ReaderSafetyTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { InitMain(); }

private slots:
    // A write that fails (here: the file size limit) leaves the old book
    // whole, no temporary file behind, and tells the user why.
    void failedWriteKeepsTheBook() {
        QTemporaryDir dir;
        const QString path = dir.filePath("book.html");
        WriteBook(path, LongBody(20000));
        const std::string before = ReadBytes(path);
        Fixture f;
        TMainWnd& w = f.Open();
        w.OpenInReader(ToFileName(path));
        QVERIFY(PageContains(w.CurrentBrowser(), "Paragraph 3 "));
        w.Reader().MarkChanged();
        rlimit old{};
        ::getrlimit(RLIMIT_FSIZE, &old);
        auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = old;
        small.rlim_cur = 4096;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        w.Action(Cmd::SaveReader)->trigger();
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(ReadBytes(path), before);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"book.html"});
        QCOMPARE(f.questions.CountAsked("message"), size_t(1));
        QCOMPARE(f.questions.asked.back().caption, std::string("Error"));
        QVERIFY(f.questions.asked.back().text.find("book.html") != std::string::npos);
        QVERIFY(w.Reader().PendingChanges());
        // Closing asks again, and a second failure keeps the window open.
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
        oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const bool closed = w.close();
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        QVERIFY(!closed);
        QCOMPARE(ReadBytes(path), before);
        QVERIFY(w.close());  // now the save succeeds
        QVERIFY(reader::ReadPosition(ReadBytes(path)).marked);
    }

    // A UTF-8 page read anyway stays UTF-8 when saved, with its bookmark
    // names: nothing of its Cyrillic text is garbled.
    void utf8BookStaysUtf8() {
        QTemporaryDir dir;
        const QString path = dir.filePath("utf8.html");
        const std::string head =
            "<html><head><meta charset=\"utf-8\"><meta name=\"Generator\" content=\"Pellmark\"></head>";
        const std::string text = "\xD0\x9C\xD0\xB0\xD1\x82\xD0\xB2\xD0\xB5\xD0\xB9 \xD0\x98\xD0\xBB\xD1\x8C\xD0\xB8\xD1\x87";
        const std::string block = reader::BookmarkBlock({{2000000000, "\xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0"}}, 0);
        WriteFile(path, head + "<body><p>" + text + " went out.</p>" + block + "</html>");
        Fixture f;
        TMainWnd& w = f.Open();
        w.OpenInReader(ToFileName(path));
        WebView* view = w.CurrentBrowser();
        QVERIFY(PageContains(view, QString::fromUtf8("Матвей Ильич")));
        QCOMPARE(StripMnemonic(BookmarkItems(w).value(0)->text()), QString::fromUtf8("Глава"));
        QVERIFY(SelectText(view, "went"));
        WhenShown<TBookmName>([](TBookmName& n) {
            n.Edit1->setText(QString::fromUtf8("Ушёл"));
            n.OkBtn->click();
        });
        w.Action(Cmd::AddBookmark)->trigger();
        w.Action(Cmd::SaveReader)->trigger();
        const std::string saved = ReadBytes(path);
        QVERIFY(saved.rfind(head + "<body><p>" + text + " ", 0) == 0);
        std::vector<std::string> names;
        for (const reader::Bookmark& b : reader::ReadBookmarks(saved)) names.push_back(b.name);
        QCOMPARE(names, (std::vector<std::string>{"\xD0\xA3\xD1\x88\xD1\x91\xD0\xBB",
                                                  "\xD0\x93\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB0"}));
    }

    // A link to another book: the reader follows it, and the next save
    // writes that book's own head, tail and bookmarks.
    void linkToAnotherBook() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.html");
        const QString b = dir.filePath("b.html");
        const std::string aBlock = reader::BookmarkBlock({{5, "in A"}}, 0);
        WriteBook(a, "<p><a id=next href=\"b.html\">to part two</a></p>", aBlock.substr(0, aBlock.size() - 7));
        const std::string bHead = "<html><head><meta name=\"Generator\" content=\"Pellmark\"><title>Part two</title></head>";
        const std::string bBlock = reader::BookmarkBlock({{7, "in B"}}, 0);
        WriteFile(b, bHead + "<body><p>Part two text</p>" + bBlock + "</html>");
        const std::string aBefore = ReadBytes(a);
        Fixture f;
        TMainWnd& w = f.Open();
        w.OpenInReader(ToFileName(a));
        WebView* view = w.CurrentBrowser();
        QVERIFY(PageContains(view, "to part two"));
        QCOMPARE(StripMnemonic(BookmarkItems(w).value(0)->text()), QString("in A"));
        QVERIFY(ClickElement(view, "#next"));
        QVERIFY(PageContains(view, "Part two text"));
        QTRY_COMPARE_WITH_TIMEOUT(w.Reader().Doc().BookPath(), ToFileName(b), 10000);
        QCOMPARE(w.Main().settings.LastReaderFile, ToFileName(b));
        QCOMPARE(w.Reader().Doc().HeadText(), bHead);
        QCOMPARE(BookmarkItems(w).size(), 1);
        QCOMPARE(StripMnemonic(BookmarkItems(w)[0]->text()), QString("in B"));
        w.Action(Cmd::SaveReader)->trigger();
        const std::string saved = ReadBytes(b);
        QVERIFY(saved.rfind(bHead + "<body><p>Part two text</p>", 0) == 0);
        QCOMPARE(reader::ReadBookmarks(saved).at(0).name, std::string("in B"));
        QCOMPARE(ReadBytes(a), aBefore);
    }

    // Leaving a changed page by a link asks first: Cancel stays, No goes
    // and forgets; an anchor of the same page asks nothing.
    void changedPageAsksBeforeALink() {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.html");
        WriteBook(a, "<p><a id=down href=\"#end\">down</a> <a id=next href=\"b.html\">next</a></p>" + LongBody(30000) +
                         "<p id=end>The end.</p>");
        WriteBook(dir.filePath("b.html"), "<p>Book B</p>");
        Fixture f;
        TMainWnd& w = f.Open();
        w.OpenInReader(ToFileName(a));
        WebView* view = w.CurrentBrowser();
        QVERIFY(PageContains(view, "The end."));
        w.Reader().MarkChanged();
        QVERIFY(ClickElement(view, "#down"));
        QTRY_VERIFY_WITH_TIMEOUT(view->ScrollTop() > 0, 10000);
        QCOMPARE(f.questions.CountAsked("yesnocancel"), size_t(0));
        QVERIFY(w.Reader().PendingChanges());

        f.questions.yesNoCancel = YesNoCancel::Cancel;
        QVERIFY(ClickElement(view, "#next"));
        QTRY_COMPARE_WITH_TIMEOUT(f.questions.CountAsked("yesnocancel"), size_t(1), 10000);
        QTest::qWait(300);
        QVERIFY(PageContains(view, "The end."));
        QVERIFY(w.Reader().PendingChanges());
        QCOMPARE(w.Main().settings.LastReaderFile, ToFileName(a));

        f.questions.yesNoCancel = YesNoCancel::No;
        QVERIFY(ClickElement(view, "#next"));
        QVERIFY(PageContains(view, "Book B"));
        QVERIFY(!w.Reader().PendingChanges());
        QVERIFY(ReadBytes(a).find("Vorn's") == std::string::npos);
    }

    // A hostile page in the reader runs its scripts, but reaches no server,
    // reads nothing outside its folder, and cannot take the window
    // elsewhere; a remote link the user clicks goes to the desktop's browser.
    void hostilePageStaysInItsFolder() {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        int connections = 0;
        QObject::connect(&server, &QTcpServer::newConnection, [&] {
            while (QTcpSocket* s = server.nextPendingConnection()) {
                ++connections;
                s->close();
            }
        });
        const QString remote = QString("http://127.0.0.1:%1").arg(server.serverPort());
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("book");
        QDir(dir.path()).mkdir("secret");
        WriteFile(dir.filePath("secret/secret.txt"), "SECRET-CONTENT");
        WriteFile(dir.filePath("secret/secret.html"), "<html><body>SECRET-PAGE</body></html>");
        QImage pic(8, 8, QImage::Format_RGB32);
        pic.fill(Qt::red);
        QVERIFY(pic.save(dir.filePath("book/pic.png")));
        const QString secretUrl = QUrl::fromLocalFile(dir.filePath("secret/secret.txt")).toString();
        const QString page =
            "<html><head><meta name=\"Generator\" content=\"Pellmark\">"
            "<link rel=preconnect href=\"R/pre\"><link rel=dns-prefetch href=\"R/\">"
            "<link rel=stylesheet href=\"R/style.css\"><link rel=prefetch href=\"R/prefetch\">"
            "<script src=\"R/script.js\"></script><style>body{background:url(R/bg.png)}</style>"
            "<meta http-equiv=refresh content=\"1;url=R/refresh\"></head><body>"
            "<p id=out>log:</p><img src=\"R/img.png\"><img id=pic src=\"pic.png\">"
            "<iframe src=\"R/frame\"></iframe><iframe id=secretframe src=\"../secret/secret.html\"></iframe>"
            "<video src=\"R/v.mp4\"></video>"
            "<form id=f action=\"R/form\" method=post><input name=a value=b></form>"
            "<p><a id=remote href=\"R/clicked\">a remote link</a></p><script>"
            "var out=document.getElementById('out');function note(t){out.textContent+=' '+t;}"
            "fetch('R/fetch').then(function(){note('FETCHED')},function(){note('fetch-refused')});"
            "try{var x=new XMLHttpRequest();x.open('GET','R/xhr');x.send();}catch(e){}"
            "try{new WebSocket('R/ws'.replace('http','ws'));}catch(e){}"
            "try{new EventSource('R/es');}catch(e){}"
            "try{navigator.sendBeacon('R/beacon','x');}catch(e){}"
            "fetch('../secret/secret.txt').then(function(r){return r.text()}).then(function(t){note('READ:'+t)},"
            "function(){note('secret-refused')});"
            "try{var y=new XMLHttpRequest();y.open('GET','S',false);y.send();note('XHR:'+y.responseText);}"
            "catch(e){note('xhr-refused');}"
            "setTimeout(function(){try{note('FRAME:'+document.getElementById('secretframe').contentDocument.body"
            ".innerText);}catch(e){note('frame-refused');}},300);"
            "setTimeout(function(){document.getElementById('f').submit();},400);"
            "setTimeout(function(){location.href='R/away';},600);"
            "setTimeout(function(){window.open('R/popup');},700);"
            "setTimeout(function(){note('done');},1500);"
            "</script></body></html>";
        QString text = page;
        text.replace("R/", remote + "/").replace("'S'", "'" + secretUrl + "'");
        const QString path = dir.filePath("book/hostile.html");
        WriteFile(path, ToCp1251(text));

        DesktopBrowser desktop;
        QDesktopServices::setUrlHandler("http", &desktop, "Open");
        struct Unset {
            ~Unset() { QDesktopServices::unsetUrlHandler("http"); }
        } unset;
        Fixture f;
        TMainWnd& w = f.Open();
        w.OpenInReader(ToFileName(path));
        WebView* view = w.CurrentBrowser();
        QVERIFY(PageContains(view, "log:"));
        QVERIFY(PageContains(view, "done"));
        QTest::qWait(1000);  // the refresh and the late attempts
        const QString log = FromCp1251(view->BodyText());
        QVERIFY2(!log.contains("SECRET"), qPrintable(log));
        QVERIFY2(!log.contains("FETCHED"), qPrintable(log));
        QVERIFY2(log.contains("secret-refused") && log.contains("frame-refused"), qPrintable(log));
        QCOMPARE(connections, 0);
        QCOMPARE(view->url(), QUrl::fromLocalFile(path));
        QVERIFY(NoteWindows().isEmpty());
        QVERIFY(desktop.opened.isEmpty());
        // The book's own folder is readable: its picture shows.
        QCOMPARE(view->RunScript("document.getElementById('pic').naturalWidth").toInt(), 8);

        QVERIFY(ClickElement(view, "#remote"));
        QTRY_COMPARE_WITH_TIMEOUT(desktop.opened.size(), 1, 10000);
        QCOMPARE(desktop.opened[0], QUrl(remote + "/clicked"));
        QTest::qWait(300);
        QCOMPARE(view->url(), QUrl::fromLocalFile(path));
        QCOMPARE(connections, 0);
    }
};

QTEST_MAIN(ReaderSafetyTest)
#include "ReaderSafetyTest.moc"
