#include "app/qt/MainWnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineHistory>

#include "app/CommandLine.h"
#include "app/DeviceBook.h"
#include "app/qt/AboutForm.h"
#include "app/qt/ConversionPart.h"
#include "app/qt/ErrorLocaleForm.h"
#include "app/qt/QtQuestions.h"
#include "app/qt/ShellIntegrationRow.h"
#include "config/TMyReg.h"
#include "platform/qt/Mnemonics.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/TextEditor.h"
#include "platform/qt/WebView.h"
#include "editing/qt/EditingPart.h"
#include "options/qt/OptionsPanel.h"
#include "reader/ReadingComfort.h"
#include "reader/qt/ReaderPart.h"
#include "reader/qt/ViewControls.h"
#include "xml/qt/XmlPart.h"
#include "regexlists/qt/RuleWindows.h"
#include "shell/qt/ShellPart.h"

namespace pm::gui {

TMainWnd::TMainWnd(ConfigTree& tree, std::string programDir, bool hasArgument, Questions* questions)
    : tree_(tree), programDir_(std::move(programDir)), hasArgument_(hasArgument), actions_(this) {
    setObjectName("TMain");
    setWindowTitle("Pellmark");
    main_ = std::make_unique<TMain>(tree_, MainUi{}, programDir_);
    ownQuestions_ = std::make_unique<QtQuestions>(this, tree_, main_->texts, main_->uiTexts.localized);
    questions_ = questions ? questions : ownQuestions_.get();
    main_->ui.questions = questions_;
    main_->ui.status = this;
    main_->ui.frontEnd = this;
    dialogs_ = std::make_unique<QtFileDialogs>(this);
    main_->ui.dialogs = dialogs_.get();
    BuildWidgets();
    BuildMenus();
    BuildStatusBar();
    main_->ui.sourceEditor = SrcText;
    main_->ui.htmlEditor = HTMText;
    BuildParts();
    FormCreate();
    // The reused question windows, in the order of the start.
    ownQuestions_->CreateLoadWindows();
    ownQuestions_->CreateConversionWindows();
}

TMainWnd::~TMainWnd() { FormDestroy(); }

void TMainWnd::BuildParts() {
    conversion_ = std::make_unique<ConversionPart>(*this, *main_, *SrcText, *HTMText);
    reader_ = std::make_unique<ReaderPart>(*this,
                                           reader::ReaderContext{main_->settings, main_->texts, main_->uiTexts,
                                                                 main_->templates, *questions_, *this,
                                                                 dialogs_.get(), &main_->files.tempFiles},
                                           tree_, *WebBrowser1);
    editing_ = std::make_unique<EditingPart>(*this, main_->settings, main_->texts, main_->uiTexts, tree_,
                                             *questions_, *SrcText, *HTMText);
    rules_ = std::make_unique<RulesPart>(*this, main_->rules, main_->texts, *this, *questions_, tree_,
                                         main_->uiTexts.localized, *SrcText, *HTMText);
    parts_ = {conversion_.get(), reader_.get(), optionsPanel_, editing_.get(), rules_.get()};
    // Parts that live as the window's children.
    parts_.push_back(new AboutPart(*this, *main_, *questions_, this));
    parts_.push_back(new ShellPart(*this,
                                   ShellContext{tree_, main_->doc, main_->files, main_->texts, *questions_,
                                                [this](std::vector<shell::BookFile>& book, std::string* error) {
                                                    return FinishedBook(*main_, book, error);
                                                },
                                                ToFileName(QCoreApplication::applicationFilePath())},
                                   this));
    xml_ = new XmlPart(*this,
                       XmlContext{tree_, programDir_, main_->settings, main_->texts, main_->uiTexts, *questions_,
                                  main_->doc, main_->files, main_->xml, main_->xmlButtonsEnabled, *HTMText,
                                  [this] {
                                      const BookDescriptionPrefill p = MakeBookDescriptionPrefill(main_->doc, "");
                                      return DescriptionPrefill{p.date, p.program, p.firstName, p.middleName,
                                                                p.lastName, p.title};
                                  },
                                  [this] { PageControl1->setCurrentIndex(kHtmlPage); },
                                  [this] {
                                      main_->driver.Invalidate();
                                      conversion_->ConvertAndShow();
                                  }},
                       this);
    parts_.push_back(xml_);
    BindFrameCommands();
    for (FramePart* part : parts_) part->BindCommands();
    connect(conversion_.get(), &ConversionPart::CaptionChanged, this, &TMainWnd::ShowCaption);
    connect(editing_.get(), &EditingPart::showSourcePage, this, [this] {
        if (PageControl1->isTabVisible(kSourcePage)) PageControl1->setCurrentIndex(kSourcePage);
    });
}

void TMainWnd::BindFrameCommands() {
    for (Cmd id : {Cmd::SimpleMode, Cmd::AdvancedMode, Cmd::ReaderMode})
        connect(actions_[id], &QAction::triggered, this, &TMainWnd::InterfaceModeClick);
    actions_[Cmd::SimpleMode]->setData(kSimpleMode);
    actions_[Cmd::AdvancedMode]->setData(kAdvancedMode);
    actions_[Cmd::ReaderMode]->setData(kReaderMode);
    int level = 0;
    for (Cmd id : {Cmd::Smallest, Cmd::Small, Cmd::NormalSize, Cmd::Large, Cmd::Largest})
        actions_[id]->setData(level++);
    actions_[Cmd::IncreaseSize]->setData(reader::kTextSizeLarger);
    actions_[Cmd::DecreaseSize]->setData(reader::kTextSizeSmaller);
    for (Cmd id : {Cmd::Smallest, Cmd::Small, Cmd::NormalSize, Cmd::Large, Cmd::Largest, Cmd::IncreaseSize,
                   Cmd::DecreaseSize})
        connect(actions_[id], &QAction::triggered, this, &TMainWnd::TextSizeClick);
    connect(actions_[Cmd::Exit], &QAction::triggered, this, &TMainWnd::Exit1Click);
    connect(actions_[Cmd::GoBack], &QAction::triggered, this, &TMainWnd::GoBackClick);
    connect(actions_[Cmd::GoForward], &QAction::triggered, this, &TMainWnd::GoForwardClick);
    connect(actions_[Cmd::Help], &QAction::triggered, this, &TMainWnd::HelpClick);
}

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
    panelBox->addWidget(BuildToolBar("PanelToolBar",
                                     {Cmd::LoadSrc, Cmd::OpenReader, Cmd::SaveResult, Cmd::SaveAndRead, kSeparator, Cmd::GoBack,
                                      Cmd::GoForward, Cmd::Refresh, kSeparator, Cmd::AutodetectFormat, Cmd::FixedWidth,
                                      Cmd::LineToParagraph, Cmd::HtmlFormat, kSeparator, Cmd::SendToRocket, kSeparator, Cmd::AddNote,
                                      Cmd::AddBookmark, Cmd::EnableAutoscroll, Cmd::Faster,
                                      Cmd::Slower, Cmd::Zoom, kSeparator, Cmd::Bookshelf, Cmd::RegExpr}));
    WebBrowser1 = new WebView(Panel1);
    WebBrowser1->setObjectName("WebBrowser1");
    panelBox->addWidget(WebBrowser1, 1);
    leftBox->addWidget(Panel1, 1);

