#include "shell/Launch.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/Concat.h"

extern char** environ;

namespace pm::shell {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Inside double quotes a backslash escapes only these.
bool EscapableInDoubleQuotes(char c) { return c == '"' || c == '\\' || c == '$' || c == '`'; }

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::vector<char*> ArgumentVector(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.reserve(args.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

std::string NotStarted(const std::string& program, int err) {
    return Concat({"The program \"", program, "\" could not be started: ", std::strerror(err), "."});
}

}  // namespace

std::vector<std::string> SplitArguments(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;  // a word has begun (it may still be empty: "")
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (IsBlank(c)) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            ++i;
            continue;
        }
        inWord = true;
        if (c == '\'') {
            const size_t close = line.find('\'', i + 1);
            const size_t end = close == std::string_view::npos ? line.size() : close;
            word.append(line.substr(i + 1, end - i - 1));
            i = close == std::string_view::npos ? line.size() : close + 1;
        } else if (c == '"') {
            for (++i; i < line.size() && line[i] != '"'; ++i) {
                if (line[i] == '\\' && i + 1 < line.size() && EscapableInDoubleQuotes(line[i + 1])) ++i;
                word += line[i];
            }
            ++i;  // the closing quote (or past the end)
        } else if (c == '\\' && i + 1 < line.size()) {
            word += line[i + 1];
            i += 2;
        } else {
            word += c;
            ++i;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

std::string FindProgram(const std::string& program) {
    if (program.empty()) return {};
    if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : std::string();
    const char* env = std::getenv("PATH");
    const std::string path = env && *env ? env : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        const std::string dir = end > start ? path.substr(start, end - start) : ".";
        const std::string candidate = Concat({dir, "/", program});
        if (IsExecutableFile(candidate)) return candidate;
        start = end + 1;
    }
    return {};
}

bool StartDetached(const std::string& program, const std::vector<std::string>& args, std::string* error) {
    const std::string file = FindProgram(program);
    if (file.empty()) {
        if (error) *error = NotStarted(program, ENOENT);
        return false;
    }
    // Everything the children need is prepared here: after fork() in a
    // process with threads only async-signal-safe calls are allowed.
    std::vector<char*> argv = ArgumentVector(program, args);
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        if (error) *error = NotStarted(program, errno);
        return false;
    }
    const pid_t middle = fork();
    if (middle < 0) {
        const int err = errno;
        close(report[0]);
        close(report[1]);
        if (error) *error = NotStarted(program, err);
        return false;
    }
    if (middle == 0) {
        // The middle child makes a new session and leaves at once, so the
        // program is nobody's child here and never becomes a zombie.
        close(report[0]);
        setsid();
        const pid_t tool = fork();
        if (tool == 0) {
            const int devNull = open("/dev/null", O_RDONLY);
            if (devNull >= 0) {
                dup2(devNull, STDIN_FILENO);
                if (devNull != STDIN_FILENO) close(devNull);
            }
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            struct sigaction dfl {};
            dfl.sa_handler = SIG_DFL;
            sigaction(SIGPIPE, &dfl, nullptr);
            execve(file.c_str(), argv.data(), environ);
            const int err = errno;  // exec failed
            [[maybe_unused]] const ssize_t n = write(report[1], &err, sizeof err);
            _exit(127);
        }
        if (tool < 0) {
            const int err = errno;
            [[maybe_unused]] const ssize_t n = write(report[1], &err, sizeof err);
        }
        _exit(0);
    }
    close(report[1]);
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    // Closed without a word when exec succeeded (close-on-exec).
    int err = 0;
    ssize_t got;
    do {
        got = read(report[0], &err, sizeof err);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got == static_cast<ssize_t>(sizeof err)) {
        if (error) *error = NotStarted(program, err);
        return false;
    }
    return true;
}

bool RunAndWait(const std::string& program, const std::vector<std::string>& args) {
    const std::string file = FindProgram(program);
    if (file.empty()) return false;
    std::vector<char*> argv = ArgumentVector(program, args);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, file.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace pm::shell
