// Rule speed: typical user rules over a 20 MB Windows-1251 book, one at a
// time and as the last conversion stage (join, rules, split).
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "support/TestContext.h"
#include "common/Cp1251.h"
#include "pipeline/Stages.h"
#include "platform/ScriptedQuestions.h"
#include "regexlists/RegExprList.h"
#include "regexlists/RegexApply.h"

namespace {

std::string W(const char* utf8) { return pm::cp1251::FromUtf8(utf8); }

// An HTML-like book: paragraphs with bold words, a chapter line now and then.
std::string MakeBook(size_t bytes) {
    const std::string para = W("<p>  Ходили мы с отцом на <b>реку</b> каждую осень, когда листья "
                               "становились <b>жёлтыми</b>. Ёлки стояли тихо.</p>\r\n");
    const std::string chapter = W("Глава 12\r\n");
    std::string book;
    book.reserve(bytes + para.size());
    for (size_t n = 0; book.size() < bytes; ++n) book += n % 50 == 0 ? chapter : para;
    return book;
}

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
    const std::string book = MakeBook(20u << 20);
    const std::vector<pm::RegexRule> rules = {
        {"bold", "<b>(.*)</b>", "<strong>$1</strong>"},
        {"leading spaces", "^<p>\\s+", "<p>"},
        {"chapter", W("(?i)^глава\\s+(\\d+)"), "<h2>$0</h2>"},
        {"capitalised", W("(?g)\\b[А-Я][а-я]+\\b"), "<em>$0</em>"},
        {"no match", "x[0-9]+y", "z"},
    };
    std::printf("book: %zu bytes\n", book.size());
    for (const auto& r : rules) {
        const auto start = std::chrono::steady_clock::now();
        const pm::rx::RegexOutcome out = pm::rx::TryApplyRegex(r.search, r.replace, book);
        std::printf("%-16s %6.2f s  %s, %zu bytes out\n", r.name.c_str(), Seconds(start), out.ok ? "ok" : "FAILED",
                    out.text.size());
    }

    pm::RegexRuleLists lists;
    for (const auto& r : rules) lists.Add(r);
    for (size_t i = 0; i < rules.size(); ++i) lists.SetChecked(pm::RuleList::Html, i, true);
    pm::test::QuietContext b;
    pm::ConversionContext& ctx = b.ctx;
    ctx.rules = &lists;
    ctx.lines = pm::LineList::FromText(book);
    const size_t entries = ctx.lines.Count();
    const auto start = std::chrono::steady_clock::now();
    pm::StageUserRegex(ctx);
    std::printf("stage, %zu rules  %6.2f s  %zu entries in, %zu out\n", rules.size(), Seconds(start), entries,
                ctx.lines.Count());
    return 0;
}
