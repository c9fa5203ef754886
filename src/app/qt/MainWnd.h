// The main window: menus, toolbars, the two browsers, the page control with
// the editors, the options panel, the status bar and the three interface
// modes. The logic lives in pm::TMain; this class owns it and gives it the
// widgets, the question windows and the status line.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/TMain.h"
#include "app/qt/SplashForm.h"
#include "config/SettingsIO.h"
#include "platform/HtmlView.h"
#include "platform/StatusSink.h"

class QAction;
class QMenu;
class QSplitter;
class QTabWidget;
class QToolBar;
class QTreeWidget;
class QTextBrowser;

namespace pm::gui {

class QtQuestions;
class QtFileDialogs;
class TextEditor;
class WebView;

class TMainWnd : public QMainWindow, public StatusSink, public HtmlViewEvents, public WidgetSettings {
    Q_OBJECT
public:
    // tree: the user's configuration; programDir: the program's folder;
    // hasArgument: the command line names a file (a stored reader mode then
    // does not reopen the last book); questions: null for the windows.
    TMainWnd(ConfigTree& tree, std::string programDir, bool hasArgument, Questions* questions = nullptr);
    ~TMainWnd() override;

    TMain& Main() { return *main_; }
    int Mode() const { return main_->settings.InterfaceMode; }
    WebView* CurrentBrowser() const { return current_; }
    QAction* Action(const QString& name) const { return actions_.value(name); }
    // The text of a status-bar panel (0 progress, 1 status line, 2 free).
    QString PanelText(int panel) const;
    // The text of the localization error window, when one was shown.
    QString LocalizationError() const { return localizationError_; }
    void SetSplash(TSplashForm* splash) { splash_ = splash; }

    // The mode switch (0 simple, 1 advanced, 2 reader).
    void SetInterfaceMode(int mode);
    // "Show HTML" or "Use Source editor" changed in advanced mode.
    void ArrangePreviewPages();
    // Opens a finished book for reading in the current browser.
    void OpenInReader(const std::string& path);
    // Step 6 of the start: the path of the command line.
    void OpenCommandLinePath(bool forReading, const std::string& path);

    // StatusSink
    void Status(const std::string& text) override;
    void Progress(const std::string& text) override;
    void Busy(bool busy) override;
    // HtmlViewEvents (both browsers)
    void ProgressChange(int progress, int maximum) override;
    void StatusTextChange(const std::string& text) override;
    // WidgetSettings
    void ApplyLoaded(const Settings& s) override;
    void CaptureInto(Settings& s) override;
    std::optional<int32_t> DocumentScrollOffset() const override;
    std::string DialogFileName(FileDialogKind kind) const override;

    // The Yes / No / Cancel question of the close ("Save Read File"): 1, 0
    // or -1. The windows ask by default; tests answer themselves.
    std::function<int(const std::string& caption, const std::string& text)> askYesNoCancel;

    // The widgets, named as the logic knows them.
    WebView* WebBrowser0 = nullptr;  // on the "Preview" page
    WebView* WebBrowser1 = nullptr;  // on the full-size panel
    QWidget* Panel1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* RightPanel = nullptr;
    QSplitter* Splitter1 = nullptr;
    QTreeWidget* OptionsTree = nullptr;
    QTextBrowser* Description = nullptr;
    TextEditor* SrcText = nullptr;
    TextEditor* HTMText = nullptr;

public slots:
    void InterfaceModeClick();
    void Exit1Click();
    void PageControl1Change(int index);
    void StatusBarResize();
    void LoadSrcClick();
    void OpenReaderClick();
    void GoBackClick();
    void GoForwardClick();
    void RefreshClick();
    void HelpClick();
    void FormatClick();
    void AutodetectFormatClick();
    void TextSizeClick();
    void SaveResultClick();
    void SaveAndReadClick();
    void SaveSrcClick();
    void SrcTextChange();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct Caption {
        QString menuKey, hintKey, shortText;
    };

    void FormCreate();
    void FormShow();
    void FormDestroy();
    void SplashTimer();

    void BuildWidgets();
    void BuildActions();
    void BuildMenus();
    QToolBar* BuildPanelToolBar();
    QToolBar* BuildPreviewToolBar();
    QToolBar* BuildEditorToolBar();
    void BuildStatusBar();
    QAction* MakeAction(const QString& name, const QString& menuKey, const QString& hintKey, const QString& shortText,
                        const QKeySequence& shortcut = {});
    void ApplyCaptions();
    void ApplyLocalization(const LocalizationOutcome& out);

    void SetCurrentBrowser(WebView* browser);
    void UpdateHistoryCommands();
    void EnableEditingSet();
    void EnableReaderSet();
    void Enable(const QString& name, bool on);
    void TickMode(int mode);
    void ReapplyTextSize();
    void SwitchToSimple(int from);
    void SwitchToAdvanced(int from);
    void SwitchToReader();
    void UpdateFormatChecks();
    void UpdateUndoRedo();
    void ConvertAndShow();
    void ShowCaption();
    std::string ResultText() const;
    bool AskAdvancedMode();

    ConfigTree& tree_;
    std::string programDir_;
    bool hasArgument_;
    std::unique_ptr<QtQuestions> ownQuestions_;
    std::unique_ptr<QtFileDialogs> dialogs_;
    Questions* questions_;
    std::unique_ptr<TMain> main_;
    WebView* current_ = nullptr;
    QMap<QString, QAction*> actions_;
    QMap<QAction*, Caption> captions_;
    QMap<QString, QMenu*> menus_;
    QLabel* panels_[3] = {nullptr, nullptr, nullptr};
    QPointer<TSplashForm> splash_;
    bool shown_ = false;
    bool textSizeReady_ = false;
    bool wasMaximized_ = false;
    bool modeKnown_ = false;  // the first switch always arranges the window
    bool helpAvailable_ = false;
    QString localizationError_;
    QTimer autoscrollTimer_;
};

}  // namespace pm::gui
