// Writing the books of a library conversion. Each book goes to a file
// without a name in its output's folder as soon as it is converted (a named
// temporary file beside the output where the system has no such files);
// the files are then flushed to the disk and given their names a group at
// a time, with one flush of the file system for the whole group. Written
// one by one, two flushes of the disk per book (the file, then its folder)
// cost more than converting a small book, and the workers would queue for
// the same disk. The groups are written by a thread of their own, so a
// worker never waits for the disk: while one group is being flushed, the
// books that arrive make the next one, however many they are, so a slow
// disk gets fewer and larger groups. The promise of an atomic write stays:
// a book's bytes are on the disk before its name points at them, and a
// failure leaves the old file intact.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace pm::cli {

class GroupWriter {
public:
    // Told of every book once its file is in place (error "") or has failed.
    using Finished = std::function<void(size_t book, const std::string& error)>;

    // The writer takes a group when it holds this many books or bytes, or
    // when its first book has waited this long (so that the progress bar
    // moves); books that arrive while it writes join the next group.
    struct Limits {
        size_t books = 128;
        uint64_t bytes = 8u << 20;
        std::chrono::milliseconds wait{500};
        // Files without a name while they wait, where the system can; each
        // stays open until it gets its name, so at most this many at once
        // (0: a share of the process's limit of open files), the rest wait
        // as named temporary files.
        bool unnamed = true;
        size_t unnamedOpen = 0;
    };

    GroupWriter(Finished finished, Limits limits);
    explicit GroupWriter(Finished finished) : GroupWriter(std::move(finished), Limits{}) {}
    GroupWriter(const GroupWriter&) = delete;
    GroupWriter& operator=(const GroupWriter&) = delete;
    // Writes what is still waiting.
    ~GroupWriter();

    // Writes bytes to a file waiting to become path. False (nothing left
    // behind, one sentence in error) when that fails; the book is then not
    // reported to Finished.
    bool Add(size_t book, const std::string& path, std::string_view bytes, std::string& error);
    // Returns when no group is due or being written (Finished told of
    // every book of those).
    void WaitForGroups();
    // Puts everything added so far in place, complete group or not.
    void Flush();

private:
    using Clock = std::chrono::steady_clock;
    // A book waits in an open file without a name (fd) or in a named
    // temporary file (temporary).
    struct Pending {
        size_t book;
        std::string path, temporary;
        int fd = -1;
    };
    int OpenWaiting(const std::string& path, std::string& temporary);
    void Discard(const Pending& p);
    bool TakeOpenSlot();
    void CloseUnnamed(int fd);
    bool GroupDue() const;
    void WriteGroups();
    void Commit(std::vector<Pending> group);

    const Finished finished_;
    const Limits limits_;
    const unsigned umask_;
    std::atomic<bool> unnamed_;
    const size_t unnamedOpen_;
    std::atomic<size_t> openNow_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Pending> pending_;  // the next group
    uint64_t pendingBytes_ = 0;
    Clock::time_point firstAdded_{};
    int flushing_ = 0;  // callers of Flush waiting
    bool writing_ = false, stopping_ = false;
    std::thread writer_;
};

}  // namespace pm::cli
