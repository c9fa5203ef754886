// The three interface modes, the arrangement of the window in each, the
// command sets and the current browser.
#include <QAction>
#include <QMenu>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QWebEngineHistory>

#include "app/qt/MainWnd.h"
#include "platform/qt/QtQuestions.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/TextEditor.h"
#include "platform/qt/WebView.h"

namespace pm::gui {

namespace {
constexpr int kPreviewPage = 0, kHtmlPage = 1, kSourcePage = 2;
}

void TMainWnd::SetInterfaceMode(int target) {
    Settings& s = main_->settings;
    const int from = s.InterfaceMode;
    if (modeKnown_ && target == from) return;
    if (modeKnown_ && (from == kSimpleMode || from == kAdvancedMode)) s.SetPreviousMode(from);
    modeKnown_ = true;
    s.SetInterfaceMode(target);
    if (target == kSimpleMode) SwitchToSimple(from);
    else if (target == kAdvancedMode) SwitchToAdvanced(from);
    else SwitchToReader();
    const bool reader = target == kReaderMode;
    actions_["IncreaseScroll"]->setShortcut(reader ? QKeySequence(Qt::Key_Equal) : QKeySequence());
    actions_["DecreaseScroll"]->setShortcut(reader ? QKeySequence(Qt::Key_Minus) : QKeySequence());
}

void TMainWnd::SwitchToSimple(int from) {
    RightPanel->hide();
    PageControl1->hide();
    Panel1->show();
    SetCurrentBrowser(WebBrowser1);
    ReapplyTextSize();
    const std::string result = from == kAdvancedMode ? ResultText() : std::string();
    const bool hadResult = main_->HasResult() || !result.empty();
    main_->DropSourceLines();
    EnableEditingSet();
    main_->settings.SetLastReaderFile("");
    TickMode(kSimpleMode);
    if (main_->settings.PreviousMode != kReaderMode && from != kReaderMode && hadResult) {
        if (!result.empty()) main_->Publish(LineList::FromText(result));
        main_->files.previewShown = false;
        main_->RefreshPreview();
    } else {
        current_->Navigate("about:blank");
    }
}

void TMainWnd::SwitchToAdvanced(int from) {
    Panel1->hide();
    SetCurrentBrowser(WebBrowser0);
    RightPanel->show();
    PageControl1->show();
    const QSignalBlocker quiet(PageControl1);  // arranging is not turning a page
    PageControl1->setTabVisible(kPreviewPage, true);
    PageControl1->setTabVisible(kHtmlPage, main_->settings.ShowHtml);
    PageControl1->setTabVisible(kSourcePage, main_->settings.UseSourceEditor);
    ReapplyTextSize();
    EnableEditingSet();
    main_->settings.SetLastReaderFile("");
    TickMode(kAdvancedMode);
    if (from == kSimpleMode) {
        if (!main_->openDialogFile.empty() && main_->LoadSrc(main_->openDialogFile)) ShowCaption();
        main_->files.previewShown = false;
    }
}

void TMainWnd::SwitchToReader() {
    RightPanel->hide();
    PageControl1->hide();
    Panel1->show();
    SetCurrentBrowser(WebBrowser1);
    ReapplyTextSize();
    main_->DropSourceLines();
    EnableReaderSet();
    TickMode(kReaderMode);
}

void TMainWnd::ArrangePreviewPages() {
    if (Mode() != kAdvancedMode) return;
    const Settings& s = main_->settings;
    const bool pages = s.ShowHtml || s.UseSourceEditor;
    const QSignalBlocker quiet(PageControl1);
    PageControl1->setTabVisible(kHtmlPage, s.ShowHtml);
    PageControl1->setTabVisible(kSourcePage, s.UseSourceEditor);
    PageControl1->setTabVisible(kPreviewPage, pages);
    PageControl1->setVisible(pages);
    Panel1->setVisible(!pages);
    SetCurrentBrowser(pages ? WebBrowser0 : WebBrowser1);
}

// Back and forward follow the history of the current browser.
void TMainWnd::UpdateHistoryCommands() {
    actions_["GoBack"]->setEnabled(current_->history()->canGoBack());
    actions_["GoForward"]->setEnabled(current_->history()->canGoForward());
}

void TMainWnd::SetCurrentBrowser(WebView* browser) {
    WebView* old = current_;
    current_ = browser;
    main_->ui.preview = browser;
    UpdateHistoryCommands();
    if (!old || old == browser) return;
    const QUrl shown = old->url();
    if (!shown.isEmpty() && shown.toString() != "about:blank") browser->Navigate(old->LocationUrl());
}

void TMainWnd::ReapplyTextSize() {
    if (textSizeReady_) current_->SetZoom(main_->settings.BrowserFontSize);
}

void TMainWnd::TickMode(int mode) {
    actions_["SimpleMode"]->setChecked(mode == kSimpleMode);
    actions_["AdvancedMode"]->setChecked(mode == kAdvancedMode);
    actions_["ReaderMode"]->setChecked(mode == kReaderMode);
}

void TMainWnd::Enable(const QString& name, bool on) {
    static const QStringList kAlwaysOff = {"SendToRocket", "ManageBookmarks", "AddNote", "AddBookmark",
                                           "EnableAutoscroll", "IncreaseScroll", "DecreaseScroll", "Zoom",
                                           "SaveReader", "FullScreen"};
    // Commands this program does not carry out yet stay disabled.
    actions_[name]->setEnabled(on && !kAlwaysOff.contains(name));
}

void TMainWnd::EnableEditingSet() {
    for (const char* n : {"SaveResult", "SendToRocket", "SaveAndRead", "AutodetectFormat"}) Enable(n, true);
    menus_["parsing"]->setEnabled(true);
    UpdateFormatChecks();
    menus_["reader"]->setEnabled(false);
    for (const char* n : {"ManageBookmarks", "AddNote", "AddBookmark", "EnableAutoscroll", "IncreaseScroll",
                          "DecreaseScroll", "Zoom"})
        Enable(n, false);
    autoscrollTimer_.stop();
    actions_["ReaderMode"]->setVisible(false);
}

void TMainWnd::EnableReaderSet() {
    for (const char* n : {"SaveResult", "SendToRocket", "SaveAndRead", "AutodetectFormat"}) Enable(n, false);
    menus_["parsing"]->setEnabled(false);
    for (const char* n : {"FixedWidth", "LineToParagraph", "HtmlFormat"}) Enable(n, false);
    menus_["reader"]->setEnabled(true);
    for (const char* n : {"ManageBookmarks", "AddNote", "AddBookmark", "EnableAutoscroll", "IncreaseScroll",
                          "DecreaseScroll", "Zoom"})
        Enable(n, true);
    actions_["ReaderMode"]->setVisible(true);
}

void TMainWnd::UpdateFormatChecks() {
    const bool autodetect = main_->settings.AutoDetectFormat;
    actions_["AutodetectFormat"]->setChecked(autodetect);
    const bool editing = Mode() != kReaderMode;
    for (const char* n : {"FixedWidth", "LineToParagraph", "HtmlFormat"}) {
        QAction* a = actions_[n];
        Enable(n, editing && !autodetect);
        a->setChecked(a->data().toInt() == main_->textFormatPreset);
    }
}

// The mode menu: simple at once; advanced after the warning, unless the
// user has accepted it before.
void TMainWnd::InterfaceModeClick() {
    auto* item = qobject_cast<QAction*>(sender());
    if (!item) return;
    const int target = item->data().toInt();
    if (target == kAdvancedMode && !main_->settings.AskedAboutTitle) {
        if (AskAdvancedMode()) {
            main_->settings.SetAskedAboutTitle(true);
            SetInterfaceMode(kAdvancedMode);
        }
    } else {
        SetInterfaceMode(target);
    }
    TickMode(Mode());
}

bool TMainWnd::AskAdvancedMode() {
    const Texts& t = main_->texts;
    if (ownQuestions_ && questions_ == ownQuestions_.get())
        return ownQuestions_->AskWarningYesNo(t.Msg("Confirm"), t.Msg("AdvancedMode"));
    return questions_->AskYesNo(t.Msg("Confirm"), t.Msg("AdvancedMode"));
}

}  // namespace pm::gui
