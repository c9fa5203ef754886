#include "intake/SourceFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

namespace pm::intake {

namespace {

bool CreateAndDelete(const std::string& base) {
    std::string probe = base + "$$~temp$~vorn";
    for (;;) {
        // O_EXCL: never open (and then delete) a file that is there already;
        // a name taken, even meanwhile by another program probing the same
        // folder, makes the probe's name longer.
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) {
            probe += "$~";
            continue;
        }
        if (fd < 0) return false;
        const bool closed = ::close(fd) == 0;
        const bool deleted = ::unlink(probe.c_str()) == 0;
        return closed && deleted;
    }
}

}  // namespace

bool ProbeWritable(const std::string& fileName) {
    if (CreateAndDelete(fileName)) return true;
    // A source name near the length limit leaves no room for the suffix;
    // that says nothing about the folder, so probe it by itself.
    return errno == ENAMETOOLONG && CreateAndDelete(FolderOf(fileName));
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string SystemTempFolder() {
    std::error_code ec;
    std::string dir = std::filesystem::temp_directory_path(ec).string();
    if (ec || dir.empty()) dir = "/tmp";
    if (dir.back() != '/') dir += '/';
    return dir;
}

std::string PreviewFileFor(const std::string& sourceFile, bool useSystemTemp, const std::string& outputExt) {
    const std::string folder = useSystemTemp ? SystemTempFolder() : FolderOf(sourceFile);
    if (folder.empty()) return std::string();
    return folder + "$~$~tmp_" + FileNameOf(sourceFile) + outputExt;
}

bool SourceFile::Open(const std::string& path) {
    Close();
    // Non-blocking, so that opening a FIFO does not wait for a writer.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        Close();
        return false;
    }
    // Reads of a regular file never wait, so the flag may stay.
    size_ = static_cast<uint64_t>(st.st_size);
    return true;
}

bool SourceFile::ReadAll(std::string& out) {
    out.clear();
    if (fd_ < 0 || ::lseek(fd_, 0, SEEK_SET) != 0) return false;
    out.resize(static_cast<size_t>(size_) + 1);  // one spare byte shows growth
    size_t got = 0;
    for (;;) {
        if (got == out.size()) out.resize(out.size() * 2);
        const ssize_t n = ::read(fd_, out.data() + got, out.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            out.clear();
            return false;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    out.resize(got);
    return true;
}

bool SourceFile::ReadHead(size_t maxBytes, std::string& out) {
    // No more than the file holds, unless it says it holds nothing (some
    // system files do, and still have text).
    if (size_ > 0) maxBytes = static_cast<size_t>(std::min<uint64_t>(maxBytes, size_));
    out.resize(maxBytes);
    size_t got = 0;
    while (fd_ >= 0 && got < maxBytes) {
        const ssize_t n = ::pread(fd_, out.data() + got, maxBytes - got, static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            out.clear();
            return false;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    out.resize(got);
    return fd_ >= 0;
}

void SourceFile::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    size_ = 0;
}

}  // namespace pm::intake
