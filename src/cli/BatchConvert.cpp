// pellmark-cli convert with many books: the files and folders given are
// collected, and each book is converted by a main window of its own on one
// of the worker threads, which take the books one by one from a shared
// index. The costs every book would pay the same way (probing its folder,
// flushing its file to the disk) are paid once per folder or per group of
// books. A broken book is reported and the others go on.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <unordered_set>

#include "cli/BatchConvert.h"
#include "cli/CliConfig.h"
#include "cli/ConvertJob.h"
#include "cli/GroupWriter.h"
#include "common/Cp1251.h"
#include "intake/SourceFiles.h"

namespace pm::cli {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// Redraws of the progress bar at most this often.
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 24;

std::string LowerAscii(std::string s) {
    for (char& c : s) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return s;
}

// Files this program leaves beside a book while it works on it (previews,
// part files, temporary files of atomic writes).
bool IsOwnWorkFile(const std::string& name) {
    return name.rfind("$~$~tmp_", 0) == 0 || name.rfind("PLMK_", 0) == 0 || name.find(".pmtmp-") != std::string::npos;
}

// The messages of one book, kept until the book is done so that books
// converted side by side do not mix their lines.
class BookQuestions final : public ScriptedQuestions {
public:
    void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override {
        ScriptedQuestions::ShowMessage(caption, text, icon);
        messages.push_back(cp1251::ToUtf8(caption) + ": " + cp1251::ToUtf8(text));
    }
    std::vector<std::string> messages;
};

// The progress bar on a terminal (files done, the speed), and the lines
// printed above it.
class Progress {
public:
    Progress(size_t total, bool tty) : total_(total), tty_(tty), start_(Clock::now()) {}

    void Done(uint64_t bytes, bool failed, const std::vector<std::string>& lines) {
        std::lock_guard<std::mutex> lock(mutex_);
        ++done_;
        bytes_ += bytes;
        if (failed) ++failed_;
        if (!lines.empty()) {
            Erase();
            for (const std::string& l : lines) std::fprintf(stderr, "pellmark-cli: %s\n", l.c_str());
        }
        const Clock::time_point now = Clock::now();
        if (!lines.empty() || done_ == total_ || now - lastDraw_ >= kRedrawInterval) {
            Draw();
            lastDraw_ = now;
        }
    }

    void Finish() {
        std::lock_guard<std::mutex> lock(mutex_);
        Erase();
        const double seconds = Seconds();
        std::fprintf(stderr, "Converted %zu of %zu books in %.1f s (%.1f MB/s)", done_ - failed_, total_, seconds,
                     Rate(seconds));
        if (failed_ > 0) std::fprintf(stderr, "; %zu failed", failed_);
        std::fputs("\n", stderr);
    }

    size_t Failed() const { return failed_; }

private:
    double Seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }
    double Rate(double seconds) const { return seconds > 0 ? static_cast<double>(bytes_) / 1e6 / seconds : 0.0; }

    void Erase() {
        if (!drawn_) return;
        std::fputs("\r\033[K", stderr);
        drawn_ = false;
    }

    void Draw() {
        if (!tty_) return;
        const int filled = total_ ? static_cast<int>(done_ * kBarWidth / total_) : kBarWidth;
        std::string bar(static_cast<size_t>(filled), '#');
        bar.append(static_cast<size_t>(kBarWidth - filled), '-');
        std::fprintf(stderr, "\r\033[K[%s] %zu/%zu books  %.1f MB/s", bar.c_str(), done_, total_, Rate(Seconds()));
        if (failed_) std::fprintf(stderr, "  %zu failed", failed_);
        std::fflush(stderr);
        drawn_ = true;
    }

    std::mutex mutex_;
    const size_t total_;
    const bool tty_;
    const Clock::time_point start_;
    Clock::time_point lastDraw_{};
    size_t done_ = 0, failed_ = 0;
    uint64_t bytes_ = 0;
    bool drawn_ = false;
};

// The writability probe of loading, once per folder: the books of a folder
// share the answer, and creating and deleting a file for every book costs
// more than converting a small one (the folder is locked while a file is
// made in it, so the workers would wait for each other there).
class FolderProbes {
public:
    bool Writable(const std::string& fileName) {
        std::lock_guard<std::mutex> lock(mutex_);
        const auto [it, fresh] = writable_.try_emplace(intake::FolderOf(fileName), false);
        if (fresh) it->second = intake::ProbeWritable(fileName);
        return it->second;
    }

private:
    std::mutex mutex_;
    std::map<std::string, bool> writable_;
};

}  // namespace

