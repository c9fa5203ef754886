// The reader's part of the main window: the reader document (ReaderDoc)
// with its commands, the bookmark and "Recent files" menus, the bookshelf
// pop-up, the note and bookmark windows, and the events of the panel
// browser, which shows books in reader mode.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "platform/HtmlView.h"
#include "platform/qt/Frame.h"
#include "reader/ReaderDoc.h"

class QMenu;

namespace pm {
class ConfigTree;
}

namespace pm::gui {

class WebView;
class TBookmName;
class TBookManage;
class TCommentWnd;
class ViewControls;

class ReaderPart : public QObject,
                   public FramePart,
                   public reader::ReaderHost,
                   public reader::ReaderWindows,
                   public HtmlViewEvents {
    Q_OBJECT
public:
    // panel: the browser of the full-size panel, where books are read; the
    // part hears its events and passes on what is not its own.
    ReaderPart(Frame& frame, reader::ReaderContext context, const ConfigTree& tree, WebView& panel);
    ~ReaderPart() override;

    // ---- FramePart
    void BindCommands() override;
    // Leaving the reader settles the book's pending changes first.
    bool ModeChanging(int target) override;
    void ModeChanged(int mode) override;
    void TextsApplied(const InterfaceTexts& texts) override;
    // In reader mode with pending changes and "Autosave on exit" off, asks
    // "Save Read File": Cancel keeps the window open, Yes saves the book.
    bool Closing() override;

    // ---- the start (the frame calls these in order)
    void SettingsLoaded();
    void ReopenAtStart(const std::string& path) { doc_.ReopenAtStart(path); }
    void StartFinished() { doc_.StartFinished(); }
    void RestoreStartPos() { doc_.RestoreStartPos(); }

    // Opens a finished book (after "Save & Read!", or a converted file the
    // loader sends here).
    void OpenInReader(const std::string& path);
    void OpenFromCommandLine(const std::string& path);
    // Writes the book shown (autosave at exit, before loading a source).
    void SaveReaderChanges() { doc_.SaveReaderDoc(); }
    void ForgetReaderChanges() { doc_.ForgetChanges(); }
    void MarkChanged() { doc_.MarkChanged(); }
    bool PendingChanges() const { return doc_.PendingChanges(); }
    // The file name of the "Open for reading" dialog.
    const std::string& DialogFile() const { return doc_.DialogFile(); }
    reader::ReaderDoc& Doc() { return doc_; }
    // The bookshelf buttons' pop-up (HistoryPoupUp).
    QMenu* HistoryPopup() const { return history_; }
    TBookmName* NameWindow() const { return nameWnd_; }
    TBookManage* ManageWindow() const { return manageWnd_; }
    TCommentWnd* CommentWindow() const { return commentWnd_; }
    // Autoscroll, progress and clock, styles and full screen.
    ViewControls& Controls() { return *controls_; }

    // ---- ReaderHost
    HtmlView* CurrentView() override;
    int Mode() const override { return frame_.Mode(); }
    void SwitchMode(int mode) override { frame_.SetInterfaceMode(mode); }
    void OpenForEditing(const std::string& path) override { frame_.OpenForEditing(path); }
    void BookmarksChanged() override;
    void RecentBooksChanged() override;
    void SetCaption(const std::string& caption) override;
    void Beep() override;
    void StopAutoscroll() override;

    // ---- ReaderWindows
    std::optional<std::vector<std::string>> AskNote() override;
    std::optional<std::string> AskBookmarkName(const std::string& suggestion) override;
    std::optional<std::vector<reader::Bookmark>> ManageBookmarks(const std::vector<reader::Bookmark>& bookmarks) override;

    // ---- HtmlViewEvents of the panel browser
    void BeforeNavigate(const std::string& url, bool& cancel) override;
    void DocumentComplete(const std::string& url) override;
    void ProgressChange(int progress, int maximum) override;
    void StatusTextChange(const std::string& text) override;
    void CommandStateChange(int command, bool enabled) override;

public slots:
    void OpenReaderClick();
    void SaveActiveFileClick();
    void AddNoteClick();
    void AddBookmarkClick();
    void ManageBookmarksClick();
    void HistoryPoupUpPopup();

private:
    void CreateWindows();
    void OpenRecentItem(QAction* item);

    Frame& frame_;
    const ConfigTree& tree_;
    WebView& panel_;
    HtmlViewEvents* next_ = nullptr;  // the frame's listener of the panel browser
    reader::ReaderDoc doc_;
    bool localized_ = false;
    QMenu* history_ = nullptr;
    std::vector<QAction*> bookmarkItems_;
    TBookmName* nameWnd_ = nullptr;
    TBookManage* manageWnd_ = nullptr;
    TCommentWnd* commentWnd_ = nullptr;
    std::unique_ptr<ViewControls> controls_;
};

}  // namespace pm::gui