    PageControl1 = new QTabWidget(left);
    PageControl1->setObjectName("PageControl1");
    auto* preview = new QWidget;
    preview->setObjectName("PreviewPage");
    auto* previewBox = new QVBoxLayout(preview);
    previewBox->setContentsMargins(0, 0, 0, 0);
    previewBox->addWidget(BuildToolBar("PreviewToolBar",
                                       {Cmd::LoadSrc, Cmd::OpenReader, Cmd::SaveResult, Cmd::SaveAndRead, kSeparator,
                                        Cmd::GoBack, Cmd::GoForward, Cmd::Refresh, kSeparator, Cmd::AutodetectFormat,
                                        Cmd::FixedWidth, Cmd::LineToParagraph, Cmd::HtmlFormat, kSeparator, Cmd::SendToRocket,
                                        Cmd::XMLHead, Cmd::RegExpr, Cmd::FindSelected, kSeparator, Cmd::Bookshelf}));
    WebBrowser0 = new WebView(preview);
    WebBrowser0->setObjectName("WebBrowser0");
    previewBox->addWidget(WebBrowser0, 1);
    PageControl1->addTab(preview, "Preview");
    auto* html = new QWidget;
    html->setObjectName("HtmlPage");
    auto* htmlBox = new QVBoxLayout(html);
    htmlBox->setContentsMargins(0, 0, 0, 0);
    htmlBox->addWidget(BuildToolBar("HtmlToolBar", {Cmd::HtmCut, Cmd::HtmCopy, Cmd::HtmPaste, Cmd::HtmUndo, Cmd::HtmRedo,
                                                    kSeparator, Cmd::HtmFind, Cmd::HtmReplace, kSeparator,
                                                    Cmd::RegExpr}));
    HTMText = new TextEditor(html);
    HTMText->setObjectName("HTMText");
    htmlBox->addWidget(HTMText, 1);
    PageControl1->addTab(html, "HTML");
    auto* source = new QWidget;
    source->setObjectName("SourcePage");
    auto* sourceBox = new QVBoxLayout(source);
    sourceBox->setContentsMargins(0, 0, 0, 0);
    sourceBox->addWidget(BuildToolBar(
        "EditorToolBar",
        {Cmd::SaveSrc, kSeparator, Cmd::Cut, Cmd::Copy, Cmd::Paste, Cmd::Undo, Cmd::Redo, kSeparator, Cmd::Find, Cmd::Replace, kSeparator, Cmd::H1,
         Cmd::H2, Cmd::H3, Cmd::H4, Cmd::H5, Cmd::MakeParagraph, Cmd::AlignLeft, Cmd::AlignCenter, Cmd::AlignRight,
         Cmd::AlignJustify, Cmd::Blockquote, Cmd::List, Cmd::Epigraph, kSeparator, Cmd::Bold, Cmd::Italic, Cmd::UpperIndex,
         Cmd::LowerIndex, Cmd::LowerCase, Cmd::UpperCase, kSeparator, Cmd::InsertComment, Cmd::InsertBr}));
    SrcText = new TextEditor(source);
    SrcText->setObjectName("SrcText");
    sourceBox->addWidget(SrcText, 1);
    PageControl1->addTab(source, "Source");
    leftBox->addWidget(PageControl1, 1);