namespace {

// The last name of a path and its extension, as the library has them but
// without building a path object for each of a thousand books.
std::string_view NameOf(std::string_view path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view ExtensionOf(std::string_view name) {
    const size_t dot = name.find_last_of('.');
    return dot == std::string_view::npos || dot == 0 || name == ".." ? std::string_view() : name.substr(dot);
}

bool IsBookName(std::string_view name) {
    if (name.empty() || name[0] == '.' || IsOwnWorkFile(std::string(name))) return false;
    const std::string ext = LowerAscii(std::string(ExtensionOf(name)));
    return ext == ".txt" || ext == ".htm" || ext == ".html";
}

}  // namespace

bool IsBookFile(const fs::path& path) { return IsBookName(NameOf(path.native())); }

std::vector<BookInput> CollectBooks(const std::vector<std::string>& inputs, bool recursive) {
    std::vector<BookInput> books;
    for (const std::string& in : inputs) {
        std::error_code ec;
        if (!fs::is_directory(in, ec)) {
            books.push_back({in, fs::path(in).filename().string(), {}});
            continue;
        }
        std::vector<BookInput> found;
        // The iterator's paths begin with the folder as given and a slash,
        // so the name under it is what follows.
        const std::string prefix = (fs::path(in) / "").native();
        auto take = [&](const fs::directory_entry& e) {
            std::error_code fe;
            const std::string& path = e.path().native();
            if (!e.is_regular_file(fe) || !IsBookName(NameOf(path))) return;
            found.push_back({path, path.rfind(prefix, 0) == 0 ? path.substr(prefix.size())
                                                               : e.path().lexically_relative(in).string(), {}});
        };
        const auto options = fs::directory_options::skip_permission_denied;
        if (recursive) {
            for (fs::recursive_directory_iterator it(in, options, ec), end; !ec && it != end; it.increment(ec)) take(*it);
        } else {
            for (fs::directory_iterator it(in, options, ec), end; !ec && it != end; it.increment(ec)) take(*it);
        }
        if (ec) {
            books.push_back({in, fs::path(in).filename().string(), "cannot read the folder: " + ec.message()});
            continue;
        }
        std::sort(found.begin(), found.end(), [](const BookInput& a, const BookInput& b) { return a.input < b.input; });
        books.insert(books.end(), found.begin(), found.end());
    }
    return books;
}

namespace {

// True when no name of the absolute path is "." or ".." and no slash is
// doubled: the path is then its own normal form.
bool LooksNormal(std::string_view path) {
    for (size_t slash = path.find('/'); slash != std::string_view::npos; slash = path.find('/', slash + 1)) {
        const std::string_view rest = path.substr(slash + 1);
        if (rest.empty()) return slash == 0;
        if (rest[0] == '/') return false;
        const std::string_view name = rest.substr(0, rest.find('/'));
        if (name == "." || name == "..") return false;
    }
    return true;
}

// The same string for two names of the same file (as far as the names
// tell): absolute, without "." and ".." and doubled slashes.
class NameKeys {
public:
    NameKeys() {
        std::error_code ec;
        cwd_ = fs::current_path(ec).native();
        if (cwd_.empty() || cwd_.back() != '/') cwd_ += '/';
    }
    std::string operator()(const std::string& path) const {
        std::string abs = !path.empty() && path[0] == '/' ? path : cwd_ + path;
        return LooksNormal(abs) ? abs : fs::path(abs).lexically_normal().native();
    }

private:
    std::string cwd_;
};

// path with its extension replaced by ext (or given ext when it has none).
std::string WithExtension(const std::string& path, const std::string& ext) {
    const std::string_view name = NameOf(path);
    return path.substr(0, path.size() - ExtensionOf(name).size()) + ext;
}

}  // namespace

std::vector<std::string> OutputNames(const std::vector<BookInput>& books, const std::string& outputDir,
                                     const std::string& ext) {
    const NameKeys key;
    std::unordered_set<std::string> inputs;
    inputs.reserve(books.size());
    for (const BookInput& b : books) inputs.insert(key(b.input));
    std::unordered_set<std::string> taken;
    taken.reserve(books.size());
    const std::string dir = outputDir.empty() || outputDir.back() == '/' ? outputDir : outputDir + '/';
    std::vector<std::string> outputs;
    outputs.reserve(books.size());
    for (const BookInput& b : books) {
        const std::string base = outputDir.empty() ? b.input : dir + b.relative;
        std::string out = WithExtension(base, ext);
        // Never over a book being read, nor over another book's output: the
        // source's own extension then stays in the name.
        std::string k = key(out);
        auto clash = [&] { return inputs.count(k) > 0 || taken.count(k) > 0; };
        if (clash()) k = key(out = base + ext);
        for (int n = 2; clash(); ++n) k = key(out = base + "." + std::to_string(n) + ext);
        taken.insert(std::move(k));
        outputs.push_back(std::move(out));
    }
    return outputs;
}

namespace {

// Where a book stands once its worker is through with it.
enum class BookOutcome {
    Failed,   // with the lines to report
    Written,  // its files are in place
    Queued,   // handed to the group writer, which tells when it is in place
};

// Converts book number index on the calling thread.
BookOutcome ConvertBook(const ConvertOptions& o, ConfigTree& tree, const std::string& programDir, FolderProbes& probes,
                        GroupWriter& writer, size_t index, const BookInput& book, const std::string& output,
                        std::vector<std::string>& report) {
    if (!book.problem.empty()) {
        report.push_back(book.input + ": " + book.problem);
        return BookOutcome::Failed;
    }
    BookQuestions questions;
    ApplyAnswers(o, questions);
    NullStatusSink status;
    MainUi ui;
    ui.status = &status;
    ui.questions = &questions;
    TMain main(tree, ui, programDir);
    main.writePreviewFile = false;  // nobody looks at it
    main.probeWritable = [&probes](const std::string& name) { return probes.Writable(name); };
    main.Start();
    std::string error;
    bool ok = ApplyConvertSettings(o, main, error) && LoadAndConvert(o, main, questions, book.input, error);
    bool queued = false;
    if (ok) {
        std::error_code ec;
        const fs::path folder = fs::path(output).parent_path();
        if (!folder.empty()) fs::create_directories(folder, ec);
        const bool split = main.settings.BreakTextApartByToc && !main.files.partFiles.empty() &&
                           main.files.partFiles.back() == main.files.previewFile;
        if (ec) {
            error = "cannot create the folder \"" + folder.string() + "\": " + ec.message();
            ok = false;
        } else if (split && o.format == "html") {
            // A split book is its index and part files, as --split writes them.
            main.writePreviewFile = true;
            main.RefreshPreview();  // the index
            ok = main.CopyPartFilesTo(folder.empty() ? "." : folder.string(), &error);
        } else {
            std::string bytes;
            ok = SavedBytes(o, main, bytes, error) && writer.Add(index, output, bytes, error);
            queued = ok;
        }
    }
    main.Shutdown();
    if (!ok) {
        for (const std::string& m : questions.messages) report.push_back(book.input + ": " + m);
        report.push_back(error);
        return BookOutcome::Failed;
    }
    return queued ? BookOutcome::Queued : BookOutcome::Written;
}

}  // namespace

int ConvertBooks(const ConvertOptions& o) {
    // The settings are checked once, before any book is touched.
    ConfigTree probeTree;
    std::string error;
    if (!LoadCliConfig(o.configFile, o.noConfig, probeTree, error)) {
        std::fprintf(stderr, "pellmark-cli: %s\n", error.c_str());
        return 1;
    }
    probeTree.SetReadOnly(true);
    const std::string programDir = ProgramDir();
    std::string ext;
    {
        TMain probe(probeTree, MainUi{}, programDir);
        probe.Start();
        if (!ApplyConvertSettings(o, probe, error)) {
            std::fprintf(stderr, "pellmark-cli: %s\n", error.c_str());
            return 2;
        }
        ext = fs::path(DefaultOutput(o, probe, "book.txt")).extension().string();
        probe.Shutdown();
    }

    const std::vector<BookInput> books = CollectBooks(o.inputs, o.recursive);
    if (books.empty()) {
        std::fprintf(stderr, "pellmark-cli: nothing was converted from \"%s\": it is a folder without books "
                     "(.txt, .htm, .html files)\n", o.input.c_str());
        return 1;
    }
    const std::vector<std::string> outputs = OutputNames(books, o.outputDir, ext);
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t workers = std::min<size_t>(books.size(), o.jobs > 0 ? static_cast<size_t>(o.jobs) : cores);

    Progress progress(books.size(), ::isatty(STDERR_FILENO) == 1);
    std::atomic<size_t> next{0};
    FolderProbes probes;
    std::vector<uintmax_t> sizes(books.size(), 0);
    GroupWriter writer([&](size_t book, const std::string& why) {
        progress.Done(sizes[book], !why.empty(), why.empty() ? std::vector<std::string>{} : std::vector{why});
    });
    std::mutex configLock;  // finding the user's configuration asks the system who the user is
    auto work = [&]() {
        // Each worker reads the configuration for itself: the main windows
        // of different threads share nothing.
        ConfigTree tree;
        std::string why;
        bool configured = false;
        {
            std::lock_guard<std::mutex> lock(configLock);
            configured = LoadCliConfig(o.configFile, o.noConfig, tree, why);
        }
        tree.SetReadOnly(true);
        for (size_t i = next++; i < books.size(); i = next++) {
            std::vector<std::string> report;
            std::error_code ec;
            const uintmax_t size = fs::file_size(books[i].input, ec);
            sizes[i] = ec ? 0 : size;
            BookOutcome outcome = BookOutcome::Failed;
            if (!configured) report.push_back(books[i].input + ": " + why);
            else outcome = ConvertBook(o, tree, programDir, probes, writer, i, books[i], outputs[i], report);
            if (outcome != BookOutcome::Queued) progress.Done(sizes[i], outcome == BookOutcome::Failed, report);
        }
    };
    std::vector<std::thread> threads;
    for (size_t t = 1; t < workers; ++t) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    writer.Flush();
    progress.Finish();
    return progress.Failed() > 0 ? 1 : 0;
}

}  // namespace pm::cli
