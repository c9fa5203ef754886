// Helpers of the shell tests: a temporary folder, and a program that writes
// the arguments it was started with into a file, one per line.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/Files.h"

namespace pm::test {

class TempFolder {
public:
    TempFolder() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "pm-shell-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A script that records its arguments in `record`, then renames the file
// into place so a reader never sees half of it.
inline std::string ArgumentRecorder(const TempFolder& dir, const std::string& record) {
    const std::string script = dir / "record-args";
    Spit(script, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + record + ".part\"\nmv \"" +
                     record + ".part\" \"" + record + "\"\n");
    chmod(script.c_str(), 0755);
    return script;
}

// The recorded arguments; waits for the detached program to write them.
inline std::vector<std::string> RecordedArguments(const std::string& record) {
    for (int i = 0; i < 1000 && !std::filesystem::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::vector<std::string> lines;
    std::string text = Slurp(record);
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    return lines;
}

}  // namespace pm::test
