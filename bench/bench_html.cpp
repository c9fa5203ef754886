// Throughput of the HTML intake stages (tokenising, document frame, mark-up
// removal) on large books, including the shapes that could make the
// tokeniser rescan its pending text: a stray "<" with no ">" after it, and a
// comment that never closes.
#include <chrono>
#include <cstdio>
#include <string>

#include "pipeline/Stages.h"
#include "platform/ScriptedQuestions.h"

namespace {

using namespace pm;

enum class Shape { Html, StrayLessThan, UnclosedComment };

LineList MakeBook(size_t bytes, Shape shape) {
    static const std::string kText = "\xDD\xF2\xEE \xF2\xE5\xEA\xF1\xF2 \xEA\xED\xE8\xE3\xE8, some words and more words";
    LineList book;
    book.Append("<html><head><title>Bench</title></head><body bgcolor=white>");
    size_t total = 0;
    for (size_t n = 0; total < bytes; ++n) {
        std::string line;
        if (n == 3 && shape == Shape::StrayLessThan) line = "if a < b then";
        else if (n == 3 && shape == Shape::UnclosedComment) line = "<!-- never closed";
        else if (shape == Shape::StrayLessThan) line = kText + " " + std::to_string(n);
        else line = "<p class=x>" + kText + " <i>it</i> <font color=red>" + std::to_string(n) + "</font></p>";
        total += line.size() + 2;
        book.Append(std::move(line));
    }
    book.Append("</body></html>");
    return book;
}

double RunStages(const LineList& book, ConversionContext& ctx) {
    const auto t0 = std::chrono::steady_clock::now();
    ctx.longTagWarned = false;
    ctx.lines = StageTokenise(book, ctx);
    StageDocumentFrame(ctx);
    StageRemoveFormsScripts(ctx);
    StageRemoveImages(ctx);
    StageRemoveLinks(ctx);
    StageRemovePre(ctx);
    StageRemoveSpan(ctx);
    StageRemoveFont(ctx);
    StageRemoveStyles(ctx);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main() {
    Settings settings;
    settings.KillFontTags = true;
    DocValues doc;
    Templates templates;
    Texts texts;
    NullStatusSink status;
    ScriptedQuestions questions;
    OutputFiles files;
    ConversionContext ctx(settings, doc, templates, texts, status, questions, files);

    const struct {
        const char* name;
        Shape shape;
    } shapes[] = {{"html", Shape::Html}, {"stray <", Shape::StrayLessThan}, {"unclosed <!--", Shape::UnclosedComment}};
    for (size_t mb : {10, 20}) {
        for (const auto& s : shapes) {
            const LineList book = MakeBook(mb << 20, s.shape);
            const double secs = RunStages(book, ctx);
            std::printf("stages 1-10, %2zu MB %-14s %7.3f s %8.1f MB/s  (%zu entries)\n", mb, s.name, secs,
                        static_cast<double>(mb) / secs, ctx.lines.Count());
        }
    }
    return 0;
}
