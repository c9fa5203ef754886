// Injected failures for the tests of the program's writers: a full disk, a
// folder that cannot be written into, a folder removed while the program
// runs; and the checks that follow every one of them (the old file intact,
// no temporary file left).
//
// Which real mechanism stands for which fault:
// - no space: a file size limit (RLIMIT_FSIZE, SIGXFSZ ignored) in a forked
//   child, so that write() fails with EFBIG; it works for every user and
//   cannot leak into the rest of the test program. Where the test program
//   may mount file systems, a tiny tmpfs gives the real ENOSPC.
// - read-only folder: a tmpfs remounted read-only (EROFS, for the
//   superuser too) where mounting is allowed; a folder with mode 0555 for
//   other users; and, always, a "folder" that is a regular file (ENOTDIR),
//   where no file can be created.
// - folder removed: the tests remove it between loading and saving, or from
//   a question the program asks on the way.
#pragma once

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/TempFolder.h"

namespace pm::test {

inline bool RunningAsRoot() { return ::geteuid() == 0; }

// What a writer did inside the forked child: whether it succeeded, and the
// message the user got (empty when none).
struct Outcome {
    bool ok = false;
    std::string message;
};

// Runs body in a forked child whose files may not grow beyond limit bytes,
// as on a disk that fills up; the outcome comes back through a pipe. The
// files the child wrote (or failed to) are there for the parent to check.
inline Outcome WithFileSizeLimit(rlim_t limit, const std::function<Outcome()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return {false, "pipe failed"};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit small{};
        ::getrlimit(RLIMIT_FSIZE, &small);
        small.rlim_cur = limit;
        if (::setrlimit(RLIMIT_FSIZE, &small) != 0) ::_exit(2);
        const Outcome out = body();
        const std::string bytes = (out.ok ? "1" : "0") + out.message;
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fds[1], bytes.data() + done, bytes.size() - done);
            if (n <= 0) ::_exit(3);
            done += static_cast<size_t>(n);
        }
        ::_exit(0);  // no destructors, no test framework teardown in the child
    }
    ::close(fds[1]);
    std::string bytes;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) bytes.append(buf, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || bytes.empty())
        return {false, "the child failed (status " + std::to_string(status) + ")"};
    return {bytes[0] == '1', bytes.substr(1)};
}

// A fresh folder for a fault test, removed with its contents at the end.
class FaultDir : public TempFolder {
public:
    explicit FaultDir(const std::string& tag = "pm-faults") : TempFolder(tag) {}
};

// A small tmpfs mounted on a fresh folder, for a real "no space left" and a
// real read-only file system. Mounting needs the privilege to mount; when it
// is missing, Available() is false and the test skips.
class SmallTmpfs {
public:
    explicit SmallTmpfs(size_t bytes) {
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0777";
        mounted_ = ::mount("tmpfs", (dir_.path()).c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
    }
    ~SmallTmpfs() {
        if (mounted_) ::umount2(dir_.path().c_str(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool Available() const { return mounted_; }
    const std::filesystem::path& path() const { return dir_.path(); }
    std::string operator/(const std::string& name) const { return dir_ / name; }
    // From now on nothing in it can be changed, by the superuser neither.
    bool MakeReadOnly() {
        return ::mount(nullptr, dir_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV,
                       nullptr) == 0;
    }
    // Takes every free block, so that the next write of any size fails.
    void Fill() {
        const std::string filler = (dir_.path() / "filler").string();
        if (FILE* f = std::fopen(filler.c_str(), "wb")) {
            const std::string block(4096, 'f');
            while (std::fwrite(block.data(), 1, block.size(), f) == block.size()) {
            }
            std::fclose(f);
        }
    }

private:
    FaultDir dir_{"pm-tmpfs"};
    bool mounted_ = false;
};

// A path below a regular file: nothing can be created there, for any user.
inline std::string BelowAFile(const std::filesystem::path& dir, const std::string& name) {
    const std::filesystem::path file = dir / "not-a-folder";
    if (!std::filesystem::exists(file)) std::ofstream(file) << "x";
    return (file / name).string();
}

// The names of the temporary files of atomic writes left in a folder.
inline std::vector<std::string> TemporaryFilesIn(const std::filesystem::path& dir) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir, ec)) {
        const std::string name = e.path().filename().string();
        if (name.find(".pmtmp-") != std::string::npos) out.push_back(name);
    }
    return out;
}

// Every name in a folder, sorted.
inline std::vector<std::string> NamesIn(const std::filesystem::path& dir) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(dir, ec)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace pm::test
