#include "config/ConfigStore.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "config/RegFile.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

std::string EnvOr(const char* name, const std::string& fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}

std::string HomeFolder() {
    if (const char* h = std::getenv("HOME"); h && *h) return h;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return ".";
}

// "pellmark.reg.corrupt-20260308-140512", with "-2", "-3"... when taken.
std::string AsideName(const std::string& path) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".corrupt-" + stamp;
    std::string name = base;
    std::error_code ec;
    for (int n = 2; fs::exists(name, ec); ++n) name = base + "-" + std::to_string(n);
    return name;
}

// A symbolic link (a configuration kept with the user's other dotfiles) is
// followed, so that the link itself is not replaced by a plain file.
std::string WriteTarget(const std::string& path) {
    std::error_code ec;
    if (!fs::is_symlink(path, ec)) return path;
    const fs::path real = fs::weakly_canonical(path, ec);
    return ec ? path : real.string();
}

// Holds the folder of the configuration file locked while a save reads the
// file, merges and writes it back, so that two copies of the program saving
// at the same moment take turns. Where the folder cannot be locked the save
// goes ahead unlocked.
class FolderLock {
public:
    explicit FolderLock(const fs::path& folder) {
        fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_ = -1;
};

// File names reach messages in the working code page.
std::string Shown(const std::string& fileName) { return cp1251::FromUtf8(fileName); }

}  // namespace

std::string DefaultConfigPath() {
    if (const char* p = std::getenv("PELLMARK_CONFIG"); p && *p) return p;
    // A relative XDG_CONFIG_HOME is to be ignored: it would put the
    // configuration wherever the program happens to be started from.
    std::string base = EnvOr("XDG_CONFIG_HOME", "");
    if (base.empty() || base.front() != '/') base = HomeFolder() + "/.config";
    return base + "/pellmark/pellmark.reg";
}

bool ConfigStore::Load() {
    if (path.empty()) path = DefaultConfigPath();
    user = ConfigTree();
    warning.clear();
    saveBlocked_ = false;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (!fs::exists(status)) return true;
    // Only a plain file is the program's to read, move aside and replace. A
    // device named in place of the file (PELLMARK_CONFIG=/dev/null to run
    // without a configuration) is an empty hive that is never saved; a pipe
    // or a socket is not even opened, since reading it could wait forever.
    if (!fs::is_regular_file(status) && !fs::is_directory(status)) {
        saveBlocked_ = true;
        if (fs::is_character_file(status)) return true;
        warning = "The configuration file " + Shown(path) +
                  " is not a plain file; Pellmark starts with default settings and leaves the file as it is.";
        return false;
    }

    std::string text, why;
    if (!ReadWholeFile(path, text, &why)) {
        saveBlocked_ = true;
        warning = "The configuration file " + Shown(path) + " could not be read (" + Shown(why) +
                  "); Pellmark starts with default settings and leaves the file as it is.";
        return false;
    }
    ConfigTree loaded;
    if (ImportRegedit(loaded, text, &why)) {
        loaded.MarkClean();
        user = std::move(loaded);
        return true;
    }
    const std::string aside = AsideName(path);
    fs::rename(path, aside, ec);
    if (ec) {
        saveBlocked_ = true;
        warning = "The configuration file " + Shown(path) + " could not be read (" + why +
                  ") nor moved aside; Pellmark starts with default settings and leaves the file as it is.";
    } else {
        warning = "The configuration file " + Shown(path) + " could not be read (" + why + "); it was kept as " +
                  Shown(aside) + " and Pellmark starts with default settings.";
    }
    return false;
}

bool ConfigStore::SaveIfChanged(std::string* err) {
    if (path.empty()) path = DefaultConfigPath();
    if (saveBlocked_) {
        if (err)
            *err = "The settings were not saved: the configuration file " + Shown(path) +
                   " could not be read at start and is left as it is.";
        return false;
    }
    if (!user.Dirty()) return true;
    const std::string target = WriteTarget(path);
    const fs::path folder = fs::path(target).parent_path();
    std::error_code ec;
    if (!folder.empty()) fs::create_directories(folder, ec);
    if (ec) {
        if (err) *err = "Cannot create the folder \"" + Shown(folder.string()) + "\": " + ec.message() + ".";
        return false;
    }
    const FolderLock lock(folder);
    // Another copy of the program, or the command-line tool installing a
    // skin, may have written the file since it was loaded: this copy's own
    // changes go over what is there now rather than the whole tree over
    // theirs. A file that is gone or cannot be parsed any more is replaced
    // by this copy's tree.
    std::string onDisk, why;
    ConfigTree merged;
    const bool merge = fs::is_regular_file(target, ec) && ReadWholeFile(target, onDisk, &why) &&
                       ImportRegedit(merged, onDisk, &why);
    if (merge) user.ApplyChangesTo(merged);
    if (!WriteFileAtomic(target, ExportRegedit(merge ? merged : user, ""), &why)) {
        if (err) *err = Shown(why) + ".";
        return false;
    }
    if (merge) user = std::move(merged);
    user.MarkClean();
    return true;
}

}  // namespace pm
