#include "app/qt/MainWnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/qt/ErrorLocaleForm.h"
#include "app/qt/SplashForm.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtQuestions.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/TextEditor.h"
#include "platform/qt/WebView.h"

namespace pm::gui {

TMainWnd::TMainWnd(ConfigTree& tree, std::string programDir, bool hasArgument, Questions* questions)
    : tree_(tree), programDir_(std::move(programDir)), hasArgument_(hasArgument) {
    setObjectName("TMain");
    setWindowTitle("Pellmark");
    main_ = std::make_unique<TMain>(tree_, MainUi{}, programDir_);
    ownQuestions_ = std::make_unique<QtQuestions>(this, tree_, main_->texts, main_->uiTexts.localized);
    questions_ = questions ? questions : ownQuestions_.get();
    askYesNoCancel = [this](const std::string& caption, const std::string& text) {
        return ownQuestions_->AskYesNoCancel(caption, text);
    };
    main_->ui.questions = questions_;
    main_->ui.status = this;
    dialogs_ = std::make_unique<QtFileDialogs>(this);
    main_->ui.dialogs = dialogs_.get();
    BuildActions();
    BuildMenus();
    BuildWidgets();
    BuildStatusBar();
    main_->ui.sourceEditor = SrcText;
    main_->ui.htmlEditor = HTMText;
    main_->switchInterfaceMode = [this](int mode) { SetInterfaceMode(mode); };
    main_->openForReading = [this](const std::string& path) { OpenInReader(path); };
    FormCreate();
    // The reused question windows, in the order of the start.
    ownQuestions_->CreateLoadWindows();
    ownQuestions_->CreateConversionWindows();
}

TMainWnd::~TMainWnd() { FormDestroy(); }

void TMainWnd::BuildWidgets() {
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    Splitter1 = new QSplitter(Qt::Horizontal, central);
    row->addWidget(Splitter1);

    auto* left = new QWidget(Splitter1);
    auto* leftBox = new QVBoxLayout(left);
    leftBox->setContentsMargins(0, 0, 0, 0);
    Panel1 = new QWidget(left);
    Panel1->setObjectName("Panel1");
    auto* panelBox = new QVBoxLayout(Panel1);
    panelBox->setContentsMargins(0, 0, 0, 0);
    panelBox->addWidget(BuildPanelToolBar());
    WebBrowser1 = new WebView(Panel1);
    WebBrowser1->setObjectName("WebBrowser1");
    panelBox->addWidget(WebBrowser1, 1);
    leftBox->addWidget(Panel1, 1);

    PageControl1 = new QTabWidget(left);
    PageControl1->setObjectName("PageControl1");
    auto* preview = new QWidget;
    auto* previewBox = new QVBoxLayout(preview);
    previewBox->setContentsMargins(0, 0, 0, 0);
    previewBox->addWidget(BuildPreviewToolBar());
    WebBrowser0 = new WebView(preview);
    WebBrowser0->setObjectName("WebBrowser0");
    previewBox->addWidget(WebBrowser0, 1);
    PageControl1->addTab(preview, "Preview");
    HTMText = new TextEditor;
    HTMText->setObjectName("HTMText");
    PageControl1->addTab(HTMText, "HTML");
    auto* source = new QWidget;
    auto* sourceBox = new QVBoxLayout(source);
    sourceBox->setContentsMargins(0, 0, 0, 0);
    sourceBox->addWidget(BuildEditorToolBar());
    SrcText = new TextEditor(source);
    SrcText->setObjectName("SrcText");
    sourceBox->addWidget(SrcText, 1);
    PageControl1->addTab(source, "Source");
    leftBox->addWidget(PageControl1, 1);

    RightPanel = new QWidget(Splitter1);
    RightPanel->setObjectName("RightPanel");
    auto* rightBox = new QVBoxLayout(RightPanel);
    rightBox->setContentsMargins(0, 0, 0, 0);
    OptionsTree = new QTreeWidget(RightPanel);
    OptionsTree->setObjectName("OptionsTree");
    OptionsTree->header()->hide();
    new QTreeWidgetItem(OptionsTree, QStringList{"Configuration"});
    Description = new QTextBrowser(RightPanel);
    Description->setMaximumHeight(90);
    rightBox->addWidget(OptionsTree, 1);
    rightBox->addWidget(Description);
    Splitter1->setStretchFactor(0, 1);
    setCentralWidget(central);

    WebBrowser0->SetEvents(this);
    WebBrowser1->SetEvents(this);
    for (WebView* view : {WebBrowser0, WebBrowser1}) {
        auto follow = [this, view] {
            if (view == current_) UpdateHistoryCommands();
        };
        connect(view, &QWebEngineView::urlChanged, this, follow);
        connect(view, &QWebEngineView::loadFinished, this, follow);
    }
    current_ = WebBrowser1;
    main_->ui.preview = current_;
    connect(PageControl1, &QTabWidget::currentChanged, this, &TMainWnd::PageControl1Change);
    connect(SrcText, &QPlainTextEdit::textChanged, this, &TMainWnd::SrcTextChange);
    for (auto [name, slot] : {std::pair{"Cut", &TextEditor::cut}, std::pair{"Paste", &TextEditor::paste},
                              std::pair{"Undo", &TextEditor::undo}, std::pair{"Redo", &TextEditor::redo}})
        connect(actions_[name], &QAction::triggered, SrcText, slot);
    connect(actions_["Copy"], &QAction::triggered, SrcText, &QPlainTextEdit::copy);
    connect(SrcText, &QPlainTextEdit::copyAvailable, actions_["Copy"], &QAction::setEnabled);
    connect(SrcText, &QPlainTextEdit::copyAvailable, actions_["Cut"], &QAction::setEnabled);
    connect(SrcText, &QPlainTextEdit::undoAvailable, this, &TMainWnd::UpdateUndoRedo);
    connect(SrcText, &QPlainTextEdit::redoAvailable, this, &TMainWnd::UpdateUndoRedo);
    actions_["Paste"]->setEnabled(true);

    for (const char* n : {"SimpleMode", "AdvancedMode", "ReaderMode"})
        connect(actions_[n], &QAction::triggered, this, &TMainWnd::InterfaceModeClick);
    const std::pair<const char*, void (TMainWnd::*)()> commands[] = {
        {"Exit", &TMainWnd::Exit1Click},          {"LoadSrc", &TMainWnd::LoadSrcClick},
        {"OpenReader", &TMainWnd::OpenReaderClick}, {"GoBack", &TMainWnd::GoBackClick},
        {"GoForward", &TMainWnd::GoForwardClick}, {"Refresh", &TMainWnd::RefreshClick},
        {"Help", &TMainWnd::HelpClick},           {"AutodetectFormat", &TMainWnd::AutodetectFormatClick},
        {"FixedWidth", &TMainWnd::FormatClick},   {"LineToParagraph", &TMainWnd::FormatClick},
        {"HtmlFormat", &TMainWnd::FormatClick},   {"SaveResult", &TMainWnd::SaveResultClick},
        {"SaveAndRead", &TMainWnd::SaveAndReadClick}, {"SaveSrc", &TMainWnd::SaveSrcClick},
        {"Smallest", &TMainWnd::TextSizeClick},   {"Small", &TMainWnd::TextSizeClick},
        {"NormalSize", &TMainWnd::TextSizeClick}, {"Large", &TMainWnd::TextSizeClick},
        {"Largest", &TMainWnd::TextSizeClick},    {"IncreaseSize", &TMainWnd::TextSizeClick},
        {"DecreaseSize", &TMainWnd::TextSizeClick}};
    for (const auto& [name, slot] : commands) connect(actions_[name], &QAction::triggered, this, slot);
    connect(actions_["Autosave"], &QAction::toggled, this,
            [this](bool on) { main_->settings.SetSaveReaderDocOnExit(on); });
}

void TMainWnd::BuildStatusBar() {
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(this);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panels_[i]->setTextFormat(Qt::PlainText);  // "Removing <pre> tags" names a tag
        statusBar()->addWidget(panels_[i], i == 2 ? 1 : 0);
    }
    panels_[0]->setFixedWidth(50);
    panels_[1]->setText("Current task: none");
    statusBar()->setSizeGripEnabled(false);
    StatusBarResize();
}

