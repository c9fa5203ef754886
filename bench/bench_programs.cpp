// The whole program as a user runs it: "pellmark-cli convert" on the 2 MB
// fixed-width book against txt2html (the common Perl text-to-HTML
// converter, when installed) on the same book, and the peak memory of
// converting the 20 MB book against the book's size.
// Each figure is the best of several runs: wall time, and the processor
// time (user + system) that a busy machine does not inflate.
// Usage: bench_programs [RUNS]
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "BenchBook.h"
#include "common/AtomicFile.h"

namespace {

namespace fs = std::filesystem;

struct Run {
    double wall = 1e9, cpu = 1e9;  // seconds
    long peakKb = 0;
    bool ok = true;
};

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

// One run of argv with its output thrown away; the child's own resource use.
Run RunOnce(const std::vector<std::string>& argv) {
    const auto start = std::chrono::steady_clock::now();
    std::fflush(stdout);  // or the child would write what is buffered again
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        ::setenv("PELLMARK_CONFIG", "/nonexistent/bench.reg", 1);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage use{};
    wait4(pid, &status, 0, &use);
    Run r;
    r.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    r.cpu = Seconds(use.ru_utime) + Seconds(use.ru_stime);
    r.peakKb = use.ru_maxrss;
    r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return r;
}

Run Best(const std::vector<std::string>& argv, int runs) {
    Run best;
    for (int i = 0; i < runs; ++i) {
        const Run r = RunOnce(argv);
        if (!r.ok) return r;
        best.wall = std::min(best.wall, r.wall);
        best.cpu = std::min(best.cpu, r.cpu);
        best.peakKb = std::max(best.peakKb, r.peakKb);
    }
    return best;
}

bool Installed(const std::string& program) { return std::system(("command -v " + program + " >/dev/null").c_str()) == 0; }

std::string CliPath() {
    std::error_code ec;
    return (fs::read_symlink("/proc/self/exe", ec).parent_path() / "pellmark-cli").string();
}

std::vector<std::string> PellmarkConvert(const fs::path& in, const fs::path& out) {
    return {CliPath(), "convert", in.string(), "--no-config", "-o", out.string()};
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const fs::path dir = fs::temp_directory_path() / "pellmark-bench-programs";
    fs::create_directories(dir);
    const fs::path book2 = dir / "book-2mb.txt", book20 = dir / "book-20mb.txt";
    pm::WriteFileAtomic(book2.string(), pm::bench::MakeBook(2 << 20));
    pm::WriteFileAtomic(book20.string(), pm::bench::MakeBook(20 << 20));

    const Run pellmark = Best(PellmarkConvert(book2, dir / "pellmark.html"), runs);
    if (!pellmark.ok) {
        std::fprintf(stderr, "pellmark-cli failed on %s\n", book2.c_str());
        return 1;
    }
    std::printf("pellmark-cli, 2 MB book: %6.3f s wall, %6.3f s processor\n", pellmark.wall, pellmark.cpu);
    if (Installed("txt2html")) {
        const Run perl = Best({"txt2html", "--infile", book2.string(), "--outfile", (dir / "txt2html.html").string()},
                              std::max(1, runs / 2));
        std::printf("txt2html,     2 MB book: %6.3f s wall, %6.3f s processor\n", perl.wall, perl.cpu);
        std::printf("pellmark-cli is %.1fx as fast by wall time, %.1fx by processor time\n", perl.wall / pellmark.wall,
                    perl.cpu / pellmark.cpu);
    } else {
        std::printf("txt2html is not installed: no ratio\n");
    }

    const Run big = Best(PellmarkConvert(book20, dir / "pellmark-20.html"), 1);
    const double bookKb = static_cast<double>(fs::file_size(book20)) / 1024.0;
    std::printf("pellmark-cli, 20 MB book: peak memory %ld KB, %.2fx the book\n", big.peakKb,
                static_cast<double>(big.peakKb) / bookKb);
    fs::remove_all(dir);
    return big.ok ? 0 : 1;
}
