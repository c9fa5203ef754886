// The reader document: the book shown for reading, its bookmarks and its
// reading position, kept inside the book file itself. The reader opens a
// book into the current web view, restores where the user stopped, follows
// the view's navigations, writes the live page back into the file, and adds
// notes and bookmarks to the page. It sees the view, the questions and the
// windows only through their interfaces, so the desktop program and the
// tests drive the same logic.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/Localization.h"
#include "config/Settings.h"
#include "config/Texts.h"
#include "document/Templates.h"
#include "platform/FileDialogs.h"
#include "platform/HtmlView.h"
#include "platform/Questions.h"
#include "platform/StatusSink.h"
#include "reader/BookMarkers.h"
#include "reader/RecentBooks.h"

namespace pm::reader {

// What the reader asks of the window around it.
class ReaderHost {
public:
    virtual ~ReaderHost() = default;
    // The view every reader command acts on; null when there is none.
    virtual HtmlView* CurrentView() = 0;
    // 0 simple, 1 advanced, 2 reader.
    virtual int Mode() const = 0;
    // Switches the interface mode; entering the reader remembers the mode
    // it leaves.
    virtual void SwitchMode(int mode) = 0;
    // The book goes to the editor instead: the previous mode, then the
    // source is loaded from path.
    virtual void OpenForEditing(const std::string& path) = 0;
    // The bookmark list changed: the bookmark menu follows.
    virtual void BookmarksChanged() = 0;
    // The recent list changed after an open: "Recent files" follows.
    virtual void RecentBooksChanged() = 0;
    // The window caption (UTF-8).
    virtual void SetCaption(const std::string& caption) = 0;
    // The system's error beep.
    virtual void Beep() {}
    // Autoscroll stops when a book is opened.
    virtual void StopAutoscroll() {}
};

// The reader's own windows: the note window, the bookmark name window and
// the bookmark editor. Each gives nothing when it is cancelled.
class ReaderWindows {
public:
    virtual ~ReaderWindows() = default;
    // The lines of the note (Windows-1251).
    virtual std::optional<std::vector<std::string>> AskNote() = 0;
    virtual std::optional<std::string> AskBookmarkName(const std::string& suggestion) = 0;
    // The list as the user left it on "&Ok".
    virtual std::optional<std::vector<Bookmark>> ManageBookmarks(const std::vector<Bookmark>& bookmarks) = 0;
};

struct ReaderContext {
    Settings& settings;
    const Texts& texts;
    const InterfaceTexts& uiTexts;
    const Templates& templates;
    Questions& questions;
    StatusSink& status;
    FileDialogs* dialogs = nullptr;  // null: no open dialog
    // Files deleted at exit (the full-screen hand-over file joins them).
    std::vector<std::string>* temporaryFiles = nullptr;
};

// A book on its way between two views (to full screen and back): the file
// that holds the page with its unsaved changes, and the place read.
struct HandOver {
    std::string file;
    double ratio = 0;
};

// The mode the reader works in.
inline constexpr int kReaderInterfaceMode = 2;

class ReaderDoc {
public:
    ReaderDoc(ReaderContext context, ReaderHost& host, ReaderWindows& windows);

    // ---- start
    // The settings are loaded: the recent list and the start position.
    void SettingsLoaded();
    // The stored reader mode reopens the last book without restoring a
    // position from the list or the file.
    bool ReopenAtStart(const std::string& path);
    // The start is over: "Recent files" is built and opening a book
    // restores its position from now on.
    void StartFinished();
    // Once, when the splash window closes: the pixel offset of the last run,
    // laid on the book reopened at start and on no other.
    void RestoreStartPos();

    // ---- opening
    enum class OpenKind { Interactive, Programmatic, CommandLine };
    // The open-for-reading command; path is ignored for Interactive (the
    // dialog names the book). True when the book was opened for reading.
    bool OpenForReading(OpenKind kind, const std::string& path = {});
    // An item of "Recent files": the entry at index of the recent list.
    bool OpenRecent(size_t index);
    // Loads a book into the current view as the reader document; false when
    // it went to the editor, was refused or could not be read.
    bool LoadReaderDoc(const std::string& path);

