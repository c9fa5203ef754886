// End-to-end throughput: load a generated fixed-width book and convert it,
// at 10 MB and 20 MB. Linear stages make the 20 MB run take about twice as
// long as the 10 MB one.
#include <algorithm>
#include <chrono>
#include <map>
#include <vector>
#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchBook.h"
#include "app/TMain.h"
#include "common/AtomicFile.h"

namespace {

// Times each status text: every stage begins by showing its own.
class StageTimes final : public pm::StatusSink {
public:
    void Status(const std::string& text) override {
        const auto now = std::chrono::steady_clock::now();
        if (!current_.empty()) times_[current_] += std::chrono::duration<double>(now - since_).count();
        current_ = text;
        since_ = now;
    }
    void Progress(const std::string&) override {}
    void PrintSlowest() const {
        std::vector<std::pair<double, std::string>> v;
        for (const auto& [k, t] : times_) v.emplace_back(t, k);
        std::sort(v.rbegin(), v.rend());
        for (size_t i = 0; i < v.size() && i < 4; ++i) std::printf("    %6.3f s  %s\n", v[i].first, v[i].second.c_str());
    }

private:
    std::map<std::string, double> times_;
    std::string current_;
    std::chrono::steady_clock::time_point since_;
};

double ConvertSeconds(const std::string& path) {
    pm::ConfigTree tree;
    StageTimes times;
    pm::MainUi ui;
    ui.status = &times;
    pm::TMain main(tree, ui, ".");
    main.Start();
    main.settings.AskAboutLargeFiles = false;
    main.settings.AskAboutTitle = false;
    main.settings.ConfirmToc = false;
    const auto t0 = std::chrono::steady_clock::now();
    main.LoadSrc(path);
    if (!main.HasResult()) main.Convert();
    const auto t1 = std::chrono::steady_clock::now();
    times.Status("");
    times.PrintSlowest();
    main.Shutdown();
    return std::chrono::duration<double>(t1 - t0).count();
}

}  // namespace

int main() {
    const auto dir = std::filesystem::temp_directory_path() / "pellmark-bench";
    std::filesystem::create_directories(dir);
    double previous = 0;
    for (size_t mb : {10, 20}) {
        const std::string path = (dir / ("book-" + std::to_string(mb) + "mb.txt")).string();
        pm::WriteFileAtomic(path, pm::bench::MakeBook(mb << 20));
        const double s = ConvertSeconds(path);
        std::printf("convert %2zu MB: %7.2f s  %7.2f MB/s", mb, s, static_cast<double>(mb) / s);
        if (previous > 0) std::printf("  (x%.2f the 10 MB time)", s / previous);
        std::printf("\n");
        previous = s;
        std::filesystem::remove(path);
    }
    return 0;
}
