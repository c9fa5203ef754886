#include "common/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace pm {
namespace {

bool Fail(std::string* error, const std::string& what, const std::string& path, int err) {
    if (error) *error = what + " \"" + path + "\": " + std::strerror(err);
    return false;
}

// The process's file creation mask. Reading it with umask() means setting
// it for a moment, which races with files created on other threads (the
// library conversion writes books side by side), so it is read from the
// kernel's status of the process, and only where that is missing the old
// way, once.
mode_t ReadUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

mode_t ModeFor(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    static const mode_t kUmask = ReadUmask();
    return 0666 & ~kUmask;
}

// Writes bytes to a new temporary file beside path, with path's mode,
// flushed to the disk so that the rename cannot expose a short file after a
// crash. On failure nothing is left behind.
bool WriteTemporary(const std::string& path, std::string_view bytes, std::string& tmp, std::string* error) {
    std::vector<char> tmpl(path.begin(), path.end());
    const std::string suffix = ".pmtmp-XXXXXX";
    tmpl.insert(tmpl.end(), suffix.begin(), suffix.end());
    tmpl.push_back('\0');
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return Fail(error, "Cannot create", path, errno);
    tmp.assign(tmpl.data());
    int err = 0;
    if (!WriteAll(fd, bytes) || ::fchmod(fd, ModeFor(path)) != 0 || ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0) return true;
    ::unlink(tmp.c_str());
    tmp.clear();
    return Fail(error, "Cannot write", path, err);
}

// The rename itself reaches the disk only with its folder.
void SyncFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool RenameIntoPlace(const std::string& tmp, const std::string& path, std::string* error) {
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return Fail(error, "Cannot write", path, err);
    }
    SyncFolderOf(path);
    return true;
}

}  // namespace

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool ReadWholeFile(const std::string& path, std::string& out, std::string* error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(error, "Cannot open", path, errno ? errno : ENOENT);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Fail(error, "Cannot read", path, EISDIR);
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return Fail(error, "Cannot read", path, errno ? errno : EIO);
    return true;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
    std::string tmp;
    return WriteTemporary(path, bytes, tmp, error) && RenameIntoPlace(tmp, path, error);
}

AtomicFileSet::~AtomicFileSet() { Discard(); }

bool AtomicFileSet::Add(const std::string& path, std::string_view bytes, std::string* error) {
    std::string tmp;
    if (!WriteTemporary(path, bytes, tmp, error)) {
        Discard();
        return false;
    }
    pending_.push_back({path, tmp});
    return true;
}

bool AtomicFileSet::Commit(std::string* error) {
    for (size_t i = 0; i < pending_.size(); ++i) {
        if (!RenameIntoPlace(pending_[i].temporary, pending_[i].path, error)) {
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            Discard();
            return false;
        }
    }
    pending_.clear();
    return true;
}

void AtomicFileSet::Discard() {
    for (const Pending& p : pending_) ::unlink(p.temporary.c_str());
    pending_.clear();
}

}  // namespace pm
