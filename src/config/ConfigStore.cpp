#include "config/ConfigStore.h"

#include <pwd.h>
#include <unistd.h>

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

// File names reach messages in the working code page.
std::string Shown(const std::string& fileName) { return cp1251::FromUtf8(fileName); }

}  // namespace

std::string DefaultConfigPath() {
    if (const char* p = std::getenv("PELLMARK_CONFIG"); p && *p) return p;
    const std::string base = EnvOr("XDG_CONFIG_HOME", HomeFolder() + "/.config");
    return base + "/pellmark/pellmark.reg";
}

bool ConfigStore::Load() {
    if (path.empty()) path = DefaultConfigPath();
    user = ConfigTree();
    warning.clear();
    saveBlocked_ = false;
    std::error_code ec;
    if (!fs::exists(path, ec)) return true;

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
    std::string why;
    if (!WriteFileAtomic(target, ExportRegedit(user, ""), &why)) {
        if (err) *err = Shown(why) + ".";
        return false;
    }
    user.MarkClean();
    return true;
}

}  // namespace pm
