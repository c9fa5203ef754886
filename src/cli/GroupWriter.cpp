#include "cli/GroupWriter.h"
#include "common/AtomicFile.h"

#include <fcntl.h>
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
    : finished_(std::move(finished)), limits_(limits), umask_(ProcessUmask()) {}

bool GroupWriter::Add(size_t book, const std::string& path, std::string_view bytes, std::string& error) {
    std::string tmp = path + ".pmtmp-XXXXXX";
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        error = Failure("Cannot create", path, errno);
        return false;
    }
    int err = 0;
    if (!WriteAll(fd, bytes) || ::fchmod(fd, ModeFor(path, umask_)) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err != 0) {
        ::unlink(tmp.c_str());
        error = Failure("Cannot write", path, err);
        return false;
    }
    std::vector<Pending> group;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (pending_.empty()) firstAdded_ = Clock::now();
        pending_.push_back({book, path, std::move(tmp)});
        pendingBytes_ += bytes.size();
        if (pending_.size() >= limits_.books || pendingBytes_ >= limits_.bytes ||
            Clock::now() - firstAdded_ >= limits_.wait) {
            group.swap(pending_);
            pendingBytes_ = 0;
        }
    }
    // Written outside the lock: the other workers go on converting.
    if (!group.empty()) Commit(std::move(group));
    return true;
}

void GroupWriter::Flush() {
    std::vector<Pending> group;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        group.swap(pending_);
        pendingBytes_ = 0;
    }
    if (!group.empty()) Commit(std::move(group));
}

void GroupWriter::Commit(std::vector<Pending> group) {
    std::set<std::string> folders;
    for (const Pending& p : group) folders.insert(FolderOf(p.path));
    // Every byte of the group on the disk before any name points at it.
    if (const int err = SyncFileSystems(folders); err != 0) {
        for (const Pending& p : group) {
            ::unlink(p.temporary.c_str());
            finished_(p.book, Failure("Cannot write", p.path, err));
        }
        return;
    }
    std::vector<std::string> errors(group.size());
    for (size_t i = 0; i < group.size(); ++i) {
        if (::rename(group[i].temporary.c_str(), group[i].path.c_str()) == 0) continue;
        errors[i] = Failure("Cannot write", group[i].path, errno);
        ::unlink(group[i].temporary.c_str());
    }
    SyncFolders(folders);
    for (size_t i = 0; i < group.size(); ++i) finished_(group[i].book, errors[i]);
}

}  // namespace pm::cli
