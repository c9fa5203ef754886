// A whole library at once: 1,000 small books (the sample books of the
// tests in their three code pages, KOI8-R, DOS 866 and Windows-1251, each
// copy a little different) converted by one "pellmark-cli convert" at -j 1
// and at -j 2, and the speed-up between them. The books are the samples as
// they are (2-3 KB) unless KB asks for books of that many kilobytes.
//
// For comparison, the same books as two halves converted at once by two
// separate programs at -j 1: what two cores give without any sharing,
// each program paying its own start.
//
// The runs alternate (-j 1, -j 2, halves, -j 1, ...) so that a change in the
// machine's load touches both alike; the speed-up is taken run pair by run
// pair and its median printed, with the minimum and the median of each
// side. Every run writes into a folder of its own and the folders are
// removed only at the end: deleting a thousand files just before a run
// slows the file creation of the next one on some file systems (ext4
// without a journal passes over recently freed inodes for minutes, so a
// second benchmark on the same disk soon after the first reads low). The
// folder is made under TMPDIR: TMPDIR=/dev/shm measures without the disk.
// The load average before and after is printed, since other work on the
// machine takes the second core away. The books of both sides are compared
// byte for byte.
// Usage: bench_library [BOOKS] [KB] [html|epub|txt] [ROUNDS]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/AtomicFile.h"

namespace {

namespace fs = std::filesystem;

// pellmark-cli is built beside the benchmarks.
std::string CliPath() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return (self.parent_path() / "pellmark-cli").string();
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string one, five, fifteen;
    in >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

std::string Command(const std::string& cli, const fs::path& in, const fs::path& out, int jobs,
                    const std::string& format) {
    return "PELLMARK_CONFIG=/nonexistent/bench.reg '" + cli + "' convert '" + in.string() + "' --no-config --format " +
           format + " -j " + std::to_string(jobs) + " -O '" + out.string() + "' 2>/dev/null";
}

// Seconds of wall time one shell command takes; the benchmark stops when
// it fails.
double Time(const std::string& cmd) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(cmd.c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "conversion failed: %s\n", cmd.c_str());
        std::exit(1);
    }
    return seconds;
}

// Seconds of wall time one conversion of the folder takes.
double Run(const std::string& cli, const fs::path& in, const fs::path& out, int jobs, const std::string& format) {
    return Time(Command(cli, in, out, jobs, format));
}

// Seconds of wall time two programs take converting a half each at once.
double RunHalves(const std::string& cli, const fs::path& root, const std::string& out, const std::string& format) {
    return Time("(" + Command(cli, root / "half0", root / (out + "a"), 1, format) + ") & " +
                Command(cli, root / "half1", root / (out + "b"), 1, format) + "; wait");
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

// False when the two folders do not hold the same files with the same bytes.
bool SameBooks(const fs::path& a, const fs::path& b) {
    size_t count = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(a)) {
        std::string x, y;
        if (!pm::ReadWholeFile(e.path().string(), x) || !pm::ReadWholeFile((b / e.path().filename()).string(), y) ||
            x != y)
            return false;
        ++count;
    }
    return count == static_cast<size_t>(std::distance(fs::directory_iterator(b), fs::directory_iterator()));
}

}  // namespace

int main(int argc, char** argv) {
    const int books = argc > 1 ? std::atoi(argv[1]) : 1000;
    const size_t kilobytes = argc > 2 ? static_cast<size_t>(std::atoi(argv[2])) : 0;
    const std::string format = argc > 3 ? argv[3] : "html";
    const int rounds = std::max(1, argc > 4 ? std::atoi(argv[4]) : 5);
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
        const std::string name = "book" + std::to_string(n) + ".txt";
        pm::WriteFileAtomic((in / name).string(), book);
        const fs::path half = root / ("half" + std::to_string(n % 2));
        fs::create_directories(half);
        fs::create_hard_link(in / name, half / name);
    }
    const std::string cli = CliPath();
    const std::string loadBefore = LoadAverage();
    Run(cli, in, root / "warm", 2, format);  // file cache and page faults
    std::vector<double> one, two, halves, ratio;
    for (int round = 0; round < rounds; ++round) {
        const std::string n = std::to_string(round);
        one.push_back(Run(cli, in, root / ("one" + n), 1, format));
        two.push_back(Run(cli, in, root / ("two" + n), 2, format));
        halves.push_back(RunHalves(cli, root, "halves" + n, format));
        ratio.push_back(one.back() / two.back());
    }
    const bool same = SameBooks(root / "one0", root / "two0");
    std::printf("%d books (%.1f MB, three code pages) to %s, %d rounds, load %s -> %s\n", books,
                static_cast<double>(bytes) / 1e6, format.c_str(), rounds, loadBefore.c_str(), LoadAverage().c_str());
    std::printf("  -j 1: min %.3f s, median %.3f s\n", Min(one), Median(one));
    std::printf("  -j 2: min %.3f s, median %.3f s\n", Min(two), Median(two));
    std::printf("  two programs, half each: min %.3f s, median %.3f s (%.2fx of -j 1 by the medians)\n", Min(halves),
                Median(halves), Median(one) / Median(halves));
    std::printf("  -j1/-j2: median of pairs %.2fx, min %.2fx, of the minimums %.2fx\n", Median(ratio), Min(ratio),
                Min(one) / Min(two));
    std::printf("  books of -j 1 and -j 2 %s\n", same ? "identical" : "DIFFER");
    fs::remove_all(root);
    return same ? 0 : 1;
}
