#include "reader/qt/ReaderPart.h"

#include <QAction>

#include "config/Localization.h"
#include "config/Settings.h"
#include "config/Texts.h"
#include "platform/FileDialogs.h"
#include "platform/Questions.h"
#include "platform/qt/WebView.h"

namespace pm::gui {
namespace {
constexpr int kReaderMode = 2;
const char* kOpenForReadingFilter = "HTML files|*.htm;*.html|All files|*.*";
}  // namespace

ReaderPart::ReaderPart(Frame& frame, Settings& settings, const Texts& texts, const InterfaceTexts& uiTexts,
                       Questions& questions, FileDialogs& dialogs)
    : frame_(frame), settings_(settings), texts_(texts), uiTexts_(uiTexts), questions_(questions),
      dialogs_(dialogs) {}

void ReaderPart::BindCommands() {
    connect(frame_.Action(Cmd::OpenReader), &QAction::triggered, this, &ReaderPart::OpenReaderClick);
    connect(frame_.Action(Cmd::Autosave), &QAction::toggled, this,
            [this](bool on) { settings_.SetSaveReaderDocOnExit(on); });
    frame_.Action(Cmd::Autosave)->setChecked(settings_.SaveReaderDocOnExit);
}

void ReaderPart::ModeChanged(int mode) {
    frame_.Action(Cmd::Autosave)->setChecked(settings_.SaveReaderDocOnExit);
    if (mode != kReaderMode) return;
}

void ReaderPart::OpenReaderClick() {
    FileDialogRequest r;
    r.caption = uiTexts_.Control("Open for read head");
    r.filter = kOpenForReadingFilter;
    r.initialDir = settings_.LastReadDir;
    if (const auto answer = dialogs_.OpenFile(r)) OpenInReader(answer->path);
}

// The book is shown in the panel browser in reader mode and remembered as
// the last reader file.
void ReaderPart::OpenInReader(const std::string& path) {
    dialogFile_ = path;
    frame_.SetInterfaceMode(kReaderMode);
    settings_.SetLastReaderFile(path);
    frame_.CurrentBrowser()->Navigate(path);
}

// The bookmark and position comments are written by the reader proper;
// until then there is nothing to write and the mark is cleared.
void ReaderPart::SaveReaderChanges() { pendingChanges_ = false; }

bool ReaderPart::Closing() {
    if (frame_.Mode() != kReaderMode || !pendingChanges_ || settings_.SaveReaderDocOnExit) return true;
    const YesNoCancel answer = questions_.AskYesNoCancel(texts_.Msg("Confirm"), texts_.Msg("Save Read File"));
    if (answer == YesNoCancel::Cancel) return false;
    if (answer == YesNoCancel::Yes) SaveReaderChanges();
    return true;
}

}  // namespace pm::gui
