#include "cli/GroupWriter.h"
#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <set>

namespace pm::cli {
namespace {

std::string Failure(const std::string& what, const std::string& path, int err) {
    return what + " \"" + path + "\": " + std::strerror(err);
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The mode the file gets: an existing file keeps its own, a new one is
// made as the process's file creation mask says.
mode_t ModeFor(const std::string& path, unsigned mask) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    return 0666 & ~static_cast<mode_t>(mask);
}

// Gives fd the mode of path (see ModeFor); a file without a name was made
// with the mode a new file gets, so only a replacement needs the change.
int SetModeFor(int fd, bool unnamed, const std::string& path, unsigned mask) {
    const mode_t mode = ModeFor(path, mask);
    if (unnamed && mode == (0666 & ~static_cast<mode_t>(mask))) return 0;
    return ::fchmod(fd, mode) == 0 ? 0 : errno;
}

// A file without a name in the folder, or -1 (errno set). Making one does
// not lock the folder, so the workers do not queue there, and a book that
// fails or a program that is killed leaves nothing behind.
int OpenUnnamed(const std::string& folder, mode_t mode) {
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
}

// Half of what the process may still open, keeping some for the books
// being read and the folders being flushed.
size_t UnnamedShare() {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 256;
    return limit.rlim_cur > 64 ? static_cast<size_t>(limit.rlim_cur - 64) / 2 : 0;
}

// The descriptor can be given a name without a privilege only through
// /proc on many systems; without it, named temporary files are used.
bool CanNameUnnamed() { return ::geteuid() == 0 || ::access("/proc/self/fd", F_OK) == 0; }

// Systems and file systems without such files say so with one of these.
bool UnnamedUnsupported(int err) { return err == EOPNOTSUPP || err == EISDIR || err == EINVAL; }

// Gives the open file without a name the name path, when no file has it.
// Linking the descriptor itself needs a privilege on older systems; the
// name under /proc does not.
int LinkUnnamed(int fd, const std::string& path) {
    if (::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0) return 0;
    if (errno != ENOENT && errno != EPERM) return errno;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

// Puts the file without a name in place of path, which may be there: a new
// name is a link; an existing file is replaced through a temporary name,
// since a link never replaces.
int PlaceUnnamed(int fd, const std::string& path) {
    const int err = LinkUnnamed(fd, path);
    if (err != EEXIST) return err;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string tmp = path + ".pmtmp-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int linked = LinkUnnamed(fd, tmp);
        if (linked == EEXIST) continue;  // left by a program that was killed
        if (linked != 0) return linked;
        if (::rename(tmp.c_str(), path.c_str()) == 0) return 0;
        const int renamed = errno;
        ::unlink(tmp.c_str());
        return renamed;
    }
    return EEXIST;
}

// Read once, before the workers start: reading it means setting it.
unsigned ProcessUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

// Flushes the file systems of the folders; 0 or the first error.
int SyncFileSystems(const std::set<std::string>& folders) {
    std::set<dev_t> synced;
    for (const std::string& folder : folders) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0) return errno;
        if (!synced.insert(st.st_dev).second) continue;
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return errno;
        const int err = ::syncfs(fd) == 0 ? 0 : errno;
        ::close(fd);
        if (err != 0) return err;
    }
    return 0;
}

// The renames reach the disk with their folders.
void SyncFolders(const std::set<std::string>& folders) {
    for (const std::string& folder : folders) {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) continue;
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

GroupWriter::GroupWriter(Finished finished, Limits limits)
    : finished_(std::move(finished)),
      limits_(limits),
      umask_(ProcessUmask()),
      unnamed_(limits.unnamed && CanNameUnnamed()),
      unnamedOpen_(limits.unnamedOpen ? limits.unnamedOpen : UnnamedShare()),
      writer_([this] { WriteGroups(); }) {}

GroupWriter::~GroupWriter() {
    Flush();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    writer_.join();
}

bool GroupWriter::GroupDue() const {
    return !pending_.empty() && (flushing_ > 0 || pending_.size() >= limits_.books ||
                                 pendingBytes_ >= limits_.bytes || Clock::now() - firstAdded_ >= limits_.wait);
}

void GroupWriter::WriteGroups() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        while (!stopping_ && !GroupDue()) {
            if (pending_.empty()) changed_.wait(lock);
            else changed_.wait_until(lock, firstAdded_ + limits_.wait);
        }
        if (pending_.empty()) return;  // stopping, nothing left
        std::vector<Pending> group = std::move(pending_);
        pending_.clear();
        pendingBytes_ = 0;
        writing_ = true;
        lock.unlock();
        Commit(std::move(group));
        lock.lock();
        writing_ = false;
        changed_.notify_all();
    }
}

