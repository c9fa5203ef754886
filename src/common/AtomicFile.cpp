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

}  // namespace

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
    std::vector<char> tmpl(path.begin(), path.end());
    const std::string suffix = ".pmtmp-XXXXXX";
    tmpl.insert(tmpl.end(), suffix.begin(), suffix.end());
    tmpl.push_back('\0');
    const int fd = ::mkstemp(tmpl.data());
    if (fd < 0) return Fail(error, "Cannot create", path, errno);
    const std::string tmp(tmpl.data());
    const mode_t mode = ModeFor(path);
    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(tmp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(tmp.c_str());
        return Fail(error, "Cannot write", path, err);
    }
    return true;
}

}  // namespace pm
