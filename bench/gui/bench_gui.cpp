// The desktop program with a person waiting: how long after loading a
// 2 MB book its preview shows, and how long the window stops answering at
// worst while a 20 MB converted book opens for reading. A timer ticking
// every 10 ms stands for the person: the longest gap between its ticks is
// the longest time the window was frozen.
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchBook.h"
#include "app/qt/MainWnd.h"
#include "app/qt/Startup.h"
#include "common/AtomicFile.h"
#include "config/ConfigTree.h"
#include "platform/ScriptedQuestions.h"
#include "platform/qt/WebView.h"

namespace {

namespace fs = std::filesystem;

// The longest pause of the event loop while it watches.
class FreezeMeter {
public:
    FreezeMeter() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            longest_ = std::max(longest_, since_.restart());
        });
    }
    void Start() {
        longest_ = 0;
        since_.start();
        timer_.start();
    }
    qint64 StopMs() {
        timer_.stop();
        return std::max(longest_, since_.elapsed());
    }

private:
    QTimer timer_;
    QElapsedTimer since_;
    qint64 longest_ = 0;
};

// Waits, answering events, until the view's page is loaded and laid out
// (scrollHeight needs the layout) with needle in it. Until the page is
// complete the script stops at its first test.
bool WaitForText(pm::gui::WebView* view, const QString& needle) {
    const QString script = "document.readyState == 'complete' && document.body != null && "
                           "document.body.scrollHeight > 0 && document.body.textContent.indexOf('" + needle + "') >= 0";
    for (int i = 0; i < 6000; ++i) {
        if (view->RunScript(script).toBool()) return true;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return false;
}

// The number of the book's last chapter header: on the page once the whole
// book is.
QString LastChapter(const std::string& book) {
    const std::string header = "\xC3\xCB\xC0\xC2\xC0 ";
    size_t at = book.rfind(header) + header.size(), end = at;
    while (end < book.size() && book[end] >= '0' && book[end] <= '9') ++end;
    return QString::fromStdString(book.substr(at, end - at));
}

void Quiet(pm::TMain& main) {
    main.settings.AskAboutLargeFiles = false;
    main.settings.AskAboutTitle = false;
    main.settings.ConfirmToc = false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    pm::gui::AllowWebEngineAsRoot();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

    const fs::path dir = fs::temp_directory_path() / "pellmark-bench-gui";
    fs::create_directories(dir);
    const fs::path book2 = dir / "book-2mb.txt", book20 = dir / "book-20mb.txt", read20 = dir / "book-20mb.html";
    const std::string text2 = pm::bench::MakeBook(2 << 20), text20 = pm::bench::MakeBook(20 << 20);
    pm::WriteFileAtomic(book2.string(), text2);
    pm::WriteFileAtomic(book20.string(), text20);

    pm::ConfigTree tree;
    pm::ScriptedQuestions questions;
    pm::gui::TMainWnd wnd(tree, QCoreApplication::applicationDirPath().toStdString(), false, &questions);
    wnd.show();
    Quiet(wnd.Main());

    QElapsedTimer clock;
    clock.start();
    wnd.Main().LoadSrc(book2.string());
    const qint64 loaded = clock.restart();
    const bool shown = WaitForText(wnd.CurrentBrowser(), LastChapter(text2));
    std::printf("2 MB book: loaded and converted in %lld ms, preview shown %lld ms after%s\n",
                static_cast<long long>(loaded), static_cast<long long>(clock.elapsed()), shown ? "" : " (not shown)");

    // The 20 MB book converted as a user would, then opened for reading.
    Quiet(wnd.Main());
    wnd.Main().LoadSrc(book20.string());
    std::string error;
    if (!wnd.Main().SaveResultAs(read20.string(), pm::SaveFormat::Html, &error)) {
        std::fprintf(stderr, "cannot save the 20 MB book: %s\n", error.c_str());
        return 1;
    }
    FreezeMeter meter;
    meter.Start();
    clock.restart();
    wnd.OpenInReader(read20.string());
    const bool read = WaitForText(wnd.CurrentBrowser(), LastChapter(text20));
    std::printf("20 MB book: open for reading in %lld ms, window frozen %lld ms at most%s\n",
                static_cast<long long>(clock.elapsed()), static_cast<long long>(meter.StopMs()),
                read ? "" : " (never shown whole)");
    wnd.Main().settings.SaveReaderDocOnExit = false;
    wnd.close();
    fs::remove_all(dir);
    return shown && read ? 0 : 1;
}