    RightPanel = new QWidget(Splitter1);
    RightPanel->setObjectName("RightPanel");
    auto* rightBox = new QVBoxLayout(RightPanel);
    rightBox->setContentsMargins(0, 0, 0, 0);
    options_ = std::make_unique<OptionsModel>(main_->settings, main_->doc, main_->uiTexts);
    options_->config = &tree_;
    options_->invalidate = [this] { main_->driver.Invalidate(); };
    shellRow_ = std::make_unique<ShellIntegrationRow>(main_->uiTexts);
    options_->shell = shellRow_.get();
    optionsPanel_ = new OptionsPanel(*options_, main_->texts, *questions_, RightPanel);
    rightBox->addWidget(optionsPanel_);
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

void TMainWnd::SetPanelText(int panel, const QString& text) {
    if (panel >= 0 && panel < 3) panels_[panel]->setText(text);
}

void TMainWnd::FormCreate() {
    const QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    optionsPanel_->OptionsTree->setFont(titleFont);
    statusBar()->setFont(titleFont);
    setAcceptDrops(true);
    main_->settings = Settings{};
    SetInterfaceMode(kAdvancedMode);
    SetInterfaceMode(kSimpleMode);
    WebBrowser0->Navigate("about:blank");
    WebBrowser1->Navigate("about:blank");
    ApplyLocalization(main_->Start(this));
    options_->font = main_->font.get();
    main_->settings.observer = this;
    OptionChanged("");
    reader_->SettingsLoaded();
    EnterStoredMode();
    reader_->StartFinished();
    ShowActivePage();
    conversion_->UpdateFormatChecks();
    TickTextSize();
    actions_[Cmd::Autosave]->setChecked(main_->settings.SaveReaderDocOnExit);
    const QString help = QString::fromStdString(programDir_) + "/pellmark.chm";
    helpAvailable_ = QFileInfo::exists(help);
    if (!helpAvailable_) {
        actions_[Cmd::Help]->setText("Help not downloaded.");
        actions_[Cmd::Help]->setEnabled(false);
    }
    AssignMenuMnemonics();
    if (!main_->fontMessage.empty())
        questions_->ShowMessage(main_->texts.Msg("Error"), main_->fontMessage, MessageIcon::Error);
}

// Enters the stored mode; "Previous mode" is the stored one, not the mode
// the window happened to be in.
void TMainWnd::EnterStoredMode() {
    const int stored = main_->settings.InterfaceMode;
    const int previous = main_->settings.PreviousMode;
    const std::string last = main_->settings.LastReaderFile;
    const bool reopen = stored == kReaderMode && !hasArgument_ && !last.empty() && QFileInfo::exists(FromFileName(last));
    if (stored == kReaderMode && !reopen) {
        SetInterfaceMode(kSimpleMode);  // from reader: forgets the last reader file
    } else {
        main_->settings.SetInterfaceMode(kSimpleMode);  // how the window is arranged now
        if (reopen) reader_->ReopenAtStart(last);
        else SetInterfaceMode(stored == kAdvancedMode ? kAdvancedMode : kSimpleMode);
    }
    main_->settings.SetPreviousMode(previous);
}

// The stored active page, when the arrangement shows it; otherwise the
// "Preview" page. Choosing it at start is not the user turning a page.
void TMainWnd::ShowActivePage() {
    const QSignalBlocker quiet(PageControl1);
    const int stored = main_->settings.ActivePage;
    const bool shown = stored >= 0 && stored < PageControl1->count() && PageControl1->isTabVisible(stored);
    PageControl1->setCurrentIndex(shown ? stored : kPreviewPage);
    main_->settings.SetActivePage(PageControl1->currentIndex());
}

void TMainWnd::ApplyLocalization(const LocalizationOutcome& out) {
    const InterfaceTexts& t = main_->uiTexts;
    actions_.ApplyCaptions(t);
    for (auto it = menus_.begin(); it != menus_.end(); ++it)
        it.value()->setTitle(FromCp1251(t.Menu(it.key().toStdString())));
    PageControl1->setTabText(kPreviewPage, FromCp1251(t.Control("preview")));
    PageControl1->setTabText(kSourcePage, FromCp1251(t.Control("SRC")));
    for (FramePart* part : parts_) part->TextsApplied(t);
    if (!out.error.empty()) {
        localizationError_ = FromCp1251(out.error);
        auto* w = new TErrorLocaleForm(localizationError_, QString::fromUtf8(kLocalizationPage.data(),
                                                                             int(kLocalizationPage.size())), this);
        w->show();
    }
}

// Alt and a letter reach one entry of each menu, whatever the localization.
void TMainWnd::AssignMenuMnemonics() {
    AssignMnemonics(menuBar());
    for (QAction* title : menuBar()->actions())
        if (title->menu()) AssignMnemonics(title->menu());
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
    reader_->RestoreStartPos();
}

void TMainWnd::closeEvent(QCloseEvent* event) {
    for (FramePart* part : parts_) {
        if (!part->Closing()) {
            event->ignore();
            return;
        }
    }
    wasMaximized_ = isMaximized();
    if (wasMaximized_) showNormal();
    event->accept();
}

void TMainWnd::FormDestroy() {
    if (Mode() == kReaderMode && main_->settings.SaveReaderDocOnExit) reader_->SaveReaderChanges();
    reader_->ForgetReaderChanges();
    main_->settings.observer = nullptr;
    const std::string programPath = programDir_ + "/pellmark";
    SaveSettingsAtExit(tree_, main_->settings, main_->saveSettingsAtExit, this, programPath);
    // The rule lists are written when their windows changed them, also
    // after "Remove all settings", which leaves their key in place.
    if (rules_->Changed() && main_->rules) main_->rules->Save(tree_);
    main_->openDialogFile.clear();
    main_->Shutdown();
    // The widgets outlive the logic by a moment; they tell it nothing more.
    WebBrowser0->SetEvents(nullptr);
    WebBrowser1->SetEvents(nullptr);
    PageControl1->disconnect(this);
    SrcText->disconnect();
    main_->ui = MainUi{};
}

void TMainWnd::Exit1Click() { close(); }

void TMainWnd::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    StatusBarResize();
}

