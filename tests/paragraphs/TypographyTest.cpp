#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

// Six untouched entries, then the line under test at index 6.
void SetWithLine(test::TestContext& t, const std::string& line, int mark = 0) {
    t.SetLines({{"0 \"a\" - b...", 100}, {"1", 100}, {"2", 0}, {"3 \"q\"", 0}, {"4", 0}, {"5...", 0},
                {line, mark}, {"tail", 100}});
}

std::string Quotes(const std::string& line, int mark = 0) {
    test::TestContext t;
    SetWithLine(t, line, mark);
    StageQuotes(t.ctx);
    EXPECT_EQ(t.LineTexts()[3], "3 \"q\"");
    return t.LineTexts()[6];
}

TEST(Quotes, OpeningAndClosingGuillemets) {
    EXPECT_EQ(Quotes("\"Whole line\""), "\xABWhole line\xBB");
    EXPECT_EQ(Quotes("He said \"yes\", and \"no\"."), "He said \xAByes\xBB, and \xABno\xBB.");
    EXPECT_EQ(Quotes("(\"a\") -\"b\"- c;\"d\"?"), "(\xAB" "a\xBB) -\xAB" "b\xBB- c;\xAB" "d\xBB?");
    EXPECT_EQ(Quotes("a \" b"), "a \xAB b");  // opening pairs go first
    EXPECT_EQ(Quotes("x=\"v w\" y"), "x=\"v w\xBB y");
    EXPECT_EQ(Quotes("<a href=\"x\">", 1), "<a href=\"x\">");
    EXPECT_EQ(Quotes("<!-- \"c\" -->", 101), "<!-- \"c\" -->");
}

std::string Dashes(const std::string& line, int nbsp = 2) {
    test::TestContext t;
    t.settings.NumberOfNbsp = nbsp;
    SetWithLine(t, line);
    StageDashes(t.ctx);
    EXPECT_EQ(t.LineTexts()[0], "0 \"a\" - b...");
    return t.LineTexts()[6];
}

TEST(Dashes, HyphensBesideSpacesBecomeEnDashes) {
    EXPECT_EQ(Dashes("well-known a - b c- d e -f"), "well-known a \x96 b c\x96 d e \x96" "f");
    EXPECT_EQ(Dashes("<div>&nbsp;&nbsp;- Hello - he said"), "<div>&nbsp;&nbsp;\x96&nbsp;Hello \x96 he said");
    EXPECT_EQ(Dashes("a - b - c", 0), "a \x96&nbsp;b \x96 c");
    EXPECT_EQ(Dashes("a - b - c", 2), "a \x96 b \x96 c");
    test::TestContext t;
    SetWithLine(t, "<!-- a - b -->", 101);
    StageDashes(t.ctx);
    EXPECT_EQ(t.LineTexts()[6], "<!-- a - b -->");
}

TEST(Ellipses, ThreeFullStopsBecomeOneCharacter) {
    test::TestContext t;
    SetWithLine(t, "a... b.... c...... d..");
    StageEllipses(t.ctx);
    EXPECT_EQ(t.LineTexts()[6], "a\x85 b\x85. c\x85\x85 d..");
    EXPECT_EQ(t.LineTexts()[5], "5...");
}

}  // namespace
}  // namespace pm
