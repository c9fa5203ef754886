#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "pipeline/Stages.h"
#include "pipeline/TidyUp.h"
#include "support/TestContext.h"

namespace pm {
namespace {

// The deletion table applied the slow way: each pattern removed while it
// occurs, the whole table repeated until nothing changes.
std::string ReferenceTidy(std::string s, const std::string& indent) {
    struct Rule {
        std::string pattern;
        size_t del;
    };
    const std::vector<Rule> rules = {
        {"  ", 0},        {"> <", 1},        {"< ", 1},        {" >", 0},         {" </div>", 0},
        {" </p>", 0},     {" <h", 0},        {" <p", 0},       {" </I>", 0},      {" </b>", 0},
        {" </font>", 0},  {" </strong>", 0}, {" </sub>", 0},   {" </SUP>", 0},    {" </em>", 0},
        {"<I> ", 3},      {"<p> ", 3},       {"<div> ", 5},    {"<b> ", 3},       {"<font> ", 6},
        {"<strong> ", 8}, {"<sub> ", 5},     {"<SUP> ", 5},    {"<em> ", 4},      {" <div", 0},
        {"&nbsp; ", 6},   {"--", 0},
    };
    for (std::string before; before != s;) {
        before = s;
        for (const Rule& r : rules)
            for (size_t at; (at = s.find(r.pattern)) != std::string::npos;) s.erase(at + r.del, 1);
        const std::string br = "<div>" + indent + "<br>";
        if (size_t at = s.find(br); at != std::string::npos) s.erase(at + br.size() - 4, 4);
    }
    return s;
}

TEST(TidyEntry, MatchesTheRepeatedTableOnRandomMarkup) {
    const std::vector<std::string> pieces = {" ",     " ",      "-",     "<",      ">",     "x",
                                             "<I>",   "</I>",   "<div>", "</div>", "<br>",  "&nbsp;",
                                             "<p>",   "<SUP>",  "h",     "p",      "<div",  "</em>",
                                             "<em>",  "<font>", "/",     "v",      "<i>",   "</strong>"};
    std::mt19937 rng(7);
    for (const std::string indent : {"&nbsp;&nbsp;", ""}) {
        for (int n = 0; n < 20000; ++n) {
            std::string s;
            const int len = static_cast<int>(rng() % 14);
            for (int k = 0; k < len; ++k) s += pieces[rng() % pieces.size()];
            ASSERT_EQ(TidyEntry(s, indent), ReferenceTidy(s, indent)) << "input: [" << s << "]";
        }
    }
}

TEST(TidyEntry, CollapsesSpacesAndHyphensAroundParagraphTags) {
    EXPECT_EQ(TidyEntry("<div align=\"justify\">&nbsp;&nbsp; Text -- more  words </div>", "&nbsp;&nbsp;"),
              "<div align=\"justify\">&nbsp;&nbsp;Text - more words</div>");
    EXPECT_EQ(TidyEntry("a ----- b", ""), "a - b");
    EXPECT_EQ(TidyEntry("<div>&nbsp;&nbsp;<br><br> x", "&nbsp;&nbsp;"), "<div>&nbsp;&nbsp;x");
    // Case matters: only the capital emphasis and superscript tags.
    EXPECT_EQ(TidyEntry("a </i> b </SUP> c </sup>", ""), "a </i> b</SUP> c </sup>");
    EXPECT_EQ(TidyEntry("< p  class=x >", ""), "<p class=x>");
}

TEST(StageTidyUp, DeletesEmptyEntriesAndLeavesComments) {
    test::TestContext t;
    t.SetLines({{"head", 100},
                {"<div align=\"justify\">&nbsp;&nbsp; </div>", 100},
                {"   ", 0},
                {"", 0},
                {"<!-- a -- b  c -->", 101},
                {"<div align=\"justify\">&nbsp;&nbsp; Two </div>", 100},
                {"tail", 100}});
    StageTidyUp(t.ctx);
    EXPECT_EQ(t.LineTexts(), (std::vector<std::string>{"head", "<!-- a -- b  c -->",
                                                        "<div align=\"justify\">&nbsp;&nbsp;Two</div>", "tail"}));
}

}  // namespace
}  // namespace pm
