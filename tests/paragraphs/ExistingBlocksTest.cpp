#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

using Lines = std::vector<std::string>;

TEST(ExistingParagraphs, ParagraphsBecomeJustifiedDivs) {
    test::TestContext t;
    t.SetLines({{"head", 100}, {"title", 100}, {"<p>", 1}, {"One", 0}, {"</p>", 1},
                {"<p>", 1}, {"Two", 0}, {"</p>", 1}, {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"head", "title", "<div align=\"justify\">&nbsp;&nbsp; One</div>",
                                    "<div align=\"justify\">&nbsp;&nbsp; Two</div>", "tail"}));
    EXPECT_EQ(t.Marks(), (std::vector<int>{100, 100, 100, 100, 100}));

    t.settings.ConvertPToDiv = false;
    t.SetLines({{"head", 100}, {"title", 100}, {"<p class=x>", 1}, {"One", 0}, {"<p>", 1},
                {"Two", 0}, {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"head", "title", "<p class=x>&nbsp;&nbsp; One</p>", "<p>&nbsp;&nbsp; Two", "tail"}));
}

TEST(ExistingParagraphs, CenterAndHeadersKeepTheirOwnClosingTags) {
    test::TestContext t;
    t.SetLines({{"head", 100}, {"title", 100}, {"<center>", 1}, {"Title", 0}, {"</center>", 1},
                {"<h2>", 1}, {"Chapter", 0}, {"</h2>", 1}, {"<div>", 1}, {"&nbsp;Indented", 0},
                {"</div>", 1}, {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"head", "title", "<div align=\"center\">&nbsp;&nbsp; Title</div>",
                                    "<h2> Chapter</h2>", "<div> &nbsp;Indented</div>", "tail"}));
}

TEST(ExistingParagraphs, MergingStopsAtTheNextBlockAndKeepsItsOpeningTag) {
    test::TestContext t;
    t.settings.AddNbsp = false;
    t.SetLines({{"head", 100}, {"title", 100}, {"<div>", 1}, {"Outer", 0}, {"<div>", 1},
                {"Inner", 0}, {"</div>", 1}, {"</div>", 1}, {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"head", "title", "<div> Outer</div>", "<div> Inner</div>", "</div>", "tail"}));
}

TEST(ExistingParagraphs, ABreakAfterAFinishedBlockAddsNoSecondEndTag) {
    test::TestContext t;
    t.SetLines({{"head", 100}, {"title", 100}, {"<hr>", 1}, {"<hr>", 1}, {"<p>", 1}, {"One", 0},
                {"</p>", 1}, {"<br>", 1}, {"<div>", 1}, {"Two", 0}, {"<br>", 1}, {"Three", 0}, {"</div>", 1},
                {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"head", "title", "<hr>", "<hr>", "<div align=\"justify\">&nbsp;&nbsp; One</div>",
                                    "<br>", "<div>&nbsp;&nbsp; Two</div>", "Three", "</div>", "tail"}));
}

TEST(ExistingParagraphs, TheTailIsNeverMergedIntoAnOpenBlock) {
    test::TestContext t;
    t.SetLines({{"head", 100}, {"title", 100}, {"a", 0}, {"<p>", 1}, {"</body></html>", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"head", "title", "a", "<div align=\"justify\">&nbsp;&nbsp;", "</body></html>"}));

    t.SetLines({{"head", 100}, {"title", 100}, {"<p>", 1}, {"text", 0}, {"</body></html>", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts().back(), "</body></html>");
    EXPECT_EQ(t.ctx.lines.Count(), 4u);
}

TEST(ExistingParagraphs, TextBeforeABreakBecomesAParagraph) {
    test::TestContext t;
    t.SetLines({{"head", 100}, {"title", 100}, {"<hr>", 1}, {"<hr>", 1}, {"First ", 0}, {"<b>", 1},
                {"bold", 0}, {"</b> end", 0}, {"<br>", 1}, {"More", 0}, {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"head", "title", "<hr>", "<hr>",
                                    "<div align=\"justify\">&nbsp;&nbsp;First  <b> bold </b> end </div>", "More",
                                    "tail"}));
    EXPECT_EQ(t.ctx.lines.Mark(4), kMarkBlock);

    // Not so near the start of the document, nor after an empty entry.
    t.SetLines({{"head", 100}, {"title", 100}, {"x", 0}, {"Text", 0}, {"<br>", 1}, {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts()[4], "<br>");
    t.settings.ConvertBrToDiv = false;
    t.SetLines({{"head", 100}, {"title", 100}, {"<hr>", 1}, {"<hr>", 1}, {"<hr>", 1}, {"Text", 0},
                {"<br>", 1}, {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts()[6], "<br>");
}

TEST(ExistingParagraphs, ABreakNeverPullsInAComment) {
    test::TestContext t;
    t.SetLines({{"head", 100}, {"title", 100}, {"<hr>", 1}, {"<hr>", 1}, {"<!-- a -- b -->", 101},
                {"Text", 0}, {"<br>", 1}, {"tail", 100}});
    StageExistingParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"head", "title", "<hr>", "<hr>", "<!-- a -- b -->",
                                    "<div align=\"justify\">&nbsp;&nbsp;Text </div>", "tail"}));
}

}  // namespace
}  // namespace pm