// ---- the front end of the logic

void TMainWnd::SaveReaderChanges() { reader_->SaveReaderChanges(); }
void TMainWnd::ForgetReaderChanges() { reader_->ForgetReaderChanges(); }

void TMainWnd::CheckXmlOutput() { xml_->CheckXmlPreview(); }

bool TMainWnd::EditBookDescription(const BookDescriptionPrefill& p) {
    return xml_->EditBookDescription({p.date, p.program, p.firstName, p.middleName, p.lastName, p.title},
                                     p.annotation);
}

bool TMainWnd::SwitchInterfaceMode(int mode) {
    SetInterfaceMode(mode);
    return true;
}

void TMainWnd::OptionChanged(std::string_view storedName) {
    if (storedName == "Show HTML" || storedName == "Use Source editor") ArrangePreviewPages();
    if (storedName.starts_with("Src font") || storedName.starts_with("HTM font") || storedName.starts_with("Wrap in"))
        ApplyEditorLook();
    for (FramePart* part : parts_) part->OptionChanged(storedName);
}

// The editors' fonts and word wrap follow their settings.
void TMainWnd::ApplyEditorLook() {
    const Settings& s = main_->settings;
    SrcText->setFont(QFont(FromCp1251(s.SrcFontName), s.SrcFontSize));
    HTMText->setFont(QFont(FromCp1251(s.HtmFontName), s.HtmFontSize));
    SrcText->setLineWrapMode(s.WrapInSrc ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    HTMText->setLineWrapMode(s.WrapInHtml ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

// ---- the status bar

void TMainWnd::Status(const std::string& text) {
    panels_[1]->setText(FromCp1251(text));
    panels_[1]->repaint();
    // A finished task leaves no progress figure behind.
    if (text == main_->texts.Proc("Ready")) Progress("");
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
    if (maximum == 0 || progress >= maximum) {
        // Progress past the maximum counts as the end, like reaching it.
        Status(t.Proc("Ready"));
        return;
    }
    Progress(std::to_string(static_cast<long long>(progress) * 100 / maximum) + "%");
    Status(t.Task("LoadingToBrowser"));
}

// A hovered link into the page shown reads as the page's title and anchor.
void TMainWnd::StatusTextChange(const std::string& text) {
    const WebView* view = reader_->Controls().ZoomedView();
    if (!view) view = current_;
    const std::string shown = ToCp1251(FromCp1251(text).replace("%20", " "));
    const std::string url = ToCp1251(view->url().toString(QUrl::FullyEncoded));
    Status(reader::LinkStatusText(shown, url, ToCp1251(view->title()), main_->texts));
}

// ---- the stored state of the widgets

void TMainWnd::ApplyLoaded(const Settings& s) {
    if (TMyReg(tree_, kRootKey).Exists() && tree_.GetValue(kRootKey, "Window Width")) {
        resize(s.WindowWidth, s.WindowHeight);
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // The first start takes a good share of the screen, centred.
        const QRect free = screen->availableGeometry();
        resize(free.width() * 3 / 4, free.height() * 4 / 5);
        move(free.center() - rect().center());
    }
    if (s.IsMaximized) setWindowState(windowState() | Qt::WindowMaximized);
    RightPanel->resize(s.PanelWidth, RightPanel->height());
    Splitter1->setSizes({std::max(100, width() - s.PanelWidth), s.PanelWidth});
    ApplyEditorLook();
}

void TMainWnd::CaptureInto(Settings& s) {
    s.IsMaximized = wasMaximized_;
    // The normal size, also while maximized, so that un-maximizing after a
    // restart gives the size the user chose.
    const QRect normal = isMaximized() ? normalGeometry() : geometry();
    if (normal.isValid()) {
        s.WindowWidth = normal.width();
        s.WindowHeight = normal.height();
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
    if (kind == FileDialogKind::Read) return reader_->DialogFile();
    if (kind == FileDialogKind::EditSave) return main_->saveDialogFile;
    if (kind == FileDialogKind::EditSaveAndRead) return main_->saveAndReadDialogFile;
    if (kind == FileDialogKind::EditSaveSrc) return main_->saveSrcDialogFile;
    return {};
}

// ---- frame commands

QString TMainWnd::SelectedPreviewText() const { return WebBrowser0->selectedText(); }
int TMainWnd::ActivePage() const { return PageControl1->currentIndex(); }

void TMainWnd::OpenInReader(const std::string& path) { reader_->OpenInReader(path); }

QMenu* TMainWnd::Menu(const QString& key) const { return menus_.value(key); }

// A book the reader turns away goes to the editor, as if chosen in the
// "Open for editing" dialog.
void TMainWnd::OpenForEditing(const std::string& path) {
    main_->openDialogFile = path;
    SetInterfaceMode(main_->settings.PreviousMode);
    conversion_->LoadWithoutDialog(path);
}

void TMainWnd::OpenCommandLinePath(bool forReading, const std::string& path) {
    const QFileInfo info(FromFileName(path));
    if (path.empty() || !info.isFile()) {
        questions_->ShowMessage(main_->texts.Msg("Info"), IncorrectFileNameMessage(ToCp1251(FromFileName(path))),
                                MessageIcon::Information);
        return;
    }
    const std::string full = ToFileName(info.absoluteFilePath());
    if (forReading) reader_->OpenFromCommandLine(full);
    else conversion_->LoadWithoutDialog(full);
}

// The loader names the window after the loaded file.
void TMainWnd::ShowCaption() {
    if (!main_->windowCaption.empty()) setWindowTitle(FromCp1251(main_->windowCaption));
}

void TMainWnd::GoBackClick() { current_->GoBack(); }
void TMainWnd::GoForwardClick() { current_->GoForward(); }

void TMainWnd::HelpClick() {
    if (helpAvailable_)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(programDir_) + "/pellmark.chm"));
}

void TMainWnd::TextSizeClick() {
    auto* item = qobject_cast<QAction*>(sender());
    if (!item) return;
    main_->settings.SetBrowserFontSize(reader::TextSizeLevel(main_->settings.BrowserFontSize, item->data().toInt()));
    TickTextSize();
    textSizeReady_ = true;
    ReapplyTextSize();
}

void TMainWnd::TickTextSize() {
    for (Cmd id : {Cmd::Smallest, Cmd::Small, Cmd::NormalSize, Cmd::Large, Cmd::Largest})
        actions_[id]->setChecked(actions_[id]->data().toInt() == main_->settings.BrowserFontSize);
}

void TMainWnd::PageControl1Change(int index) {
    if (!main_ || index < 0) return;
    main_->settings.SetActivePage(index);
    if (index == kPreviewPage || (index == kHtmlPage && !main_->driver.UpToDate())) conversion_->ConvertAndShow();
}

std::string TMainWnd::ResultText() const {
    if (main_->settings.ShowHtml) return HTMText->Text();
    return {};
}

void TMainWnd::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainWnd::dropEvent(QDropEvent* event) {
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) names.push_back(ToFileName(url.toLocalFile()).substr(0, 255));
    if (names.empty()) return;
    event->acceptProposedAction();
    conversion_->LoadDroppedFiles(names);
}

}  // namespace pm::gui
