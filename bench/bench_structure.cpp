// Header, epigraph, header-rule and table-of-contents stages on generated
// books of 10 MB and 20 MB, single-file and split. Linear stages make the
// 20 MB figures about twice the 10 MB ones.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "support/TestContext.h"
#include "pipeline/Stages.h"
#include "platform/ScriptedQuestions.h"

namespace {

// Frame entries around chapters of fixed-width lines, each chapter with a
// two-line epigraph and its author.
pm::LineList MakeBook(size_t bytes) {
    pm::LineList l;
    l.Append("<html><head>", pm::kMarkBlock);
    l.Append("<title>x</title></head><body>", pm::kMarkBlock);
    size_t size = 0, chapter = 0;
    const std::string text = "     \xF2\xE8\xF5\xEE \xEF\xF0\xE8\xF8\xB8\xEB \xE4\xEE\xEC\xEE\xE9 "
                             "\xE2\xE5\xF7\xE5\xF0\xEE\xEC, \xE8 \xF0\xE5\xEA\xE0 \xF8\xF3\xEC\xE5\xEB\xE0 "
                             "\xE7\xE0 \xEE\xEA\xED\xEE\xEC.";
    while (size < bytes) {
        for (const char* s : {"", "", "\xC3\xEB\xE0\xE2\xE0", "", "          Short line of verse,",
                              "          and another one.", "", "                    N. Author"})
            l.Append(s);
        l.MutableText(l.Count() - 6) += " " + std::to_string(++chapter);
        for (int n = 0; n < 300; ++n, size += text.size() + 2) l.Append(n % 9 == 0 ? "     - " + text : text);
    }
    l.Append("</body></html>", pm::kMarkBlock);
    return l;
}

struct Times {
    double headers = 0, epigraphs = 0, rules = 0, toc = 0;
    size_t headerCount = 0, epigraphCount = 0, files = 0;
};

size_t CountStarting(const pm::LineList& l, const std::string& prefix) {
    size_t n = 0;
    for (size_t i = 0; i < l.Count(); ++i) n += l.Text(i).rfind(prefix, 0) == 0;
    return n;
}

template <class F>
double Seconds(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

Times Run(size_t mb, bool split, const std::filesystem::path& dir) {
    pm::test::QuietContext b;
    b.settings.DetectEpigraphs = true;
    b.settings.ConfirmToc = false;
    b.settings.BreakTextApartByToc = split;
    b.doc.title = b.doc.shortTitle = "Bench";
    b.files.previewFile = (dir / "preview.html").string();
    pm::ConversionContext& ctx = b.ctx;
    ctx.lines = MakeBook(mb << 20);
    Times t;
    t.headers = Seconds([&] { pm::StageDetectHeaders(ctx); });
    t.epigraphs = Seconds([&] { pm::StageDetectEpigraphs(ctx); });
    t.headerCount = CountStarting(ctx.lines, b.settings.HeadStartTag);
    t.epigraphCount = CountStarting(ctx.lines, b.settings.OpenEpigraph);
    t.rules = Seconds([&] { pm::StageHeaderRules(ctx); });
    t.toc = Seconds([&] { pm::StageTableOfContents(ctx); });
    t.files = b.files.partFiles.size();
    return t;
}

}  // namespace

int main() {
    const auto dir = std::filesystem::temp_directory_path() / "pellmark-bench-structure";
    for (bool split : {false, true}) {
        for (size_t mb : {10, 20}) {
            std::filesystem::remove_all(dir);
            std::filesystem::create_directories(dir);
            const Times t = Run(mb, split, dir);
            std::printf("%2zu MB %-6s headers %.3f s  epigraphs %.3f s  rules %.3f s  toc %.3f s"
                        "  (%zu headers, %zu epigraphs, %zu files)\n",
                        mb, split ? "split" : "single", t.headers, t.epigraphs, t.rules, t.toc, t.headerCount,
                        t.epigraphCount, t.files);
        }
    }
    std::filesystem::remove_all(dir);
    return 0;
}
