// The bundled sample book through header, epigraph and table-of-contents
// detection, with every source line one unmarked entry inside the frame.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/AtomicFile.h"
#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

class RussianBookTest : public ::testing::Test {
protected:
    test::TestContext t;

    void SetUp() override {
        std::string text;
        ASSERT_TRUE(ReadWholeFile(std::string(PM_TEST_DATA) + "/russian-book.txt", text));
        const LineList source = LineList::FromText(text);
        t.ctx.lines.Append("<html><head>", kMarkBlock);
        t.ctx.lines.Append("<title>x</title></head><body>", kMarkBlock);
        for (size_t i = 0; i < source.Count(); ++i) t.ctx.lines.Append(source.Text(i));
        t.ctx.lines.Append("</body></html>", kMarkBlock);
        t.settings.DetectEpigraphs = true;
        t.doc.title = "Tihaja gavan";
        t.doc.shortTitle = "Tihaja gavan";
    }
    size_t CountStartingWith(const std::string& prefix) const {
        size_t n = 0;
        for (const auto& s : t.LineTexts()) n += s.rfind(prefix, 0) == 0;
        return n;
    }
};

TEST_F(RussianBookTest, FourChaptersEachWithItsEpigraphAndAuthor) {
    StageDetectHeaders(t.ctx);
    StageDetectEpigraphs(t.ctx);
    EXPECT_EQ(CountStartingWith("<h1 align=\"center\">\xC3\xEB\xE0\xE2\xE0 "), 4u);  // "Глава "
    const std::string open = t.settings.OpenEpigraph + "<I>";
    EXPECT_EQ(CountStartingWith(open), 4u);
    for (const auto& s : t.LineTexts())
        if (s.rfind(open, 0) == 0) {
            EXPECT_NE(s.find("</I><br>&nbsp;&nbsp;"), std::string::npos) << s;
        }
}

TEST_F(RussianBookTest, SplitKeepsThePrefaceInTheIndex) {
    const fs::path dir = fs::temp_directory_path() / "pm-russian-split";
    fs::remove_all(dir);
    fs::create_directories(dir);
    t.files.previewFile = (dir / "preview.html").string();
    t.settings.BreakTextApartByToc = true;
    StageDetectHeaders(t.ctx);
    StageDetectEpigraphs(t.ctx);
    StageTableOfContents(t.ctx);
    EXPECT_EQ(t.files.partFiles.size(), 5u);
    const auto index = t.LineTexts();
    EXPECT_NE(std::find_if(index.begin(), index.end(),
                           [](const std::string& s) { return s.find("\xDD\xF2\xF3 \xEF\xEE\xE2\xE5\xF1\xF2\xFC") != std::string::npos; }),
              index.end());  // "Эту повесть", the preface
    EXPECT_EQ(CountStartingWith("<h3><a href=\"PLMK_Tihaja_gavan_00"), 4u);
    fs::remove_all(dir);
}

}  // namespace
}  // namespace pm
