// Runs pellmark-cli as a user would and captures what it prints; the
// fixture of the tests that run it on files of their own.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/TempFolder.h"

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

// A scratch folder of the test's own for the files the program reads and
// writes, removed at the end.
class CliScratch : public ::testing::Test {
protected:
    TempFolder folder{"pellmark-cli"};
    std::filesystem::path dir = folder.path();

    // Writes a file of those bytes into the scratch folder; its path.
    std::string Write(const std::string& name, const std::string& bytes) const { return folder.Write(name, bytes); }
    // Converts in, without the user's configuration, to the file out.
    static CliResult ConvertTo(const std::string& in, const std::string& out) {
        return RunCli("convert " + ShellQuote(in) + " --no-config -o " + ShellQuote(out));
    }
};

// Runs pellmark-cli with its standard error on a pseudo-terminal (standard
// input and output on /dev/null) and returns all it wrote there, as the
// terminal received it. code gets the exit status.
inline std::string RunCliOnTerminal(const std::vector<std::string>& args, int& code) {
    code = -1;
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return {};
    const std::string slaveName = ::ptsname(master);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setsid();
        const int slave = ::open(slaveName.c_str(), O_RDWR);
        const int null = ::open("/dev/null", O_RDWR);
        if (slave < 0 || null < 0) ::_exit(127);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(slave, 2);
        ::setenv("PELLMARK_CONFIG", "/nonexistent/pellmark-test.reg", 1);
        std::vector<char*> argv{const_cast<char*>(PM_CLI)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(PM_CLI, argv.data());
        ::_exit(127);
    }
    std::string got;
    std::array<char, 4096> buf{};
    for (;;) {
        const ssize_t n = ::read(master, buf.data(), buf.size());
        if (n > 0) got.append(buf.data(), static_cast<size_t>(n));
        else if (n < 0 && errno == EINTR) continue;
        else break;  // EIO: the program has closed the terminal
    }
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) code = WEXITSTATUS(status);
    ::close(master);
    return got;
}

// The lines a terminal shows after receiving bytes: CR returns to the line's
// start, LF moves down, ESC [ K erases to the end of the line, other text
// overwrites in place.
inline std::vector<std::string> ScreenLines(const std::string& bytes) {
    std::vector<std::string> lines(1);
    size_t col = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        std::string& line = lines.back();
        if (c == '\r') {
            col = 0;
        } else if (c == '\n') {
            lines.emplace_back();
            col = 0;
        } else if (c == '\033' && bytes.compare(i, 3, "\033[K") == 0) {
            line.resize(std::min(line.size(), col));
            i += 2;
        } else {
            if (col < line.size()) line[col] = c;
            else line.push_back(c);
            ++col;
        }
    }
    if (lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace pm::test
