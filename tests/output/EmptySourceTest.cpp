// A source without text is not converted, and without a result nothing is
// saved.
#include <gtest/gtest.h>

#include "OutputHelpers.h"

namespace pm::test {
namespace {

TEST(EmptySource, ConvertIsRefusedWithAMessageAndTheResultStays) {
    Window w;
    w.PublishDocument("<div>Earlier book</div>");
    const std::string before = w.main.DocumentText();
    for (const char* source : {"", "\n\n", "   \r\n\t\n\f  "}) {
        w.questions.asked.clear();
        w.main.StoreSourceText(source);
        EXPECT_FALSE(w.main.Convert()) << source;
        ASSERT_EQ(w.questions.asked.size(), 1u) << source;
        EXPECT_EQ(w.questions.asked[0].kind, "message");
        EXPECT_EQ(w.questions.asked[0].caption, "Info");
        EXPECT_EQ(w.questions.asked[0].text, w.main.texts.Msg("NothingToConvert"));
        EXPECT_EQ(w.main.DocumentText(), before);
        EXPECT_FALSE(w.main.driver.UpToDate());
    }
    // One visible character is a book.
    w.questions.asked.clear();
    w.main.StoreSourceText("  \n .");
    EXPECT_TRUE(w.main.Convert());
    EXPECT_EQ(w.questions.CountAsked("message"), 0u);
    EXPECT_NE(w.main.DocumentText(), before);
}

TEST(EmptySource, LoadedEmptyFileShowsNoPage) {
    ScratchDir dir;
    Window w;
    const std::string empty = dir / "empty.txt";
    ASSERT_TRUE(WriteFileAtomic(empty, "\r\n  \r\n"));
    EXPECT_TRUE(w.main.LoadSrc(empty));  // the source itself is loaded
    EXPECT_EQ(w.questions.CountAsked("message"), 1u);
    EXPECT_FALSE(w.main.HasResult());
    EXPECT_TRUE(w.view.navigations.empty());
    EXPECT_FALSE(std::filesystem::exists(w.main.files.previewFile));
    w.main.Shutdown();
}

TEST(EmptySource, NothingIsSavedWithoutAResult) {
    ScratchDir dir;
    Window w;  // nothing converted yet
    ASSERT_FALSE(w.main.HasResult());
    w.dialogs.saves.push_back({dir / "book", 1});
    w.main.SaveHTML();
    EXPECT_TRUE(w.dialogs.requests.empty());  // no dialog either
    std::string error;
    EXPECT_FALSE(w.main.SaveResultAs(dir / "direct.html", SaveFormat::Html, &error));
    EXPECT_FALSE(w.main.SaveResultAs(dir / "direct.txt", SaveFormat::PlainText, &error));
    EXPECT_NE(error.find("direct.txt"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace pm::test
