#include "reader/qt/ReaderPart.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "config/Localization.h"
#include "platform/qt/Mnemonics.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/WebView.h"
#include "platform/qt/DBusScreenSaver.h"
#include "reader/qt/BookmarkManager.h"
#include "reader/qt/ViewControls.h"

namespace pm::gui {
namespace {

constexpr int kNoEntry = -1;  // the tag of "(empty)"

// Menu captions show names as written: an ampersand is no mnemonic there.
QString MenuCaption(const QString& text) {
    QString out = text;
    return out.replace('&', "&&");
}

}  // namespace

ReaderPart::ReaderPart(Frame& frame, reader::ReaderContext context, const ConfigTree& tree, WebView& panel)
    : frame_(frame), tree_(tree), panel_(panel), doc_(context, *this, *this) {
    next_ = panel_.Events();
    panel_.SetEvents(this);
    history_ = new QMenu(frame_.Window());
    history_->setObjectName("HistoryPoupUp");
    connect(history_, &QMenu::aboutToShow, this, &ReaderPart::HistoryPoupUpPopup);
    controls_ = std::make_unique<ViewControls>(frame_, doc_, tree_, next_, std::make_unique<DBusScreenSaver>("Pellmark"));
}

void ReaderPart::SettingsLoaded() {
    doc_.SettingsLoaded();
    controls_->SettingsLoaded();
}

ReaderPart::~ReaderPart() {
    controls_.reset();
    if (panel_.Events() == this) panel_.SetEvents(next_);
}

void ReaderPart::BindCommands() {
    connect(frame_.Action(Cmd::OpenReader), &QAction::triggered, this, &ReaderPart::OpenReaderClick);
    connect(frame_.Action(Cmd::SaveReader), &QAction::triggered, this, &ReaderPart::SaveActiveFileClick);
    connect(frame_.Action(Cmd::AddNote), &QAction::triggered, this, &ReaderPart::AddNoteClick);
    connect(frame_.Action(Cmd::AddBookmark), &QAction::triggered, this, &ReaderPart::AddBookmarkClick);
    connect(frame_.Action(Cmd::ManageBookmarks), &QAction::triggered, this, &ReaderPart::ManageBookmarksClick);
    connect(frame_.Action(Cmd::Autosave), &QAction::toggled, this,
            [this](bool on) { doc_.Context().settings.SetSaveReaderDocOnExit(on); });
    frame_.Action(Cmd::Autosave)->setChecked(doc_.Context().settings.SaveReaderDocOnExit);

    // "Recent files" starts as its design left it: "(empty)", disabled.
    QMenu* recent = frame_.Menu("recent files");
    recent->setEnabled(true);
    QAction* empty = recent->addAction("(empty)");
    empty->setData(kNoEntry);
    empty->setEnabled(false);

    // The bookshelf buttons drop the pop-up down.
    QAction* shelf = frame_.Action(Cmd::Bookshelf);
    for (QToolBar* bar : frame_.Window()->findChildren<QToolBar*>()) {
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(shelf))) {
            button->setMenu(history_);
            button->setPopupMode(QToolButton::InstantPopup);
        }
    }
    connect(shelf, &QAction::triggered, this, [this] { history_->popup(QCursor::pos()); });
    controls_->BindCommands();
}

bool ReaderPart::ModeChanging(int target) {
    if (frame_.Mode() != reader::kReaderInterfaceMode || target == reader::kReaderInterfaceMode) return true;
    if (!doc_.SettlePendingChanges()) return false;
    doc_.ForgetChanges();
    return true;
}

void ReaderPart::ModeChanged(int mode) {
    frame_.Action(Cmd::Autosave)->setChecked(doc_.Context().settings.SaveReaderDocOnExit);
    controls_->ModeChanged(mode);
    // Any HTML file may be read: its page is kept to its own folder.
    panel_.SetConfined(mode == reader::kReaderInterfaceMode);
}

void ReaderPart::TextsApplied(const InterfaceTexts& texts) {
    localized_ = texts.localized;
    CreateWindows();
    controls_->CreateWindows(texts, localized_);
}

// Created once, in the order of the start, with the localization of then.
void ReaderPart::CreateWindows() {
    QWidget* parent = frame_.Window();
    if (!commentWnd_) commentWnd_ = new TCommentWnd(WindowTexts(tree_, "enter comment", localized_), parent);
    if (!nameWnd_) nameWnd_ = new TBookmName(WindowTexts(tree_, "bookmark", localized_), parent);
    if (!manageWnd_) manageWnd_ = new TBookManage(WindowTexts(tree_, "bookmark editor", localized_), *nameWnd_, parent);
}

bool ReaderPart::Closing() {
    if (frame_.Mode() != reader::kReaderInterfaceMode || !doc_.PendingChanges() ||
        doc_.Context().settings.SaveReaderDocOnExit)
        return true;
    const Texts& t = doc_.Context().texts;
    const YesNoCancel answer = doc_.Context().questions.AskYesNoCancel(t.Msg("Confirm"), t.Msg("Save Read File"));
    if (answer == YesNoCancel::Cancel) return false;
    // A save that failed keeps the window, and the changes, there.
    if (answer == YesNoCancel::Yes) return doc_.SaveReaderDoc();
    return true;
}

// ---- commands

void ReaderPart::OpenReaderClick() { doc_.OpenForReading(reader::ReaderDoc::OpenKind::Interactive); }

