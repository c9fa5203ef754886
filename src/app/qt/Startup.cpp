#include "app/qt/Startup.h"

#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QSocketNotifier>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <memory>

#include "app/BrowserCheck.h"
#include "app/CommandLine.h"
#include "app/Uninstall.h"
#include "app/qt/MainWnd.h"
#include "app/qt/SplashForm.h"
#include "common/Version.h"
#include "config/ConfigStore.h"
#include "platform/ScriptedQuestions.h"
#include "app/qt/QtQuestions.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/WebView.h"

namespace pm::gui {

void AllowWebEngineAsRoot() {
    if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
}

void QuietDiagnostics() {
    const char* wanted = getenv("PELLMARK_DIAGNOSTICS");
    if (wanted && *wanted && std::string_view(wanted) != "0") return;
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "%s\n", qPrintable(text));
    });
    // Chromium's own log: fatal errors only.
    std::string flags = getenv("QTWEBENGINE_CHROMIUM_FLAGS") ? getenv("QTWEBENGINE_CHROMIUM_FLAGS") : "";
    if (flags.find("--log-level") == std::string::npos) {
        flags += flags.empty() ? "--log-level=3" : " --log-level=3";
        setenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.c_str(), 1);
    }
}

namespace {

int Uninstall(ConfigStore& store, bool ask) {
    Texts texts;
    const bool english = false;
    QtQuestions questions(nullptr, store.user, texts, english);
    ScriptedQuestions silent;
    Questions& q = ask ? static_cast<Questions&>(questions) : silent;
    std::string error;
    if (RunUninstall(store.user, q, ask, DesktopEntryPaths()) && !store.SaveIfChanged(&error) && ask)
        questions.ShowMessage(texts.Msg("Error"), "The settings were not removed. " + error, MessageIcon::Error);
    return 0;
}

// A termination request (the session ending, kill) closes the window the
// orderly way, so that the settings are saved and the temporary files go.
int gTermPipe[2] = {-1, -1};

void OnTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = write(gTermPipe[1], &byte, 1);
}

void CloseOnTermination(QWidget* window) {
    if (pipe(gTermPipe) != 0) return;
    auto* notifier = new QSocketNotifier(gTermPipe[0], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
        char byte;
        [[maybe_unused]] const ssize_t n = read(gTermPipe[0], &byte, 1);
        window->close();
    });
    struct sigaction sa {};
    sa.sa_handler = OnTerminate;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
}

void FatalNoBrowser() {
    QMessageBox::critical(nullptr, "Fatal error !!!", FromCp1251(NoBrowserMessage()));
}

}  // namespace

int RunDesktop(int argc, char** argv) {
    const StartCommand cmd = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (cmd.kind == StartCommand::Kind::Version) {
        std::printf("pellmark %s (build %s)\n", kProgramVersion, kBuildNumber);
        return 0;
    }
    ConfigStore store;
    store.Load();
    if (cmd.kind == StartCommand::Kind::UninstallMute) {
        ScriptedQuestions silent;
        if (RunUninstall(store.user, silent, false, DesktopEntryPaths())) store.SaveIfChanged(nullptr);
        return 0;
    }
    AllowWebEngineAsRoot();
    QuietDiagnostics();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (cmd.kind == StartCommand::Kind::Uninstall) return Uninstall(store, true);

    QPointer<TSplashForm> splash = new TSplashForm;
    splash->show();
    splash->repaint();
    QApplication::processEvents();
    {
        Texts texts;
        const bool english = false;
        QtQuestions questions(splash, store.user, texts, english);
        OldBrowserCheck(store.user, qWebEngineChromiumVersion(), questions);
    }
    if (!WebEngineWorks(nullptr)) {
        delete splash.data();
        FatalNoBrowser();
        return 1;
    }
    const bool hasArgument = cmd.kind == StartCommand::Kind::Read || cmd.kind == StartCommand::Kind::Edit;
    const std::string programDir = ToFileName(QCoreApplication::applicationDirPath());
    auto wnd = std::make_unique<TMainWnd>(store.user, programDir, hasArgument);
    wnd->SetSplash(splash);
    wnd->Main().writeConfigNow = [&store](std::string* error) { return store.SaveIfChanged(error); };
    CloseOnTermination(wnd.get());
    wnd->show();
    wnd->activateWindow();
    if (!store.warning.empty())
        wnd->Main().ui.questions->ShowMessage(wnd->Main().texts.Msg("Error"), store.warning, MessageIcon::Warning);
    if (hasArgument) wnd->OpenCommandLinePath(cmd.kind == StartCommand::Kind::Read, cmd.path);
    const int rc = QApplication::exec();
    wnd.reset();
    delete splash.data();
    std::string error;
    // A failed save never stops the exit, but the user hears of it once
    // (a file refused at start was reported then).
    if (!store.SaveIfChanged(&error) && !store.SaveBlocked()) {
        Texts texts;
        const bool english = false;
        QtQuestions(nullptr, store.user, texts, english)
            .ShowMessage(texts.Msg("Error"), "The settings were not saved. " + error, MessageIcon::Warning);
    }
    return rc;
}

}  // namespace pm::gui
