// Runs pellmark-cli as a user would and captures what it prints.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

namespace pm::test {

struct CliResult {
    int code = -1;
    std::string out;  // standard output (standard error is in err)
    std::string err;
};

inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// args is appended to the program as it stands (quote it with ShellQuote).
inline CliResult RunCli(const std::string& args, const std::string& env = "PELLMARK_CONFIG=/nonexistent/pellmark-test.reg") {
    static int n = 0;
    const std::string errFile = "/tmp/pellmark-cli-test-" + std::to_string(::getpid()) + "-" + std::to_string(n++) + ".err";
    const std::string cmd = env + " " + PM_CLI + std::string(" ") + args + " 2>" + errFile;
    CliResult r;
    FILE* p = ::popen(cmd.c_str(), "r");
    if (!p) return r;
    std::array<char, 65536> buf{};
    size_t got = 0;
    while ((got = std::fread(buf.data(), 1, buf.size(), p)) > 0) r.out.append(buf.data(), got);
    const int status = ::pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (FILE* e = std::fopen(errFile.c_str(), "rb")) {
        while ((got = std::fread(buf.data(), 1, buf.size(), e)) > 0) r.err.append(buf.data(), got);
        std::fclose(e);
    }
    std::remove(errFile.c_str());
    return r;
}

}  // namespace pm::test