void ReaderPart::OpenInReader(const std::string& path) {
    doc_.OpenForReading(reader::ReaderDoc::OpenKind::Programmatic, path);
}

void ReaderPart::OpenFromCommandLine(const std::string& path) {
    doc_.OpenForReading(reader::ReaderDoc::OpenKind::CommandLine, path);
}

void ReaderPart::SaveActiveFileClick() { doc_.SaveActiveFile(); }
void ReaderPart::AddNoteClick() { doc_.AddNote(); }
void ReaderPart::AddBookmarkClick() { doc_.AddBookmark(); }
void ReaderPart::ManageBookmarksClick() { doc_.ManageBookmarks(); }

void ReaderPart::OpenRecentItem(QAction* item) {
    const int index = item ? item->data().toInt() : kNoEntry;
    if (index >= 0) doc_.OpenRecent(static_cast<size_t>(index));
}

// ---- menus

// The full-screen browser while full screen lasts.
HtmlView* ReaderPart::CurrentView() {
    if (HtmlView* zoomed = controls_->ZoomedView()) return zoomed;
    return frame_.CurrentBrowser();
}

void ReaderPart::StopAutoscroll() { controls_->StopAutoscroll(); }

// The bookmark items follow "Add bookmark", "Manage bookmarks..." and a
// separator, in the order of the list.
void ReaderPart::BookmarksChanged() {
    QMenu* menu = frame_.Menu("bookmarks");
    for (QAction* item : bookmarkItems_) {
        menu->removeAction(item);
        item->deleteLater();
    }
    bookmarkItems_.clear();
    const QList<QAction*> fixed = menu->actions();
    if (fixed.size() < 3 || !fixed[2]->isSeparator()) menu->insertSeparator(fixed.size() > 2 ? fixed[2] : nullptr);
    for (const reader::Bookmark& b : doc_.Bookmarks()) {
        QAction* item = menu->addAction(MenuCaption(FromCp1251(b.name)));
        item->setData(b.id);
        const int32_t id = b.id;
        connect(item, &QAction::triggered, this, [this, id] { doc_.GoToBookmark(id); });
        bookmarkItems_.push_back(item);
    }
    AssignMnemonics(menu);
}

void ReaderPart::RecentBooksChanged() {
    const auto items = reader::RecentMenu(doc_.Recent(), [](const std::string& path) {
        return QFileInfo(FromFileName(path)).isFile();
    });
    if (!items) return;
    QMenu* menu = frame_.Menu("recent files");
    for (QAction* old : menu->actions()) {
        menu->removeAction(old);
        old->deleteLater();
    }
    for (const reader::RecentMenuItem& i : *items) {
        QAction* item = menu->addAction(MenuCaption(FromFileName(i.caption)));
        item->setData(static_cast<int>(i.index));
        item->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + i.shortcutDigit)));
        connect(item, &QAction::triggered, this, [this, item] { OpenRecentItem(item); });
    }
    AssignMnemonics(menu);
}

// The bookshelf pop-up copies "Recent files" each time it drops down.
void ReaderPart::HistoryPoupUpPopup() {
    history_->clear();
    for (QAction* source : frame_.Menu("recent files")->actions()) {
        QAction* item = history_->addAction(source->text());
        item->setData(source->data());
        item->setEnabled(source->isEnabled());
        connect(item, &QAction::triggered, this, [this, item] { OpenRecentItem(item); });
    }
}

void ReaderPart::SetCaption(const std::string& caption) {
    frame_.Window()->setWindowTitle(QString::fromUtf8(caption.data(), int(caption.size())));
}

void ReaderPart::Beep() { QApplication::beep(); }

// ---- windows

std::optional<std::vector<std::string>> ReaderPart::AskNote() {
    CreateWindows();
    const std::optional<std::vector<QString>> lines = commentWnd_->Ask();
    if (!lines) return std::nullopt;
    std::vector<std::string> out;
    for (const QString& line : *lines) out.push_back(ToCp1251(line));
    return out;
}

std::optional<std::string> ReaderPart::AskBookmarkName(const std::string& suggestion) {
    CreateWindows();
    const std::optional<QString> name = nameWnd_->Ask(FromCp1251(suggestion));
    if (!name) return std::nullopt;
    return ToCp1251(*name);
}

std::optional<std::vector<reader::Bookmark>> ReaderPart::ManageBookmarks(
    const std::vector<reader::Bookmark>& bookmarks) {
    CreateWindows();
    manageWnd_->Fill(bookmarks);
    if (manageWnd_->exec() != QDialog::Accepted) return std::nullopt;
    return manageWnd_->Entries();
}

// ---- the panel browser's events

void ReaderPart::BeforeNavigate(const std::string& url, bool& cancel) {
    doc_.BeforeNavigate(url, cancel);
    if (!cancel && next_) next_->BeforeNavigate(url, cancel);
}

void ReaderPart::DocumentComplete(const std::string& url) {
    doc_.DocumentComplete(url);
    controls_->PageLoaded(panel_);
    if (next_) next_->DocumentComplete(url);
}

void ReaderPart::ProgressChange(int progress, int maximum) {
    if (next_) next_->ProgressChange(progress, maximum);
}

void ReaderPart::StatusTextChange(const std::string& text) {
    if (next_) next_->StatusTextChange(text);
}

void ReaderPart::CommandStateChange(int command, bool enabled) {
    if (next_) next_->CommandStateChange(command, enabled);
}

}  // namespace pm::gui
