// Throughput of the paragraph, inline mark-up, tidy-up and typography stages
// on generated fixed-width books of 10 and 20 MB.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>

#include "support/TestContext.h"
#include "config/Settings.h"
#include "config/Texts.h"
#include "document/Templates.h"
#include "pipeline/ConversionContext.h"
#include "document/DocValues.h"
#include "pipeline/Stages.h"
#include "pipeline/TextFormat.h"
#include "platform/ScriptedQuestions.h"
#include "platform/StatusSink.h"

namespace {

// Cyrillic words in Windows-1251, lines filled to about 72 characters,
// indented paragraph starts, dialogue, the odd quote, dash, ellipsis,
// underscore word and footnote mark.
pm::LineList MakeBook(size_t bytes) {
    std::mt19937 rng(42);
    pm::LineList l;
    l.Append("<html><head>", pm::kMarkBlock);
    l.Append("<title></title></head><body>", pm::kMarkBlock);
    size_t total = 0;
    std::string line = "   ";
    while (total < bytes) {
        std::string word;
        const int len = 2 + static_cast<int>(rng() % 9);
        for (int k = 0; k < len; ++k) word += static_cast<char>(0xE0 + rng() % 32);
        switch (rng() % 40) {
            case 0: word = "\"" + word + "\""; break;
            case 1: word += " -"; break;
            case 2: word += "..."; break;
            case 3: word = "_" + std::string(1, word[0]) + "_" + word.substr(1) + "_"; break;
            case 4: word += " [1]"; break;
            case 5: word += "."; break;
            default: break;
        }
        if (line.size() + word.size() + 1 > 72) {
            total += line.size() + 2;
            l.Append(line);
            const unsigned kind = rng() % 10;
            line = kind < 2 ? "   " : kind == 2 ? "   - " : "";
            if (kind == 3) l.Append("");
        }
        if (!line.empty() && line.back() != ' ') line += ' ';
        line += word;
    }
    l.Append(line);
    l.Append("</body></html>", pm::kMarkBlock);
    return l;
}

using Clock = std::chrono::steady_clock;

double Run(void (*stage)(pm::ConversionContext&), pm::ConversionContext& ctx) {
    const auto t0 = Clock::now();
    stage(ctx);
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

void Bench(size_t megabytes) {
    pm::test::QuietContext b;
    pm::ApplyTextFormatPreset(b.settings, pm::kPresetFixedWidth);
    pm::ConversionContext& ctx = b.ctx;
    ctx.lines = MakeBook(megabytes << 20);
    const double mb = static_cast<double>(megabytes);
    std::printf("%zu MB book, %zu lines\n", megabytes, ctx.lines.Count());

    struct Step {
        const char* name;
        void (*run)(pm::ConversionContext&);
    };
    const Step steps[] = {
        {"11 underscore italics", pm::StageUnderscoreItalics},
        {"12 bracket superscripts", pm::StageBracketSuperscripts},
        {"13 quotes", pm::StageQuotes},
        {"16 existing paragraphs", pm::StageExistingParagraphs},
        {"17 paragraph creation", pm::StageCreateParagraphs},
        {"18 tidy-up", pm::StageTidyUp},
        {"19 dashes", pm::StageDashes},
        {"20 ellipses", pm::StageEllipses},
    };
    double sum = 0;
    for (const Step& s : steps) {
        const double sec = Run(s.run, ctx);
        sum += sec;
        std::printf("  %-26s %7.3f s  %8.1f MB/s\n", s.name, sec, mb / sec);
    }
    std::printf("  %-26s %7.3f s  %8.1f MB/s, %zu entries left\n", "all", sum, mb / sum, ctx.lines.Count());
}

}  // namespace

int main() {
    Bench(10);
    Bench(20);
    return 0;
}
