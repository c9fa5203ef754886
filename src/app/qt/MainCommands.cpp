// The frame commands of the main window: loading, reading, browsing, the
// format choice, text sizes, the page control, the editors and dropped files.
#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>

#include "app/CommandLine.h"
#include "app/qt/MainWnd.h"
#include "pipeline/TextFormat.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/TextEditor.h"
#include "platform/qt/WebView.h"

namespace pm::gui {

namespace {
constexpr int kPreviewPage = 0, kHtmlPage = 1;
const char* kOpenForEditingFilter =
    "Open as Windows file (&autodetect)|*.txt;*.htm;*.html;*.*|Open as MS DOS file|*.txt;*.*|Open as KOI8-RU|*.txt;*.*";
const char* kOpenForReadingFilter = "HTML files|*.htm;*.html|All files|*.*";
}  // namespace

void TMainWnd::LoadSrcClick() {
    FileDialogRequest r;
    r.caption = main_->uiTexts.Control("Open for edit head");
    r.filter = kOpenForEditingFilter;
    r.filterIndex = main_->openDialogType;
    r.initialDir = main_->settings.LastEditOpenDir;
    const auto answer = dialogs_->OpenFile(r);
    if (!answer) return;
    main_->openDialogFile = answer->path;
    main_->openDialogType = answer->filterIndex;
    main_->LoadSrc(answer->path);
    ShowCaption();
}

// The loader names the window after the loaded file.
void TMainWnd::ShowCaption() {
    if (!main_->windowCaption.empty()) setWindowTitle(FromCp1251(main_->windowCaption));
}

void TMainWnd::OpenReaderClick() {
    FileDialogRequest r;
    r.caption = main_->uiTexts.Control("Open for read head");
    r.filter = kOpenForReadingFilter;
    r.initialDir = main_->settings.LastReadDir;
    if (const auto answer = dialogs_->OpenFile(r)) OpenInReader(answer->path);
}

// The book is shown in the panel browser in reader mode and remembered as
// the last reader file.
void TMainWnd::OpenInReader(const std::string& path) {
    main_->readDialogFile = path;
    SetInterfaceMode(kReaderMode);
    main_->settings.SetLastReaderFile(path);
    current_->Navigate(path);
}

void TMainWnd::OpenCommandLinePath(bool forReading, const std::string& path) {
    const QFileInfo info(FromFileName(path));
    if (path.empty() || !info.exists()) {
        questions_->ShowMessage(main_->texts.Msg("Info"), IncorrectFileNameMessage(ToCp1251(FromFileName(path))),
                                MessageIcon::Information);
        return;
    }
    const std::string full = ToFileName(info.absoluteFilePath());
    if (forReading) {
        OpenInReader(full);
    } else {
        main_->openDialogFile = full;
        main_->LoadSrc(full);
        ShowCaption();
    }
}

void TMainWnd::GoBackClick() { current_->GoBack(); }
void TMainWnd::GoForwardClick() { current_->GoForward(); }

void TMainWnd::RefreshClick() {
    main_->driver.Invalidate();
    ConvertAndShow();
}

// The "Preview" page logic: converts when out of date and shows the result;
// edits made in the HTML editor are shown too.
void TMainWnd::ConvertAndShow() {
    const bool converts = !main_->driver.UpToDate();
    main_->TabSheet1Show();
    if (!converts && main_->InAdvancedHtmlEditor() && HTMText->Modified()) main_->RefreshPreview();
}

void TMainWnd::HelpClick() {
    if (helpAvailable_)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(programDir_) + "/pellmark.chm"));
}

void TMainWnd::FormatClick() {
    auto* item = qobject_cast<QAction*>(sender());
    if (!item) return;
    main_->textFormatPreset = item->data().toInt();
    ApplyTextFormatPreset(main_->settings, main_->textFormatPreset);
    UpdateFormatChecks();
    main_->driver.Invalidate();
    ConvertAndShow();
}

void TMainWnd::AutodetectFormatClick() {
    main_->settings.SetAutoDetectFormat(!main_->settings.AutoDetectFormat);
    UpdateFormatChecks();
}

void TMainWnd::TextSizeClick() {
    auto* item = qobject_cast<QAction*>(sender());
    if (!item) return;
    int size = main_->settings.BrowserFontSize;
    if (item->objectName() == "IncreaseSize") size = std::min(size + 1, kZoomLargest);
    else if (item->objectName() == "DecreaseSize") size = std::max(size - 1, kZoomSmallest);
    else size = item->data().toInt();
    main_->settings.SetBrowserFontSize(size);
    for (const char* n : {"Smallest", "Small", "NormalSize", "Large", "Largest"})
        actions_[n]->setChecked(actions_[n]->data().toInt() == size);
    textSizeReady_ = true;
    ReapplyTextSize();
}

void TMainWnd::SaveResultClick() { main_->SaveHTML(); }
void TMainWnd::SaveAndReadClick() { main_->ToolButton68Click(); }
void TMainWnd::SaveSrcClick() { main_->SaveSrc(); }

void TMainWnd::PageControl1Change(int index) {
    if (!main_ || index < 0) return;
    main_->settings.SetActivePage(index);
    if (index == kPreviewPage || (index == kHtmlPage && !main_->driver.UpToDate())) ConvertAndShow();
}

void TMainWnd::SrcTextChange() {
    main_->SrcTextChange();
    UpdateUndoRedo();
}

void TMainWnd::UpdateUndoRedo() {
    const InterfaceTexts& t = main_->uiTexts;
    QAction* undo = actions_["Undo"];
    QAction* redo = actions_["Redo"];
    undo->setEnabled(SrcText->document()->isUndoAvailable());
    redo->setEnabled(SrcText->document()->isRedoAvailable());
    undo->setToolTip(FromCp1251(t.Control("Undo ")) + SrcText->UndoName());
    redo->setToolTip(FromCp1251(t.Control("Redo ")) + SrcText->RedoName());
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
    main_->LoadDroppedFiles(names);
    ShowCaption();
}

}  // namespace pm::gui
