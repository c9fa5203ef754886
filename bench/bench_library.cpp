// A whole library at once: 1,000 small books (the sample books of the
// tests in their three code pages, each copy a little different) converted
// by one "pellmark-cli convert" at -j 1 and at -j 2, and the speed-up between
// them. The books are the samples repeated up to KB kilobytes (32 by
// default; 0 takes the samples as they are, 2-3 KB, where writing the files
// costs more than converting them).
// Usage: bench_library [BOOKS] [KB] [html|epub]
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/AtomicFile.h"

namespace {

namespace fs = std::filesystem;

// pellmark-cli is built beside the benchmarks.
std::string CliPath() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return (self.parent_path() / "pellmark-cli").string();
}

// Seconds of wall time one conversion of the folder takes.
double Run(const std::string& cli, const std::string& in, const std::string& out, int jobs, const std::string& format) {
    fs::remove_all(out);
    const std::string cmd = "PELLMARK_CONFIG=/nonexistent/bench.reg '" + cli + "' convert '" + in +
                            "' --no-config --format " + format + " -j " + std::to_string(jobs) + " -O '" + out +
                            "' 2>/dev/null";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(cmd.c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "conversion failed: %s\n", cmd.c_str());
        std::exit(1);
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    const int books = argc > 1 ? std::atoi(argv[1]) : 1000;
    const size_t kilobytes = argc > 2 ? static_cast<size_t>(std::atoi(argv[2])) : 32;
    const std::string format = argc > 3 ? argv[3] : "html";
    const fs::path data = fs::path(PM_BENCH_DATA);
    std::string samples[3];
    const char* names[3] = {"koi8.txt", "dos866.txt", "russian-book.txt"};
    for (int i = 0; i < 3; ++i)
        if (!pm::ReadWholeFile((data / names[i]).string(), samples[i])) {
            std::fprintf(stderr, "cannot read %s\n", (data / names[i]).c_str());
            return 1;
        }

    std::string tmpl = (fs::temp_directory_path() / "pm-bench-library-XXXXXX").string();
    const fs::path root = ::mkdtemp(tmpl.data());
    const fs::path in = root / "books";
    fs::create_directories(in);
    uintmax_t bytes = 0;
    for (int n = 0; n < books; ++n) {
        // A line of its own makes every book a different one.
        std::string book = samples[n % 3];
        while (book.size() < kilobytes * 1024) book += "\r\n\r\n" + samples[n % 3];
        book += "\r\n\r\n" + std::to_string(n) + "\r\n";
        bytes += book.size();
        pm::WriteFileAtomic((in / ("book" + std::to_string(n) + ".txt")).string(), book);
    }
    const std::string cli = CliPath();
    Run(cli, in.string(), (root / "warm").string(), 2, format);  // file cache and page faults
    double one = 1e9, two = 1e9;
    for (int round = 0; round < 3; ++round) {
        one = std::min(one, Run(cli, in.string(), (root / "one").string(), 1, format));
        two = std::min(two, Run(cli, in.string(), (root / "two").string(), 2, format));
    }
    std::printf("%d books (%.1f MB) to %s: -j 1 %.2f s, -j 2 %.2f s, speed-up %.2fx (best of 3)\n", books,
                static_cast<double>(bytes) / 1e6, format.c_str(), one, two, one / two);
    fs::remove_all(root);
    return 0;
}
