#include "reader/ReaderDoc.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <utility>

#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "common/TextTests.h"
#include "reader/Annotations.h"
#include "reader/ReadingComfort.h"

namespace pm::reader {
namespace {

constexpr const char* kOpenForReadingFilter = "HTML Documents|*.html; *.htm";
constexpr std::string_view kCaptionPrefix = "Pellmark (reader) - ";
constexpr std::string_view kFileScheme = "file://";
// The start-up restore scrolls in steps of at most this many pixels, and
// only from this offset on.
constexpr int32_t kStartScrollStep = 30000;
constexpr int32_t kStartScrollMinimum = 100;
// "Open for editing not converted": ask, or open for editing.
constexpr int32_t kNotConvertedAsk = 0;
constexpr int32_t kNotConvertedEdit = 1;
constexpr int32_t kNotConvertedNeverAsk = 2;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && HexValue(s[i + 1]) >= 0 && HexValue(s[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(s[i + 1]) * 16 + HexValue(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

bool SameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty()) return false;
    return std::filesystem::path(a).lexically_normal() == std::filesystem::path(b).lexically_normal();
}

}  // namespace

std::string LocalPathOf(const std::string& address) {
    if (address.rfind(kFileScheme, 0) == 0) {
        std::string_view rest = std::string_view(address).substr(kFileScheme.size());
        if (rest.rfind("localhost/", 0) == 0) rest.remove_prefix(9);
        if (rest.empty() || rest[0] != '/') return {};  // a host other than this machine
        rest = rest.substr(0, rest.find_first_of("#?"));
        return PercentDecoded(rest);
    }
    // A path as the file system spells it: a "#" there is part of a name.
    if (!address.empty() && address[0] == '/') return address;
    return {};
}

bool IsHtmlFileName(const std::string& path) {
    const std::string ext = cp1251::LowerCase(std::filesystem::path(path).extension().string());
    return ext == ".htm" || ext == ".html" || ext == ".xhtml" || ext == ".shtml";
}

ReaderDoc::ReaderDoc(ReaderContext context, ReaderHost& host, ReaderWindows& windows)
    : ctx_(context), host_(host), windows_(windows) {
    idOffset_ = [] {
        static std::mt19937 generator{std::random_device{}()};
        return std::uniform_int_distribution<int>(0, kBookmarkIdSpread - 1)(generator);
    };
}

// ---- start

void ReaderDoc::SettingsLoaded() {
    recent_.LoadFrom(ctx_.settings);
    pendingPosition_ = ctx_.settings.LastReadedDocPos;
}

bool ReaderDoc::ReopenAtStart(const std::string& path) {
    restoreEnabled_ = false;
    host_.SwitchMode(kReaderInterfaceMode);
    const bool opened = LoadReaderDoc(path);
    startBookShown_ = opened;
    // A book refused now leaves the window as a missing one would.
    if (!opened && host_.Mode() == kReaderInterfaceMode) host_.SwitchMode(0);
    return opened;
}

void ReaderDoc::StartFinished() {
    host_.RecentBooksChanged();
    restoreEnabled_ = true;
}

void ReaderDoc::RestoreStartPos() {
    HtmlView* view = host_.CurrentView();
    const bool startBook = std::exchange(startBookShown_, false);
    if (!startBook || pendingPosition_ < kStartScrollMinimum || !view || view->ReadyState().empty()) return;
    Task("LoadingToRestore");
    ctx_.status.Busy(true);
    WaitUntilReady(*view);
    int32_t left = pendingPosition_;
    while (left > kStartScrollStep) {
        view->ScrollBy(0, kStartScrollStep);
        left -= kStartScrollStep;
    }
    view->ScrollBy(0, left);
    ctx_.status.Status(ctx_.texts.Proc("Ready"));
    ctx_.status.Busy(false);
}

// ---- opening

bool ReaderDoc::OpenForReading(OpenKind kind, const std::string& given) {
    const bool fromUser = kind != OpenKind::CommandLine;
    const bool autosave = ctx_.settings.SaveReaderDocOnExit;
    if (fromUser && pendingChanges_ && !autosave) {
        const YesNoCancel answer =
            ctx_.questions.AskYesNoCancel(ctx_.texts.Msg("Confirm"), ctx_.texts.Msg("Save Read File"));
        if (answer == YesNoCancel::Cancel) return false;
        if (answer == YesNoCancel::Yes && !SaveReaderDoc()) return false;
    }
    std::string path = given;
    if (kind == OpenKind::Interactive) {
        if (!ctx_.dialogs) return false;
        FileDialogRequest request;
        request.caption = ctx_.uiTexts.Control("Open for read head");
        request.filter = kOpenForReadingFilter;
        request.initialDir = ctx_.settings.LastReadDir;
        const std::optional<FileDialogAnswer> answer = ctx_.dialogs->OpenFile(request);
        if (!answer) return false;
        path = answer->path;
    }
    if (path.empty()) return false;
    dialogFile_ = path;
    if (fromUser && host_.Mode() == kReaderInterfaceMode && autosave && !SaveReaderDoc()) return false;
    pendingChanges_ = false;
    if (host_.Mode() != kReaderInterfaceMode) host_.SwitchMode(kReaderInterfaceMode);
    const bool inserted = !recent_.Find(path);
    if (inserted) recent_.InsertFront(path);
    if (LoadReaderDoc(path)) {
        recent_.StoreTo(ctx_.settings);
        host_.RecentBooksChanged();
        return true;
    }
    if (inserted) {
        if (const std::optional<size_t> at = recent_.Find(path)) recent_.RemoveAt(*at);
    }
    recent_.StoreTo(ctx_.settings);
    return false;
}

bool ReaderDoc::OpenRecent(size_t index) {
    if (index >= recent_.Size() || recent_.At(index).path.empty()) return false;
    const std::string path = recent_.At(index).path;
    // The book shown is left by the reader's own navigation, which is not
    // asked about again: the question comes first.
    if (!SettlePendingChanges()) return false;
    if (host_.Mode() != kReaderInterfaceMode) host_.SwitchMode(kReaderInterfaceMode);
    return LoadReaderDoc(path);
}

std::optional<ReaderDoc::ParsedBook> ReaderDoc::ReadBook(const std::string& path, bool tellFailure) {
    ParsedBook parsed;
    std::string error;
    if (!ReadWholeFile(path, parsed.text, &error)) {
        if (tellFailure)
            ctx_.questions.ShowMessage(ctx_.texts.Msg("Error"), cp1251::FromUtf8(error), MessageIcon::Error);
        return std::nullopt;
    }
    parsed.book = {path, reader::HeadText(parsed.text), reader::TailText(parsed.text), false};
    parsed.book.utf8 = DeclaresUtf8(parsed.book.head.empty() ? parsed.text.substr(0, 1024) : parsed.book.head);
    parsed.bookmarks = ReadBookmarks(parsed.text);
    // The menu holds names in the working code page.
    if (parsed.book.utf8)
        for (Bookmark& b : parsed.bookmarks) b.name = cp1251::FromUtf8(b.name);
    return parsed;
}

// Head, tail, bookmarks and the book they belong to change together.
void ReaderDoc::Adopt(ParsedBook parsed) {
    if (!SameFile(parsed.book.path, book_.path)) handOverFile_.clear();
    book_ = std::move(parsed.book);
    bookmarks_ = std::move(parsed.bookmarks);
    host_.BookmarksChanged();
}

bool ReaderDoc::LoadReaderDoc(const std::string& path) {
    startBookShown_ = false;
    Task("LoadingToBrowser");
    RememberPositionInList();
    std::optional<ParsedBook> parsed = ReadBook(path, true);
    if (!parsed) {
        ctx_.status.Status(ctx_.texts.Task("Ready"));
        return false;
    }
    if (!ProducedByPellmark(parsed->text)) {
        const int32_t choice = ctx_.settings.OpenForEditingNotConverted;
        if (choice == kNotConvertedAsk) {
            using Choice = FormattingDetectedAnswer::Choice;
            const FormattingDetectedAnswer a = ctx_.questions.AskNotConverted(ctx_.texts.Msg("DocNotYet"));
            if (a.choice == Choice::Cancel) return false;
            if (a.neverAskAgain) ctx_.settings.SetOpenForEditingNotConverted(kNotConvertedNeverAsk);
            if (a.choice == Choice::OpenForEditing) {
                host_.OpenForEditing(path);
                return false;
            }
        } else if (choice == kNotConvertedEdit) {
            host_.OpenForEditing(path);
            return false;
        }
    }
    const std::string text = std::move(parsed->text);
    Adopt(std::move(*parsed));
    if (HtmlView* view = host_.CurrentView()) {
        ownNavigation_ = path;
        view->Navigate(path);
    }
    RestorePosition(path, text);
    ctx_.settings.SetLastReaderFile(path);
    ctx_.status.Status(ctx_.texts.Task("Ready"));
    host_.SetCaption(std::string(kCaptionPrefix) + std::filesystem::path(path).filename().string());
    host_.StopAutoscroll();
    return true;
}

// The book shown before another is opened keeps its place in the list.
void ReaderDoc::RememberPositionInList() {
    const std::string& current = ctx_.settings.LastReaderFile;
    HtmlView* view = host_.CurrentView();
    if (current.empty() || !view) return;
    const std::optional<size_t> at = recent_.Find(current);
    const std::string shown = LocalPathOf(view->LocationUrl());
    if (!at || !(SameFile(shown, current) || (SameFile(current, book_.path) && IsBookFile(shown)))) return;
    recent_.SetPosition(*at, CurrentRelativePosition());
    recent_.StoreTo(ctx_.settings);
}

// The list's position first; else the one stored in the book, perhaps after
// asking. A number that is not one, or the top of the book, gives no
// restore and no question.
void ReaderDoc::RestorePosition(const std::string& path, const std::string& text) {
    if (!restoreEnabled_) return;
    if (const std::optional<size_t> at = recent_.Find(path); at && recent_.At(*at).position != 0) {
        ScrollToPending(recent_.At(*at).position);
        return;
    }
    const StoredPosition stored = ReadPosition(text);
    if (!stored.value || *stored.value == 0) return;
    if (ctx_.settings.AutobookmarksBehavior == 0) {
        const LargeFileAnswer a =
            ctx_.questions.AskLargeFile(ctx_.texts.Msg("LastOpenPage"), ctx_.uiTexts.Control("Skip"));
        if (a.neverAskAgain) ctx_.settings.SetAutobookmarksBehavior(1);
        if (!a.proceed) return;
    }
    ScrollToPending(*stored.value);
}

void ReaderDoc::ScrollToPending(int32_t relative) {
    pendingPosition_ = relative;
    HtmlView* view = host_.CurrentView();
    if (!view) return;
    view->ProcessPendingEvents();
    if (view->ReadyState().empty()) return;
    Task("LoadingToRestore");
    ctx_.status.Busy(true);
    WaitUntilReady(*view);
    pendingPosition_ = PixelsOf(relative, view->ScrollHeight());
    view->ScrollTo(0, pendingPosition_);
    ctx_.status.Status(ctx_.texts.Proc("Ready"));
    ctx_.status.Busy(false);
}

// ---- saving

bool ReaderDoc::IsBookFile(const std::string& path) const {
    return SameFile(path, book_.path) || SameFile(path, handOverFile_);
}

bool ReaderDoc::ShowsBook(HtmlView& view) const {
    return !book_.path.empty() && IsBookFile(LocalPathOf(view.LocationUrl()));
}

bool ReaderDoc::ViewShowsBook() {
    HtmlView* view = host_.CurrentView();
    return view && !book_.path.empty() && IsBookFile(LocalPathOf(view->LocationUrl()));
}

// The book's file as the page in view now makes it; nothing when the view
// shows no book of the reader.
std::optional<std::string> ReaderDoc::ComposeFromView(HtmlView& view) {
    if (book_.path.empty() || view.ReadyState().empty()) return std::nullopt;
    // A page still loading would give a body cut short, or the page before.
    WaitUntilReady(view);
    // A page that did not load (the book reloaded after its file went) is
    // the browser's error page: it is never written over the book.
    if (view.LoadFailed() || !IsBookFile(LocalPathOf(view.LocationUrl()))) return std::nullopt;
    std::string body = view.BodyOuterHtml();
    std::vector<Bookmark> bookmarks = bookmarks_;
    // A UTF-8 book stays UTF-8: its head says so, and says it still.
    if (book_.utf8) {
        body = cp1251::ToUtf8(body);
        for (Bookmark& b : bookmarks) b.name = cp1251::ToUtf8(b.name);
    }
    const int32_t position = RelativePosition(view.ScrollTop(), view.ScrollHeight());
    return ComposeBook(book_.head, body, bookmarks, position, book_.tail);
}

bool ReaderDoc::SaveReaderDoc() {
    HtmlView* view = host_.CurrentView();
    if (!view) return true;
    const std::optional<std::string> bytes = ComposeFromView(*view);
    if (!bytes) return true;
    std::string error;
    if (!WriteFileAtomic(book_.path, *bytes, &error)) {
        ctx_.questions.ShowMessage(ctx_.texts.Msg("Error"), cp1251::FromUtf8(error), MessageIcon::Error);
        return false;
    }
    // What the page holds is in the book now.
    pendingChanges_ = false;
    return true;
}

bool ReaderDoc::SaveActiveFile() { return SaveReaderDoc(); }

bool ReaderDoc::SettlePendingChanges() {
    if (!pendingChanges_) return true;
    if (ctx_.settings.SaveReaderDocOnExit) return SaveReaderDoc();
    const YesNoCancel answer = ctx_.questions.AskYesNoCancel(ctx_.texts.Msg("Confirm"), ctx_.texts.Msg("Save Read File"));
    if (answer == YesNoCancel::Cancel) return false;
    if (answer == YesNoCancel::Yes) return SaveReaderDoc();
    return true;
}

// ---- full screen

std::optional<HandOver> ReaderDoc::HandOverFrom(HtmlView& view) {
    HandOver out;
    out.ratio = ScrollRatio(view.ScrollTop(), view.ScrollHeight());
    const std::optional<std::string> bytes = ComposeFromView(view);
    if (!bytes) return std::nullopt;
    out.file = HandOverFileName(book_.path, ctx_.templates.Get("FileExt"));
    // Deleted at exit too, should the page process die before it is taken;
    // a book that bears the hand-over name itself is never deleted.
    const bool isBook = SameFile(out.file, book_.path);
    if (ctx_.temporaryFiles && !isBook &&
        std::find(ctx_.temporaryFiles->begin(), ctx_.temporaryFiles->end(), out.file) == ctx_.temporaryFiles->end())
        ctx_.temporaryFiles->push_back(out.file);
    std::string error;
    if (!WriteFileAtomic(out.file, *bytes, &error)) {
        ctx_.questions.ShowMessage(ctx_.texts.Msg("Error"), cp1251::FromUtf8(error), MessageIcon::Error);
        return std::nullopt;
    }
    return out;
}

// The page still holds what the book file lacks, so the pending mark goes
// across with it: a close or another book still asks about the changes.
void ReaderDoc::TakeOver(HtmlView& view, const HandOver& handOver) {
    const bool pending = pendingChanges_;
    handOverFile_ = handOver.file;
    ownNavigation_ = handOver.file;
    view.Navigate(handOver.file);
    Task("LoadingToRestore");
    ctx_.status.Busy(true);
    view.ProcessPendingEvents();
    if (!view.ReadyState().empty()) {
        WaitUntilReady(view);
        view.ScrollTo(0, PixelsAtRatio(handOver.ratio, view.ScrollHeight()));
    }
    ctx_.status.Status(ctx_.texts.Proc("Ready"));
    ctx_.status.Busy(false);
    std::error_code ignored;
    if (!SameFile(handOver.file, book_.path)) std::filesystem::remove(handOver.file, ignored);
    pendingChanges_ = pending;
}

// ---- the view's events

void ReaderDoc::BeforeNavigate(const std::string& url, bool& cancel) {
    const std::string path = LocalPathOf(url);
    const bool own = !ownNavigation_.empty() && (SameFile(path, ownNavigation_) || url == ownNavigation_);
    if (own) ownNavigation_.clear();
    // A jump to an anchor of the page shown does not leave it.
    if (!own && url.find('#') != std::string::npos && url.rfind(kFileScheme, 0) == 0 && ViewShowsBook() &&
        IsBookFile(path))
        return;
    if (!own && !SettlePendingChanges()) {
        cancel = true;
        return;
    }
    // The hand-over copy stands for the book; it is gone by the next start.
    if (!path.empty() && host_.Mode() == kReaderInterfaceMode)
        ctx_.settings.SetLastReaderFile(IsBookFile(path) && !book_.path.empty() ? book_.path : path);
    pendingChanges_ = false;
}

// A navigation that lands on another book brings that book's head, tail
// and bookmarks, so that a save never writes one book around another's body.
void ReaderDoc::DocumentComplete(const std::string& url) {
    HtmlView* view = host_.CurrentView();
    ownNavigation_.clear();  // whatever was asked about has happened
    if (host_.Mode() != kReaderInterfaceMode) return;
    ctx_.status.Status(ctx_.texts.Proc("Ready"));
    const std::string path = LocalPathOf(url);
    if (!path.empty() && !IsBookFile(path)) {
        std::optional<ParsedBook> parsed;
        if (IsHtmlFileName(path)) parsed = ReadBook(path, false);
        if (!parsed) {
            parsed.emplace();  // not a book the reader writes: nothing is held
        }
        Adopt(std::move(*parsed));
    }
    if (view) view->Focus();
}

// ---- notes and bookmarks

void ReaderDoc::ShowSelectFirst() {
    ctx_.questions.ShowMessage(ctx_.texts.Msg("UnableToSetBookmark"), ctx_.texts.Msg("SelectText"),
                               MessageIcon::Information);
}

void ReaderDoc::AddNote() {
    HtmlView* view = host_.CurrentView();
    if (!view || view->ReadyState().empty()) return;
    const std::string selection = view->SelectionText();
    if (selection.empty()) {
        ShowSelectFirst();
        return;
    }
    const std::optional<std::vector<std::string>> lines = windows_.AskNote();
    if (!lines) return;
    const std::string note = NoteText(*lines);
    if (note.empty()) return;
    view->PasteHtml(NoteMarkup(ctx_.templates, note, selection));
    pendingChanges_ = true;
}

void ReaderDoc::AddBookmark() {
    HtmlView* view = host_.CurrentView();
    if (!view || view->ReadyState().empty()) return;
    const std::string html = view->SelectionHtml();
    if (html.empty()) {
        ShowSelectFirst();
        return;
    }
    const std::optional<std::string> name = windows_.AskBookmarkName(SuggestBookmarkName(html));
    if (!name) return;
    const int32_t id = BookmarkId(CurrentRelativePosition(), idOffset_());
    view->PasteHtml(BookmarkMarkup(ctx_.templates, id, html));
    InsertOrdered(bookmarks_, {id, *name});
    host_.BookmarksChanged();
    pendingChanges_ = true;
}

void ReaderDoc::GoToBookmark(int32_t id) {
    HtmlView* view = host_.CurrentView();
    if (!view || !view->ScrollIntoView(std::to_string(id))) host_.Beep();
}

void ReaderDoc::ManageBookmarks() {
    if (bookmarks_.empty()) return;
    const std::optional<std::vector<Bookmark>> edited = windows_.ManageBookmarks(bookmarks_);
    if (edited) {
        if (HtmlView* view = host_.CurrentView())
            for (int32_t id : RemovedAnchors(bookmarks_, *edited)) view->ClearAttributes(std::to_string(id));
        bookmarks_ = *edited;
        host_.BookmarksChanged();
    }
    // However the editor was closed.
    pendingChanges_ = true;
}

// ---- helpers

int32_t ReaderDoc::CurrentRelativePosition() {
    HtmlView* view = host_.CurrentView();
    return view ? RelativePosition(view->ScrollTop(), view->ScrollHeight()) : 0;
}

void ReaderDoc::Task(const char* key) { ctx_.status.Status(ctx_.texts.Task(key)); }

}  // namespace pm::reader
