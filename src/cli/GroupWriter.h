// Writing the books of a library conversion. Each book goes to a temporary
// file beside its output as soon as it is converted; the temporary files are
// then flushed to the disk and renamed into place a group at a time, with
// one flush of the file system for the whole group. Written one by one, two
// flushes of the disk per book (the file, then its folder) cost more than
// converting a small book, and the workers would queue for the same disk.
// The promise of an atomic write stays: a book's bytes are on the disk
// before its name points at them, and a failure leaves the old file intact.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pm::cli {

class GroupWriter {
public:
    // Told of every book once its file is in place (error "") or has failed.
    using Finished = std::function<void(size_t book, const std::string& error)>;

    // A group is written when it holds this many books or bytes, or when its
    // first book has waited this long (so that the progress bar moves).
    struct Limits {
        size_t books = 128;
        uint64_t bytes = 8u << 20;
        std::chrono::milliseconds wait{500};
    };

    GroupWriter(Finished finished, Limits limits);
    explicit GroupWriter(Finished finished) : GroupWriter(std::move(finished), Limits{}) {}
    GroupWriter(const GroupWriter&) = delete;
    GroupWriter& operator=(const GroupWriter&) = delete;
    // Writes what is still waiting.
    ~GroupWriter() { Flush(); }

    // Writes bytes to a temporary file beside path. False (nothing left
    // behind, one sentence in error) when that fails; the book is then not
    // reported to Finished. May write a whole group on the calling thread.
    bool Add(size_t book, const std::string& path, std::string_view bytes, std::string& error);
    // Flushes and renames everything added so far.
    void Flush();

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        size_t book;
        std::string path, temporary;
    };
    void Commit(std::vector<Pending> group);

    const Finished finished_;
    const Limits limits_;
    const unsigned umask_;
    std::mutex mutex_;
    std::vector<Pending> pending_;
    uint64_t pendingBytes_ = 0;
    Clock::time_point firstAdded_{};
};

}  // namespace pm::cli
