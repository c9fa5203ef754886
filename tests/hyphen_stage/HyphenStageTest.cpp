#include <gtest/gtest.h>

#include "common/Cp1251.h"
#include "hyphen/FontTables.h"
#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

constexpr const char* kDiv = "<div align=\"justify\">information</div>";

class HyphenStage : public ::testing::Test {
protected:
    void SetUp() override {
        t.settings.Hyphenate = true;
        t.settings.HyphFont = std::string(kSoftHyphenFont);
    }
    // Runs the stage on three frame entries, the content and a tail entry;
    // gives back the content.
    std::vector<std::string> Run(std::vector<std::string> content) {
        t.ctx.lines.Clear();
        for (int i = 0; i < 3; ++i) t.ctx.lines.Append(kDiv, kMarkBlock);
        for (std::string& c : content) t.ctx.lines.Append(std::move(c), kMarkBlock);
        t.ctx.lines.Append(kDiv, kMarkBlock);
        StageHyphenate(t.ctx);
        std::vector<std::string> texts = t.LineTexts();
        for (size_t i : {0u, 1u, 2u}) EXPECT_EQ(texts[i], kDiv) << "frame entry " << i;
        EXPECT_EQ(texts.back(), kDiv) << "tail entry";
        return {texts.begin() + 3, texts.end() - 1};
    }
    test::TestContext t;
};

TEST_F(HyphenStage, SoftHyphensInTheBodyOnly) {
    const std::vector<std::string> out = Run({
        kDiv,
        std::string("<!-- ") + kDiv + " -->",
        "<p class=\"x\">information</p> communication",
        "before information <div>information</div><div>information</div>",
        "<div>information without its close tag",
        "no element information here",
        "<p>information <i>communication</i></p>",
    });
    EXPECT_EQ(out[0], "<div align=\"justify\">infor&shy;ma&shy;tion</div>");
    EXPECT_EQ(out[1], std::string("<!-- ") + kDiv + " -->");
    EXPECT_EQ(out[2], "<p class=\"x\">infor&shy;ma&shy;tion</p> communication");
    EXPECT_EQ(out[3], "before information <div>infor&shy;ma&shy;tion</div><div>information</div>");
    EXPECT_EQ(out[4], "<div>information without its close tag");
    EXPECT_EQ(out[5], "no element information here");
    EXPECT_EQ(out[6], "<p>infor&shy;ma&shy;tion <i>communication</i></p>");
    EXPECT_FALSE(t.status.progress.empty());
}

TEST_F(HyphenStage, OffDoesNothing) {
    t.settings.Hyphenate = false;
    EXPECT_EQ(Run({kDiv})[0], kDiv);
}

TEST_F(HyphenStage, DeviceModeFitsPlainBodiesOnly) {
    FontTable mono;
    mono.widths.fill(1);
    mono.lineWidth = 10;
    t.ctx.font = &mono;
    t.settings.HyphFont = "Mono";
    t.settings.HyphString = "=";
    const auto out = Run({"<div>ab information</div>", "<div>ab <b>information</b></div>"});
    EXPECT_EQ(out[0], "<div>ab infor=mation</div>");
    EXPECT_EQ(out[1], "<div>ab <b>information</b></div>");
    // Without a loaded table the built-in one is used.
    t.ctx.font = nullptr;
    t.settings.HyphString = "-";
    std::string longText = "<div>";
    for (int i = 0; i < 10; ++i) longText += "information communication ";
    const std::string shortText = "<div>" + cp1251::FromUtf8("Короткий абзац.") + "</div>";
    const auto builtin = Run({shortText, longText + "</div>"});
    EXPECT_EQ(builtin[0], shortText);
    EXPECT_NE(builtin[1].find('-'), std::string::npos);
}

TEST_F(HyphenStage, TinyListsAreLeftAlone) {
    t.ctx.lines.Clear();
    for (int i = 0; i < 4; ++i) t.ctx.lines.Append(kDiv);
    StageHyphenate(t.ctx);  // line 3 is the last one
    EXPECT_EQ(t.ctx.lines.Text(3), kDiv);
    t.ctx.lines.Clear();
    StageHyphenate(t.ctx);
    EXPECT_TRUE(t.ctx.lines.Empty());
}

}  // namespace
}  // namespace pm