// The status line is as wide as the window less 180 pixels.
void TMainWnd::StatusBarResize() {
    if (panels_[1]) panels_[1]->setFixedWidth(std::max(0, width() - 180));
}

QString TMainWnd::PanelText(int panel) const { return panels_[panel]->text(); }

void TMainWnd::FormCreate() {
    const QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    OptionsTree->setFont(titleFont);
    statusBar()->setFont(titleFont);
    setAcceptDrops(true);
    OptionsTree->expandItem(OptionsTree->topLevelItem(0));
    main_->settings = Settings{};
    SetInterfaceMode(kAdvancedMode);
    SetInterfaceMode(kSimpleMode);
    WebBrowser0->Navigate("about:blank");
    WebBrowser1->Navigate("about:blank");
    ApplyLocalization(main_->Start(this));
    // Enter the stored mode; "Previous mode" is the stored one, not the
    // mode the window happened to be in.
    const int stored = main_->settings.InterfaceMode;
    const int previous = main_->settings.PreviousMode;
    const std::string last = main_->settings.LastReaderFile;
    const bool reopen = stored == kReaderMode && !hasArgument_ && !last.empty() && QFileInfo::exists(FromFileName(last));
    if (stored == kReaderMode && !reopen) {
        SetInterfaceMode(kSimpleMode);  // from reader: forgets the last reader file
    } else {
        main_->settings.SetInterfaceMode(kSimpleMode);  // how the window is arranged now
        if (reopen) OpenInReader(last);
        else SetInterfaceMode(stored == kAdvancedMode ? kAdvancedMode : kSimpleMode);
    }
    main_->settings.SetPreviousMode(previous);
    {
        // The active page lives in the page control; choosing it at start
        // is not the user turning a page.
        const QSignalBlocker quiet(PageControl1);
        PageControl1->setCurrentIndex(main_->settings.ActivePage);
        main_->settings.SetActivePage(PageControl1->currentIndex());
    }
    UpdateFormatChecks();
    actions_["Autosave"]->setChecked(main_->settings.SaveReaderDocOnExit);
    const QString help = QString::fromStdString(programDir_) + "/pellmark.chm";
    helpAvailable_ = QFileInfo::exists(help);
    if (!helpAvailable_) {
        actions_["Help"]->setText("Help not downloaded.");
        actions_["Help"]->setEnabled(false);
    }
    if (!main_->fontMessage.empty())
        questions_->ShowMessage(main_->texts.Msg("Error"), main_->fontMessage, MessageIcon::Error);
}

