// A scratch folder for the XML tests.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/Files.h"

namespace pm::test {

class XmlScratch {
public:
    XmlScratch() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "pm-xml-XXXXXX").string();
        path_ = ::mkdtemp(tmpl.data());
    }
    ~XmlScratch() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    XmlScratch(const XmlScratch&) = delete;
    XmlScratch& operator=(const XmlScratch&) = delete;

    // Writes a file and returns its path.
    std::string Put(const std::string& name, const std::string& bytes) const {
        Spit(path_ / name, bytes);
        return (path_ / name).string();
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

}  // namespace pm::test
