// A fresh folder of a test's own under the system temporary folder, for the
// books and files it writes; removed with its contents at the end, its
// write permission given back first for the tests that take it away.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "support/Files.h"

namespace pm::test {

class TempFolder {
public:
    explicit TempFolder(const std::string& tag = "pm-test") {
        std::string tmpl = (std::filesystem::temp_directory_path() / (tag + "-XXXXXX")).string();
        path_ = ::mkdtemp(tmpl.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

    // Writes a file of those bytes into the folder; its path.
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string p = *this / name;
        Spit(p, bytes);
        return p;
    }

private:
    std::filesystem::path path_;
};

}  // namespace pm::test