void TMainWnd::ApplyLocalization(const LocalizationOutcome& out) {
    ApplyCaptions();
    const InterfaceTexts& t = main_->uiTexts;
    PageControl1->setTabText(0, FromCp1251(t.Control("preview")));
    PageControl1->setTabText(2, FromCp1251(t.Control("SRC")));
    if (!out.error.empty()) {
        localizationError_ = FromCp1251(out.error);
        auto* w = new TErrorLocaleForm(localizationError_, QString::fromUtf8(kLocalizationPage.data(),
                                                                             int(kLocalizationPage.size())), this);
        w->show();
    }
}

void TMainWnd::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormShow();
}

// The first activation starts the splash timer and applies the text size.
void TMainWnd::FormShow() {
    if (shown_) return;
    shown_ = true;
    if (splash_) QTimer::singleShot(600, this, &TMainWnd::SplashTimer);
    textSizeReady_ = true;
    ReapplyTextSize();
}

void TMainWnd::SplashTimer() {
    if (splash_) {
        splash_->close();
        splash_->deleteLater();
    }
}

void TMainWnd::closeEvent(QCloseEvent* event) {
    if (Mode() == kReaderMode && main_->pendingReaderChanges && !main_->settings.SaveReaderDocOnExit) {
        const Texts& t = main_->texts;
        const int answer = askYesNoCancel(t.Msg("Confirm"), t.Msg("Save Read File"));
        if (answer < 0) {
            event->ignore();
            return;
        }
        if (answer > 0 && main_->saveReaderChanges) main_->saveReaderChanges();
    }
    wasMaximized_ = isMaximized();
    if (wasMaximized_) showNormal();
    event->accept();
}

