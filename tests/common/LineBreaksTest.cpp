#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/LineBreaks.h"

namespace pm {
namespace {

struct Broken {
    std::vector<std::string> lines;
    std::string rest;
};

Broken Break(std::string_view text) {
    Broken b;
    b.rest = std::string(text::ForEachLineBreak(text, [&b](std::string_view l) { b.lines.emplace_back(l); }));
    return b;
}

TEST(LineBreaks, EveryKindOfBreakEndsOneLine) {
    const Broken b = Break("a\r\nb\rc\nd");
    EXPECT_EQ(b.lines, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(b.rest, "d");
    // LF then CR is two breaks; CR CR LF is a CR and then a CR LF.
    EXPECT_EQ(Break("\n\r").lines, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(Break("x\r\r\ny").lines, (std::vector<std::string>{"x", ""}));
    EXPECT_EQ(Break("x\r\r\ny").rest, "y");
}

TEST(LineBreaks, TextAfterTheLastBreakIsTheRest) {
    EXPECT_TRUE(Break("").lines.empty());
    EXPECT_EQ(Break("").rest, "");
    EXPECT_EQ(Break("no break").rest, "no break");
    const Broken ended = Break("one\r\n");
    EXPECT_EQ(ended.lines, (std::vector<std::string>{"one"}));
    EXPECT_EQ(ended.rest, "");
    // A CR at the very end has no LF to pair with.
    EXPECT_EQ(Break("one\r").lines, (std::vector<std::string>{"one"}));
}

TEST(LineBreaks, OnlyOneKindOfBreakInALongText) {
    std::string lf, cr;
    for (int i = 0; i < 1000; ++i) {
        lf += std::to_string(i) + "\n";
        cr += std::to_string(i) + "\r";
    }
    const Broken a = Break(lf), b = Break(cr);
    ASSERT_EQ(a.lines.size(), 1000u);
    EXPECT_EQ(a.lines, b.lines);
    EXPECT_EQ(a.lines[999], "999");
}

}  // namespace
}  // namespace pm