    // ---- saving
    // Writes the live page back into its book. False when the write failed
    // (the user was told why, the book is as it was).
    bool SaveReaderDoc();
    // "Save active file": the book is written and nothing is pending.
    bool SaveActiveFile();
    // Before the page is left: pending changes are saved (autosave, or the
    // user's Yes), kept on the page (Cancel, or a failed save: false), or
    // dropped (No).
    bool SettlePendingChanges();

    // ---- full screen
    // Writes the book shown in view, with its unsaved notes, bookmarks and
    // style, to the hand-over file beside it. Nothing when view shows no
    // book of the reader, or the file could not be written (the user was
    // told why).
    std::optional<HandOver> HandOverFrom(HtmlView& view);
    // Loads the handed-over book into view at the same relative place and
    // deletes the hand-over file. Changes not yet saved stay pending: they
    // reach the book with a later save, and a close still asks about them.
    void TakeOver(HtmlView& view, const HandOver& handOver);
    // Whether view shows the book (or its hand-over copy).
    bool ShowsBook(HtmlView& view) const;

    // ---- the view's events
    void BeforeNavigate(const std::string& url, bool& cancel);
    void DocumentComplete(const std::string& url);

    // ---- notes and bookmarks
    void AddNote();
    void AddBookmark();
    void GoToBookmark(int32_t id);
    void ManageBookmarks();

    // ---- state
    const ReaderContext& Context() const { return ctx_; }
    bool PendingChanges() const { return pendingChanges_; }
    void MarkChanged() { pendingChanges_ = true; }
    void ForgetChanges() { pendingChanges_ = false; }
    const std::vector<Bookmark>& Bookmarks() const { return bookmarks_; }
    const RecentBooks& Recent() const { return recent_; }
    // The book whose page is shown and whose head and tail are held; empty
    // when the page is not a book the reader may write.
    const std::string& BookPath() const { return book_.path; }
    const std::string& HeadText() const { return book_.head; }
    const std::string& TailText() const { return book_.tail; }
    // The file name of the "Open for reading" dialog.
    const std::string& DialogFile() const { return dialogFile_; }
    // The pending position: a pixel offset once it has been applied.
    int32_t PendingPosition() const { return pendingPosition_; }
    // The page's relative position now (0 without a page).
    int32_t CurrentRelativePosition();
    // The 0-19 part of new bookmark IDs (a random source by default).
    void SetIdOffsetSource(std::function<int()> source) { idOffset_ = std::move(source); }

private:
    struct Book {
        std::string path, head, tail;
        bool utf8 = false;  // the file's bytes are UTF-8, not Windows-1251
    };
    // A book file read and parsed, before any state changes.
    struct ParsedBook {
        std::string text;
        Book book;
        std::vector<Bookmark> bookmarks;
    };

    std::optional<ParsedBook> ReadBook(const std::string& path, bool tellFailure);
    void Adopt(ParsedBook parsed);
    void RestorePosition(const std::string& path, const std::string& text);
    void ScrollToPending(int32_t relative);
    bool ViewShowsBook();
    // The book's own file, or the hand-over copy of it.
    bool IsBookFile(const std::string& path) const;
    std::optional<std::string> ComposeFromView(HtmlView& view);
    void ShowSelectFirst();
    void Task(const char* key);
    void RememberPositionInList();

    ReaderContext ctx_;
    ReaderHost& host_;
    ReaderWindows& windows_;
    RecentBooks recent_;
    Book book_;
    std::vector<Bookmark> bookmarks_;
    std::string dialogFile_;
    int32_t pendingPosition_ = 0;
    bool pendingChanges_ = false;
    bool restoreEnabled_ = false;
    // The book reopened at start is still the one opened last: the start-up
    // restore belongs to it. A book opened after it (the command line comes
    // then) has had its own place restored, in the same pending position.
    bool startBookShown_ = false;
    // Navigations the reader starts itself are not asked about again.
    std::string ownNavigation_;
    // The hand-over file the views may show in place of the book.
    std::string handOverFile_;
    std::function<int()> idOffset_;
};

// A path of the file system from a view's address: "file://" URLs decoded,
// an anchor ("#...") dropped. Empty when the address is not a local file.
std::string LocalPathOf(const std::string& address);

// Whether a local file is a page the reader may write back into.
bool IsHtmlFileName(const std::string& path);

}  // namespace pm::reader
