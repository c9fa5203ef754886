// The three interface modes, the arrangement of the window in each, the
// command sets and the current browser.
#include <QAction>
#include <QMenu>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QWebEngineHistory>

#include "app/qt/ConversionPart.h"
#include "app/qt/MainWnd.h"
#include "options/qt/OptionsPanel.h"
#include "platform/qt/TextEditor.h"
#include "platform/qt/WebView.h"

namespace pm::gui {

void TMainWnd::SetInterfaceMode(int target) {
    Settings& s = main_->settings;
    const int from = s.InterfaceMode;
    if (modeKnown_ && target == from) return;
    if (modeKnown_)
        for (FramePart* part : parts_)
            if (!part->ModeChanging(target)) return;
    if (modeKnown_ && (from == kSimpleMode || from == kAdvancedMode)) s.SetPreviousMode(from);
    modeKnown_ = true;
    main_->KeepSourceFromEditor();
    s.SetInterfaceMode(target);
    if (target == kSimpleMode) SwitchToSimple(from);
    else if (target == kAdvancedMode) SwitchToAdvanced(from);
    else SwitchToReader();
    const bool reader = target == kReaderMode;
    actions_[Cmd::IncreaseScroll]->setShortcut(reader ? QKeySequence(Qt::Key_Equal) : QKeySequence());
    actions_[Cmd::DecreaseScroll]->setShortcut(reader ? QKeySequence(Qt::Key_Minus) : QKeySequence());
    for (FramePart* part : parts_) part->ModeChanged(target);
}

void TMainWnd::SwitchToSimple(int from) {
    RightPanel->hide();
    PageControl1->hide();
    Panel1->show();
    SetCurrentBrowser(WebBrowser1);
    ReapplyTextSize();
    const std::string result = from == kAdvancedMode ? ResultText() : std::string();
    const bool hadResult = main_->HasResult() || !result.empty();
    EnableCommandSet(kSimpleMode);
    main_->settings.SetLastReaderFile("");
    TickMode(kSimpleMode);
    // The last result is shown again, also on the way back from the reader:
    // the book converted before reading is still there to save or convert.
    if (hadResult) {
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
    EnableCommandSet(kAdvancedMode);
    main_->settings.SetLastReaderFile("");
    TickMode(kAdvancedMode);
    if (from == kSimpleMode) {
        if (!main_->openDialogFile.empty()) conversion_->LoadWithoutDialog(main_->openDialogFile);
        main_->files.previewShown = false;
    }
}

void TMainWnd::SwitchToReader() {
    RightPanel->hide();
    PageControl1->hide();
    Panel1->show();
    SetCurrentBrowser(WebBrowser1);
    ReapplyTextSize();
    EnableCommandSet(kReaderMode);
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
    // A page that was hidden is never left showing under another's tab.
    if (!PageControl1->isTabVisible(PageControl1->currentIndex())) PageControl1->setCurrentIndex(kPreviewPage);
    PageControl1->setVisible(pages);
    Panel1->setVisible(!pages);
    SetCurrentBrowser(pages ? WebBrowser0 : WebBrowser1);
}

// Back and forward follow the history of the current browser.
void TMainWnd::UpdateHistoryCommands() {
    actions_[Cmd::GoBack]->setEnabled(current_->history()->canGoBack());
    actions_[Cmd::GoForward]->setEnabled(current_->history()->canGoForward());
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
    actions_[Cmd::SimpleMode]->setChecked(mode == kSimpleMode);
    actions_[Cmd::AdvancedMode]->setChecked(mode == kAdvancedMode);
    actions_[Cmd::ReaderMode]->setChecked(mode == kReaderMode);
}

// The editing set (simple and advanced modes) and the reader set: each
// enables what the other disables, as the command table says. The reader
// item of the "View" menu shows only in reader mode; the autoscroll stops
// when editing starts.
void TMainWnd::EnableCommandSet(int mode) {
    const bool reader = mode == kReaderMode;
    menus_["parsing"]->setEnabled(!reader);
    menus_["reader"]->setEnabled(reader);
    actions_[Cmd::ReaderMode]->setVisible(reader);
    UpdateCommands();
}

void TMainWnd::UpdateCommands() {
    actions_.EnableFor(Mode(), main_->HasSource() || !main_->files.sourcePath.empty(), main_->HasResult());
    UpdateHistoryCommands();
    if (conversion_) conversion_->ModeChanged(Mode());
    // The document values (title, author …) may have changed with a load.
    if (optionsPanel_) optionsPanel_->OptionChanged("");
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
    return questions_->AskWarningYesNo(t.Msg("Confirm"), t.Msg("AdvancedMode"));
}

}  // namespace pm::gui
