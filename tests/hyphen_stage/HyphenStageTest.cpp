#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "hyphen/FontTables.h"
#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

constexpr const char* kDiv = "<div align=\"justify\">information</div>";
constexpr const char* kDivSoft = "<div align=\"justify\">infor&shy;ma&shy;tion</div>";

class HyphenStage : public ::testing::Test {
protected:
    void SetUp() override {
        t.settings.Hyphenate = true;
        t.settings.HyphFont = std::string(kSoftHyphenFont);
    }
    // Frame entries around the given content lines.
    void SetContent(std::initializer_list<std::string> content) {
        t.ctx.lines.Clear();
        t.ctx.lines.Append(kDiv, kMarkBlock);  // head
        t.ctx.lines.Append(kDiv, kMarkBlock);  // title
        t.ctx.lines.Append(kDiv, kMarkBlock);
        for (const std::string& c : content) t.ctx.lines.Append(c, kMarkBlock);
        t.ctx.lines.Append(kDiv, kMarkBlock);  // tail
    }
    std::string Line(size_t i) const { return t.ctx.lines.Text(i); }

    test::TestContext t;
};

TEST_F(HyphenStage, FrameAndCommentLinesUntouched) {
    SetContent({kDiv, std::string("<!-- ") + kDiv + " -->", kDiv});
    StageHyphenate(t.ctx);
    for (size_t i : {0u, 1u, 2u, 6u}) EXPECT_EQ(Line(i), kDiv) << i;
    EXPECT_EQ(Line(3), kDivSoft);
    EXPECT_EQ(Line(4), std::string("<!-- ") + kDiv + " -->");
    EXPECT_EQ(Line(5), kDivSoft);
    EXPECT_FALSE(t.status.progress.empty());
}

TEST_F(HyphenStage, OffDoesNothing) {
    t.settings.Hyphenate = false;
    SetContent({kDiv});
    StageHyphenate(t.ctx);
    EXPECT_EQ(Line(3), kDiv);
}

TEST_F(HyphenStage, HeadBodyTail) {
    SetContent({
        "<p class=\"x\">information</p> trailing communication",
        "before information <div>information</div><div>information</div>",
        "<div>information without its close tag",
        "no element information here",
        "<div>information</p>",
        "<p>information <i>communication</i></p>",
    });
    StageHyphenate(t.ctx);
    EXPECT_EQ(Line(3), "<p class=\"x\">infor&shy;ma&shy;tion</p> trailing communication");
    EXPECT_EQ(Line(4), "before information <div>infor&shy;ma&shy;tion</div><div>information</div>");
    EXPECT_EQ(Line(5), "<div>information without its close tag");
    EXPECT_EQ(Line(6), "no element information here");
    EXPECT_EQ(Line(7), "<div>information</p>");  // a division closes with </div> only
    // Soft hyphens go around inner markup; the word touching it stays whole.
    EXPECT_EQ(Line(8), "<p>infor&shy;ma&shy;tion <i>communication</i></p>");
}

TEST_F(HyphenStage, DeviceModeFitsPlainParagraphsOnly) {
    FontTable mono;
    mono.widths.fill(1);
    mono.lineWidth = 10;
    t.ctx.font = &mono;
    t.settings.HyphFont = "Mono";
    t.settings.HyphString = "=";
    SetContent({"<div>ab information</div>", "<div>ab <b>information</b></div>",
                "<div align=\"justify\">ab information</div>"});
    StageHyphenate(t.ctx);
    EXPECT_EQ(Line(3), "<div>ab infor=mation</div>");
    EXPECT_EQ(Line(4), "<div>ab <b>information</b></div>");
    EXPECT_EQ(Line(5), "<div align=\"justify\">ab infor=mation</div>");
}

TEST_F(HyphenStage, DeviceModeWithoutALoadedFontUsesTheBuiltInOne) {
    t.settings.HyphFont = "BrannVerdana 1.2 small";
    const std::string shortText = "<div>" + cp1251::FromUtf8("Короткий абзац.") + "</div>";
    std::string longText = "<div>";
    for (int i = 0; i < 10; ++i) longText += "information communication ";
    longText += "</div>";
    SetContent({shortText, longText});
    StageHyphenate(t.ctx);
    EXPECT_EQ(Line(3), shortText);
    EXPECT_NE(Line(4), longText);
    EXPECT_NE(Line(4).find("-"), std::string::npos);
}

TEST_F(HyphenStage, TinyListsAreLeftAlone) {
    t.ctx.lines.Clear();
    for (int i = 0; i < 4; ++i) t.ctx.lines.Append(kDiv);
    StageHyphenate(t.ctx);  // line 3 is the last one
    EXPECT_EQ(Line(3), kDiv);
    t.ctx.lines.Clear();
    StageHyphenate(t.ctx);
    EXPECT_TRUE(t.ctx.lines.Empty());
}

}  // namespace
}  // namespace pm