void GroupWriter::Discard(const Pending& p) {
    if (p.fd >= 0) CloseUnnamed(p.fd);
    else ::unlink(p.temporary.c_str());
}

bool GroupWriter::TakeOpenSlot() {
    if (openNow_.fetch_add(1) < unnamedOpen_) return true;
    --openNow_;
    return false;
}

void GroupWriter::CloseUnnamed(int fd) {
    ::close(fd);
    --openNow_;
}

int GroupWriter::OpenWaiting(const std::string& path, std::string& temporary) {
    if (unnamed_ && TakeOpenSlot()) {
        const int fd = OpenUnnamed(FolderOf(path), 0666);  // less the creation mask
        if (fd >= 0) return fd;
        const int err = errno;
        --openNow_;
        if (!UnnamedUnsupported(err)) {
            errno = err;
            return -1;
        }
        unnamed_ = false;  // a race on this flag only costs another try
    }
    temporary = path + ".pmtmp-XXXXXX";
    return ::mkstemp(temporary.data());
}

bool GroupWriter::Add(size_t book, const std::string& path, std::string_view bytes, std::string& error) {
    std::string tmp;
    int fd = OpenWaiting(path, tmp);
    if (fd < 0) {
        error = Failure("Cannot create", path, errno);
        return false;
    }
    int err = WriteAll(fd, bytes) ? SetModeFor(fd, tmp.empty(), path, umask_) : errno;
    // A named file is closed now; one without a name stays open until it
    // gets its name.
    if (!tmp.empty() && ::close(fd) != 0 && err == 0) err = errno;
    if (err != 0) {
        if (tmp.empty()) CloseUnnamed(fd);
        else ::unlink(tmp.c_str());
        error = Failure("Cannot write", path, err);
        return false;
    }
    if (!tmp.empty()) fd = -1;
    std::lock_guard<std::mutex> lock(mutex_);
    if (pending_.empty()) firstAdded_ = Clock::now();
    pending_.push_back({book, path, std::move(tmp), fd});
    pendingBytes_ += bytes.size();
    // The writer waits for the first book's time or for a due group.
    if (pending_.size() == 1 || GroupDue()) changed_.notify_all();
    return true;
}

void GroupWriter::WaitForGroups() {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !GroupDue() && !writing_; });
}

void GroupWriter::Flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    ++flushing_;
    changed_.notify_all();
    changed_.wait(lock, [this] { return pending_.empty() && !writing_; });
    --flushing_;
}

void GroupWriter::Commit(std::vector<Pending> group) {
    std::set<std::string> folders;
    for (const Pending& p : group) folders.insert(FolderOf(p.path));
    // Every byte of the group on the disk before any name points at it.
    if (const int err = SyncFileSystems(folders); err != 0) {
        for (const Pending& p : group) {
            Discard(p);
            finished_(p.book, Failure("Cannot write", p.path, err));
        }
        return;
    }
    std::vector<std::string> errors(group.size());
    for (size_t i = 0; i < group.size(); ++i) {
        const Pending& p = group[i];
        int err = 0;
        if (p.fd >= 0) {
            err = PlaceUnnamed(p.fd, p.path);
            CloseUnnamed(p.fd);
        } else if (::rename(p.temporary.c_str(), p.path.c_str()) != 0) {
            err = errno;
            ::unlink(p.temporary.c_str());
        }
        if (err != 0) errors[i] = Failure("Cannot write", p.path, err);
    }
    SyncFolders(folders);
    for (size_t i = 0; i < group.size(); ++i) finished_(group[i].book, errors[i]);
}

}  // namespace pm::cli
