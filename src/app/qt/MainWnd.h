// The main window is a frame: the two browsers, the page control with the
// editors, the options panel, the status bar, the three interface modes and
// one action per command. The subsystems plug their commands and windows
// in as parts; the logic lives in pm::TMain, which this frame owns and
// gives the widgets, the question windows and the status line.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "app/FrontEnd.h"
#include "app/TMain.h"
#include "app/qt/CommandActions.h"
#include "app/qt/SplashForm.h"
#include "config/SettingsIO.h"
#include "options/OptionsModel.h"
#include "platform/HtmlView.h"
#include "platform/StatusSink.h"
#include "platform/qt/Frame.h"

class QMenu;
class QSplitter;
class QTabWidget;
class QToolBar;

namespace pm::gui {

class QtQuestions;
class QtFileDialogs;
class TextEditor;
class WebView;
class ConversionPart;
class ReaderPart;
class XmlPart;
class OptionsPanel;
class EditingPart;
class RulesPart;

class TMainWnd : public QMainWindow,
                 public Frame,
                 public FrontEnd,
                 public StatusSink,
                 public HtmlViewEvents,
                 public WidgetSettings,
                 public SettingsObserver {
    Q_OBJECT
public:
    // tree: the user's configuration; programDir: the program's folder;
    // hasArgument: the command line names a file (a stored reader mode then
    // does not reopen the last book); questions: null for the windows.
    TMainWnd(ConfigTree& tree, std::string programDir, bool hasArgument, Questions* questions = nullptr);
    ~TMainWnd() override;

    TMain& Main() { return *main_; }
    ConversionPart& Conversion() { return *conversion_; }
    ReaderPart& Reader() { return *reader_; }
    XmlPart& Xml() { return *xml_; }
    OptionsPanel& Options() { return *optionsPanel_; }
    EditingPart& Editing() { return *editing_; }
    RulesPart& Rules() { return *rules_; }
    // The text of a status-bar panel (0 progress, 1 status line, 2 clock).
    QString PanelText(int panel) const;
    void SetPanelText(int panel, const QString& text) override;
    // The text of the localization error window, when one was shown.
    QString LocalizationError() const { return localizationError_; }
    void SetSplash(TSplashForm* splash) { splash_ = splash; }

    // "Show HTML" or "Use Source editor" changed in advanced mode.
    void ArrangePreviewPages();
    // Opens a finished book for reading in the current browser.
    void OpenInReader(const std::string& path);
    // Step 6 of the start: the path of the command line.
    void OpenCommandLinePath(bool forReading, const std::string& path);

    // Frame
    QAction* Action(Cmd id) const override { return actions_[id]; }
    WebView* CurrentBrowser() const override { return current_; }
    int Mode() const override { return main_->settings.InterfaceMode; }
    void SetInterfaceMode(int mode) override;
    void UpdateCommands() override;
    QWidget* Window() override { return this; }
    QString SelectedPreviewText() const override;
    int ActivePage() const override;
    QMenu* Menu(const QString& key) const override;
    void OpenForEditing(const std::string& path) override;
    // FrontEnd
    void SaveReaderChanges() override;
    void ForgetReaderChanges() override;
    void OpenForReading(const std::string& path) override { OpenInReader(path); }
    bool SwitchInterfaceMode(int mode) override;
    void CheckXmlOutput() override;
    bool EditBookDescription(const BookDescriptionPrefill& prefill) override;
    // SettingsObserver
    void OptionChanged(std::string_view storedName) override;
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

    // The widgets, named as the logic knows them.
    WebView* WebBrowser0 = nullptr;  // on the "Preview" page
    WebView* WebBrowser1 = nullptr;  // on the full-size panel
    QWidget* Panel1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* RightPanel = nullptr;
    QSplitter* Splitter1 = nullptr;
    TextEditor* SrcText = nullptr;
    TextEditor* HTMText = nullptr;

public slots:
    void InterfaceModeClick();
    void Exit1Click();
    void PageControl1Change(int index);
    void StatusBarResize();
    void GoBackClick();
    void GoForwardClick();
    void HelpClick();
    void TextSizeClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    static constexpr int kPreviewPage = 0, kHtmlPage = 1, kSourcePage = 2;

    void FormCreate();
    void FormShow();
    void FormDestroy();
    void SplashTimer();

    void BuildWidgets();
    void BuildParts();
    void BindFrameCommands();
    void BuildMenus();
    QToolBar* BuildToolBar(const QString& name, std::initializer_list<Cmd> commands);
    void BuildStatusBar();
    void ApplyLocalization(const LocalizationOutcome& out);
    void ApplyEditorLook();
    void AssignMenuMnemonics();
    void EnterStoredMode();
    void ShowActivePage();

    void SetCurrentBrowser(WebView* browser);
    void UpdateHistoryCommands();
    void EnableCommandSet(int mode);
    void TickMode(int mode);
    void TickTextSize();
    void ReapplyTextSize();
    void SwitchToSimple(int from);
    void SwitchToAdvanced(int from);
    void SwitchToReader();
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
    CommandActions actions_;
    std::unique_ptr<ConversionPart> conversion_;
    std::unique_ptr<ReaderPart> reader_;
    std::unique_ptr<OptionsModel> options_;
    std::unique_ptr<ShellIntegration> shellRow_;
    OptionsPanel* optionsPanel_ = nullptr;  // a child of RightPanel
    std::unique_ptr<EditingPart> editing_;
    std::unique_ptr<RulesPart> rules_;
    XmlPart* xml_ = nullptr;  // a child of the window
    std::vector<FramePart*> parts_;
    WebView* current_ = nullptr;
    QMap<QString, QMenu*> menus_;
    QLabel* panels_[3] = {nullptr, nullptr, nullptr};
    QPointer<TSplashForm> splash_;
    bool shown_ = false;
    bool textSizeReady_ = false;
    bool wasMaximized_ = false;
    bool modeKnown_ = false;  // the first switch always arranges the window
    bool helpAvailable_ = false;
    QString localizationError_;
};

}  // namespace pm::gui
