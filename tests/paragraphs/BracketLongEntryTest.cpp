// Bracketed superscripts on long entries: the stage edits entries in a gap
// buffer; the plain string scan below is what it must keep giving.
#include <gtest/gtest.h>

#include <random>

#include "common/Format.h"
#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

// ---- the straightforward form of the stage, on plain strings

size_t ReferenceClosingEntry(const LineList& l, size_t r, size_t openAt, char c) {
    if (l.Text(r).find(c, openAt + 1) != std::string::npos) return r;
    for (size_t i = r + 1; i <= r + 6 && i + 1 < l.Count(); ++i)
        if (l.Text(i).find(c) != std::string::npos) return i;
    return std::string::npos;
}

bool ReferenceBracket(ConversionContext& ctx, size_t r, char o, char c, size_t& from, size_t& other, int& footnote,
                      size_t& budget) {
    LineList& l = ctx.lines;
    const size_t openAt = l.Text(r).find(o, from);
    if (openAt == std::string::npos || budget == 0) return false;
    const size_t closing = ReferenceClosingEntry(l, r, openAt, c);
    if (closing == std::string::npos) return false;
    --budget;
    std::string copy = l.Text(closing);
    copy.replace(copy.find(c, closing == r ? openAt + 1 : 0), 1, ctx.templates.Get("Footnote close"));
    if (closing == r) {
        l.SetText(r, std::move(copy));
    } else {
        for (size_t i = r + 1; i < closing; ++i) {
            l.MutableText(r) += l.Text(r + 1);
            l.Delete(r + 1);
        }
        l.MutableText(r) += copy;
        l.Delete(r + 1);
    }
    std::string& s = l.MutableText(r);
    size_t q = openAt;
    s.erase(q, 1);
    while (q < s.size() && s[q] == ' ') s.erase(q, 1);
    while (q > 0 && s[q - 1] == ' ') s.erase(--q, 1);
    const std::string open = FormatTemplate(ctx.templates.Get("Footnote open"), {static_cast<int64_t>(footnote++)});
    s.insert(q, open);
    from = q + open.size();
    if (other > q) other = q;
    return true;
}

void ReferenceStage(ConversionContext& ctx) {
    LineList& l = ctx.lines;
    size_t budget = 0;
    for (size_t i = 0; i < l.Count(); ++i)
        for (char ch : l.Text(i)) budget += (ch == '[' || ch == '{');
    int footnote = 1;
    for (size_t r = 3; r + 2 < l.Count(); ++r) {
        size_t sq = 0, cu = 0;
        while (ReferenceBracket(ctx, r, '[', ']', sq, cu, footnote, budget) ||
               ReferenceBracket(ctx, r, '{', '}', cu, sq, footnote, budget)) {
        }
    }
}

// ---- random books

std::string RandomEntry(std::mt19937& rng) {
    static const char* pieces[] = {"[", "]", "{", "}", " ", "  ", "a", "word", "12", "[3]", "{x}", "]["};
    std::uniform_int_distribution<int> len(0, 12), pick(0, 11);
    std::string s;
    for (int n = len(rng); n > 0; --n) s += pieces[pick(rng)];
    return s;
}

TEST(BracketLongEntries, MatchTheStraightforwardScanOnRandomBooks) {
    std::mt19937 rng(12345);
    const char* openTemplates[] = {"&nbsp;<SUP>", "<sup n=\"%d\">", "[%d]", "{"};
    const char* closeTemplates[] = {"</SUP>", "]", "}", ""};
    for (int round = 0; round < 4000; ++round) {
        test::TestContext a, b;
        const int t = round % 4;
        for (auto* c : {&a, &b}) {
            c->templates.Set("Footnote open", openTemplates[t]);
            c->templates.Set("Footnote close", closeTemplates[(round / 4) % 4]);
        }
        std::uniform_int_distribution<int> count(3, 14);
        for (int n = count(rng); n > 0; --n) {
            const std::string e = RandomEntry(rng);
            a.ctx.lines.Append(e);
            b.ctx.lines.Append(e);
        }
        StageBracketSuperscripts(a.ctx);
        ReferenceStage(b.ctx);
        ASSERT_EQ(a.LineTexts(), b.LineTexts()) << "round " << round;
    }
}

TEST(BracketLongEntries, OneLongEntryWithManyMarks) {
    std::string line;
    for (int i = 0; i < 40000; ++i) line += "text [" + std::to_string(i) + "] more ";
    test::TestContext a, b;
    for (auto* c : {&a, &b}) c->SetLines({{"head", 100}, {"title", 100}, {"x", 0}, {line, 0}, {"y", 0}, {"tail", 100}});
    StageBracketSuperscripts(a.ctx);
    ASSERT_EQ(a.ctx.lines.Count(), 6u);
    const std::string& out = a.ctx.lines.Text(3);
    EXPECT_EQ(out.find('['), std::string::npos);
    EXPECT_NE(out.find("text&nbsp;<SUP>0</SUP> more"), std::string::npos);
    EXPECT_NE(out.find("&nbsp;<SUP>39999</SUP>"), std::string::npos);
}

}  // namespace
}  // namespace pm
