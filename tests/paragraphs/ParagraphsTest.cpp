#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "pipeline/Stages.h"
#include "pipeline/TextFormat.h"
#include "support/TestContext.h"

namespace pm {
namespace {

using Lines = std::vector<std::string>;

std::string P(const std::string& text) { return "<div align=\"justify\">&nbsp;&nbsp;" + text + "</div>"; }
const std::string kEmptyP = P("");

// Runs paragraph creation on the lines (mark 0) inside a frame and returns
// the entries between the frame, the inserted empty one included.
Lines Create(int preset, const Lines& lines, const std::function<void(Settings&)>& tweak = {}) {
    test::TestContext t;
    ApplyTextFormatPreset(t.settings, preset);
    if (tweak) tweak(t.settings);
    t.SetLines({{"head", 100}, {"title", 100}});
    for (const std::string& l : lines) t.ctx.lines.Append(l);
    t.ctx.lines.Append("tail", kMarkBlock);
    StageCreateParagraphs(t.ctx);
    Lines all = t.LineTexts();
    EXPECT_EQ(all.back(), "tail");
    return Lines(all.begin() + 2, all.end() - 1);
}

TEST(CreateParagraphs, FixedWidthJoinsContinuationsAndBreaksAtIndents) {
    EXPECT_EQ(Create(kPresetFixedWidth, {"   First line of a paragraph that runs to the margin",
                                         "and its continuation", "   Next paragraph."}),
              (Lines{kEmptyP, P("First line of a paragraph that runs to the margin and its continuation"),
                     P("Next paragraph.")}));
}

TEST(CreateParagraphs, ShortStringsMaxDecidesWhetherAFinishedLineIsJoined) {
    const Lines src = {"  Opening line of the paragraph", "ends here.", "Next line"};
    // 80, the value before any preset: a short finished line stands alone.
    EXPECT_EQ(Create(-1, src), (Lines{kEmptyP, P("Opening line of the paragraph"), P("ends here."), P("Next line")}));
    EXPECT_EQ(Create(kPresetFixedWidth, src),
              (Lines{kEmptyP, P("Opening line of the paragraph ends here. Next line")}));
    // With the preset only lines longer than 81 are tested for a sentence end.
    EXPECT_EQ(Create(kPresetFixedWidth, {"  Opening line", std::string(82, 'x') + ".", "z"})[1], P("Opening line"));
}

TEST(CreateParagraphs, LinePerParagraphAndRestoringBrokenLinesFromTheTwelfthEntry) {
    Lines src = {"Start."};
    for (int i = 4; i <= 14; ++i) src.push_back("line" + std::to_string(i));
    src.push_back("last.");
    src[3] = std::string(90, 'y');  // entry 6, a paragraph by its length
    Lines each = {kEmptyP};
    for (const std::string& s : src) each.push_back(P(s));
    EXPECT_EQ(Create(kPresetLinePerParagraph, src), each);

    Lines restored(each.begin(), each.begin() + 9);  // up to entry 10
    restored.push_back(P("line11 line12 line13 line14 last."));
    EXPECT_EQ(Create(kPresetLinePerParagraph, src, [](Settings& s) { s.TryToRestoreDirs = true; }), restored);
}

TEST(CreateParagraphs, RestoringNeverCarriesTextIntoTheTail) {
    Lines src(10, "Line.");
    src.push_back("no full stop");
    src.push_back(std::string(85, 'z'));  // long and unfinished, right before the tail
    const Lines out = Create(kPresetLinePerParagraph, src, [](Settings& s) { s.TryToRestoreDirs = true; });
    EXPECT_EQ(out.back(), P("no full stop " + std::string(85, 'z')));
}

TEST(CreateParagraphs, RunsOfBlankLinesBecomeOneBreakEntry) {
    const Lines src = {"Text one.", "", "  ", "", "Text two.", "", "Text three."};
    EXPECT_EQ(Create(kPresetFixedWidth, src), (Lines{P("Text one."), "<br>", P("Text two."), P("Text three.")}));
    EXPECT_EQ(Create(kPresetFixedWidth, src, [](Settings& s) { s.DetectTwoEmptyLines = 0; }),
              (Lines{P("Text one."), kEmptyP, kEmptyP, P("Text two."), P("Text three.")}));
}

TEST(CreateParagraphs, ABlankRunBecomesATagEntryAndChapterTagsEndCollection) {
    test::TestContext t;
    ApplyTextFormatPreset(t.settings, kPresetFixedWidth);
    t.SetLines({{"head", 100}, {"title", 100}, {"  Para", 0}, {"text", 0}, {"<CHAPTER n=1>", 0}, {"", 0}, {" ", 0},
                {"", 0}, {"y", 0}, {"tail", 100}});
    StageCreateParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(),
              (Lines{"head", "title", kEmptyP, P("Para text"), P("<CHAPTER n=1>"), "<br>", P("y"), "tail"}));
    EXPECT_EQ(t.Marks(), (std::vector<int>{100, 100, 0, 100, 0, 1, 0, 100}));
}

TEST(CreateParagraphs, CarryingALongLineSuspendsTheLongRuleWithoutShortLines) {
    test::TestContext t;
    ApplyTextFormatPreset(t.settings, kPresetFixedWidth);
    t.settings.TryToRestoreDirs = true;
    t.SetLines({{"head", 100}, {"title", 100}});
    for (int i = 3; i <= 10; ++i) t.ctx.lines.Append("done", kMarkBlock);
    const std::string a(90, 'a'), c = std::string(90, 'c') + ".", d = std::string(90, 'd') + ".";
    for (const std::string& l : {a, std::string("bbb."), c, std::string("  Indented."), d}) t.ctx.lines.Append(l);
    t.ctx.lines.Append("tail", kMarkBlock);
    StageCreateParagraphs(t.ctx);
    const Lines texts = t.LineTexts();
    const std::vector<int> marks = t.Marks();
    // Entry 11 is carried on; until a paragraph start sets the rule again,
    // long lines are left to the final pass (mark 0).
    EXPECT_EQ(Lines(texts.begin() + 11, texts.end()),
              (Lines{P(a + " bbb."), P(c), P("Indented."), P(d), "tail"}));
    EXPECT_EQ(std::vector<int>(marks.begin() + 11, marks.end()), (std::vector<int>{0, 0, 100, 100, 100}));
}

TEST(CreateParagraphs, DialogueDashesStartParagraphs) {
    const Lines src = {"  Narration.", "- Hello, he said.", "and left", "\x96 Yes.", "then silence"};
    EXPECT_EQ(Create(kPresetLinePerParagraph, src),
              (Lines{kEmptyP, P("Narration."), P("- Hello, he said. and left"), P("\x96 Yes. then silence")}));
    EXPECT_EQ(Create(kPresetLinePerParagraph, src, [](Settings& s) { s.DialogsToDiv = false; }),
              (Lines{kEmptyP, P("Narration."), P("- Hello, he said."), P("and left"), P("\x96 Yes."),
                     P("then silence")}));
}

TEST(CreateParagraphs, CommentsFinishedBlocksAndInlineTags) {
    test::TestContext t;
    ApplyTextFormatPreset(t.settings, kPresetFixedWidth);
    t.SetLines({{"head", 100}, {"title", 100}, {"  Para one", 0}, {"<!-- note -->", 101}, {"more", 0},
                {"<h2>Header</h2>", 100}, {"  Epigraph", 0}, {"<i>Finished</i>", 100}, {"  Para two", 0},
                {"<h3>Sub", 0}, {"a ", 0}, {"<i>", 1}, {"b", 0}, {"</i> c ", 0}, {"<b>", 1}, {"d", 0}, {"</b>", 0},
                {"<div>&nbsp;<b>e</b></div>", 100}, {"tail", 100}});
    StageCreateParagraphs(t.ctx);
    EXPECT_EQ(t.LineTexts(), (Lines{"head", "title", kEmptyP, P("Para one"), "<!-- note -->", P("more"),
                                    "<h2>Header</h2>", P("Epigraph"), "<i>Finished</i>", P("Para two"), P("<h3>Sub"),
                                    P("a <i>b</i> c <b>d</b>"), "<div>&nbsp;<b>e</b></div>", "tail"}));
    EXPECT_EQ(t.Marks(), (std::vector<int>{100, 100, 0, 100, 101, 0, 100, 100, 100, 100, 0, 0, 100, 100}));
}

}  // namespace
}  // namespace pm