void TMainWnd::FormDestroy() {
    if (Mode() == kReaderMode && main_->settings.SaveReaderDocOnExit && main_->saveReaderChanges)
        main_->saveReaderChanges();
    main_->pendingReaderChanges = false;
    const std::string programPath = programDir_ + "/pellmark";
    SaveSettingsAtExit(tree_, main_->settings, main_->saveSettingsAtExit, this, programPath);
    main_->openDialogFile.clear();
    main_->Shutdown();
    // The widgets outlive the logic by a moment; they tell it nothing more.
    WebBrowser0->SetEvents(nullptr);
    WebBrowser1->SetEvents(nullptr);
    PageControl1->disconnect(this);
    SrcText->disconnect(this);
    main_->ui = MainUi{};
}

void TMainWnd::Exit1Click() { close(); }

void TMainWnd::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    StatusBarResize();
}

void TMainWnd::Status(const std::string& text) {
    panels_[1]->setText(FromCp1251(text));
    panels_[1]->repaint();
}

void TMainWnd::Progress(const std::string& text) {
    panels_[0]->setText(FromCp1251(text));
    panels_[0]->repaint();
}

void TMainWnd::Busy(bool busy) {
    if (busy) QApplication::setOverrideCursor(Qt::WaitCursor);
    else QApplication::restoreOverrideCursor();
}

void TMainWnd::ProgressChange(int progress, int maximum) {
    if (progress == 0) return;
    const Texts& t = main_->texts;
    if (maximum == 0 || progress == maximum) {
        Status(t.Proc("Ready"));
        return;
    }
    const long long capped = std::min(progress, maximum);
    Progress(std::to_string(capped * 100 / maximum) + "%");
    // Progress past the maximum counts as the end, like reaching it.
    Status(progress < maximum ? t.Task("LoadingToBrowser") : t.Proc("Ready"));
}

void TMainWnd::StatusTextChange(const std::string&) {}

void TMainWnd::ApplyLoaded(const Settings& s) {
    resize(s.WindowWidth, s.WindowHeight);
    if (s.IsMaximized) setWindowState(windowState() | Qt::WindowMaximized);
    RightPanel->resize(s.PanelWidth, RightPanel->height());
    Splitter1->setSizes({std::max(100, s.WindowWidth - s.PanelWidth), s.PanelWidth});
    SrcText->setFont(QFont(FromCp1251(s.SrcFontName), s.SrcFontSize));
    HTMText->setFont(QFont(FromCp1251(s.HtmFontName), s.HtmFontSize));
    SrcText->setLineWrapMode(s.WrapInSrc ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    HTMText->setLineWrapMode(s.WrapInHtml ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMainWnd::CaptureInto(Settings& s) {
    s.IsMaximized = wasMaximized_;
    if (!isMaximized()) {
        s.WindowWidth = width();
        s.WindowHeight = height();
    }
    if (RightPanel->width() > 0 && Mode() == kAdvancedMode) s.PanelWidth = RightPanel->width();
    s.ActivePage = PageControl1->currentIndex();
    s.SrcFontName = ToCp1251(SrcText->font().family());
    s.SrcFontSize = SrcText->font().pointSize();
    s.HtmFontName = ToCp1251(HTMText->font().family());
    s.HtmFontSize = HTMText->font().pointSize();
    s.WrapInSrc = SrcText->lineWrapMode() != QPlainTextEdit::NoWrap;
    s.WrapInHtml = HTMText->lineWrapMode() != QPlainTextEdit::NoWrap;
}

std::optional<int32_t> TMainWnd::DocumentScrollOffset() const {
    if (!current_ || current_->url().isEmpty() || current_->url().scheme() == "about") return std::nullopt;
    return current_->ScrollTop();
}

std::string TMainWnd::DialogFileName(FileDialogKind kind) const {
    if (kind == FileDialogKind::EditOpen) return main_->openDialogFile;
    if (kind == FileDialogKind::Read) return main_->readDialogFile;
    if (kind == FileDialogKind::EditSave) return main_->saveDialogFile;
    if (kind == FileDialogKind::EditSaveAndRead) return main_->saveAndReadDialogFile;
    if (kind == FileDialogKind::EditSaveSrc) return main_->saveSrcDialogFile;
    return {};
}

}  // namespace pm::gui
