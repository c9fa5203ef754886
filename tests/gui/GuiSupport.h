// Shared helpers of the widget tests: a main window over an in-memory
// configuration with scripted answers, page waits and screenshots.
#pragma once

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/qt/MainWnd.h"
#include "app/qt/Startup.h"
#include "common/AtomicFile.h"
#include "config/ConfigTree.h"
#include "platform/ScriptedQuestions.h"
#include "app/qt/ConversionPart.h"
#include "reader/qt/ReaderPart.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/WebView.h"

namespace pm::gui::test {

// Before the application exists: shared GL contexts for the web view, and
// no sandbox when the tests run as root. The desktop entries that an
// integrated installation rewrites at start go to a folder of the tests,
// never to the user's own.
inline void InitMain() {
    AllowWebEngineAsRoot();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    qputenv("XDG_DATA_HOME", PM_ARTIFACTS "/xdg-data-home");
}

inline std::string Root() { return std::string(kRootKey); }

// The start of a book this program made: the reader opens it without asking.
inline const std::string kProducedHead = "<html><head><meta name=\"Generator\" content=\"Pellmark\"></head>";

struct Fixture {
    ConfigTree tree;
    ScriptedQuestions questions;
    std::unique_ptr<TMainWnd> wnd;

    TMainWnd& Open(bool hasArgument = false) {
        wnd = std::make_unique<TMainWnd>(tree, std::string(PM_TEST_DATA), hasArgument, &questions);
        wnd->show();
        wnd->activateWindow();
        return *wnd;
    }
};

// Waits for the current page of a view; a view that never answers fails
// the test through ctest's timeout rather than a timed assertion.
inline void WaitLoaded(WebView* view) {
    QTest::qWait(50);
    WaitUntilReady(*view);
}

// Waits until the page text contains the needle, as the page may still be
// replacing about:blank by the book.
inline bool PageContains(WebView* view, const QString& needle, int tries = 400) {
    for (int i = 0; i < tries; ++i) {
        WaitUntilReady(*view);
        if (FromCp1251(view->BodyText()).contains(needle)) return true;
        QTest::qWait(25);
    }
    return false;
}

// The web view paints a loaded page a moment later; the pause only makes
// the picture show it.
inline void Screenshot(QWidget* w, const QString& name) {
    QTest::qWait(400);
    QDir().mkpath(PM_ARTIFACTS);
    w->grab().save(QString(PM_ARTIFACTS) + "/" + name + ".png");
}

// Acts on the first visible window of type W once it shows (the modal
// window about to be opened); looks for it for a few seconds at most.
template <class W>
void WhenShown(std::function<void(W&)> act, int tries = 500) {
    QTimer::singleShot(tries == 500 ? 0 : 10, [act, tries] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* win = qobject_cast<W*>(w); win && win->isVisible()) return act(*win);
        if (tries > 0) WhenShown<W>(act, tries - 1);
    });
}

inline std::string WriteFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes.data(), qint64(bytes.size()));
    return ToFileName(path);
}

// ---- the sample book, for screenshots a stranger can read

// Words of the sample book's first chapter, in every page that shows it.
inline QString SampleWords() { return QString::fromUtf8("Матвей Ильич"); }

// A copy of the sample book shipped with the program, in a folder of the
// test: loading writes the preview file beside the source.
inline std::string CopySampleBook(const QString& folder) {
    std::string book;
    ReadWholeFile(PM_TEST_DATA "/../../samples/russian-book.txt", book);
    return WriteFile(folder + "/russian-book.txt", book);
}

// Loads and converts the sample book in the window, as the user does;
// true once its text is in the current browser.
inline bool ShowSampleBook(TMainWnd& w, const QString& folder) {
    if (!w.Main().LoadSrc(CopySampleBook(folder))) return false;
    if (!w.Main().HasResult()) w.Main().Convert();
    w.UpdateCommands();
    return w.Main().HasResult() && PageContains(w.CurrentBrowser(), SampleWords());
}

// The sample book converted with the default options and saved as an
// HTML book, ready for the reader; its path, empty when that failed.
inline std::string ConvertedSampleBook(const QString& folder) {
    ConfigTree tree;
    ScriptedQuestions questions;
    TMain main{tree, MainUi{.questions = &questions}, std::string(PM_TEST_DATA)};
    main.Start();
    const std::string path = ToFileName(folder + "/russian-book.html");
    const bool saved = main.LoadSrc(CopySampleBook(folder)) && main.HasResult() &&
                       main.SaveResultAs(path, SaveFormat::Html, nullptr);
    main.Shutdown();
    return saved ? path : std::string();
}

}  // namespace pm::gui::test
