#include <gtest/gtest.h>

#include "config/Localization.h"
#include "config/Settings.h"
#include "document/DocValues.h"
#include "options/OptionsModel.h"

namespace pm {
namespace {

class OptionsModelTest : public ::testing::Test {
protected:
    Settings s;
    DocValues doc;
    InterfaceTexts texts;
    OptionsModel model{s, doc, texts};
    int invalidated = 0;

    OptionsModelTest() {
        FillTreeRowDefaults(texts);
        model.invalidate = [this] { ++invalidated; };
    }
    // Opens a row, lets the user change its editor, and leaves the row.
    template <class Edit>
    std::string EditRow(int row, Edit edit) {
        RowEditor e = model.Open(row);
        edit(e);
        return model.Commit(e);
    }
};

TEST_F(OptionsModelTest, OnlyOnOffRowsToggle) {
    EXPECT_FALSE(model.Toggle(0));                 // the top heading
    EXPECT_FALSE(model.Toggle(22));                // a heading
    EXPECT_FALSE(model.Toggle(kRowTitle));         // values only
    EXPECT_FALSE(model.Toggle(kRowLanguage));
    EXPECT_EQ(invalidated, 0);
    ASSERT_TRUE(s.ConvertQuotes);
    EXPECT_EQ(model.Image(40), kImageOn);
    EXPECT_TRUE(model.Toggle(40));
    EXPECT_FALSE(s.ConvertQuotes);
    EXPECT_EQ(model.Image(40), kImageOff);
    EXPECT_EQ(invalidated, 1);
}

// "Remove all html tags" makes rows 12 to 21 inert, not 11 nor 22.
TEST_F(OptionsModelTest, RemoveAllHtmlDisablesItsRows) {
    EXPECT_TRUE(model.Toggle(kRowRemoveAllHtml));
    for (int row = kRowFirstHtmlOption; row <= kRowLastHtmlOption; ++row) {
        EXPECT_EQ(model.Image(row), kImageDisabled) << row;
        EXPECT_FALSE(model.Toggle(row)) << row;
    }
    EXPECT_EQ(model.Image(kRowRemoveAllHtml), kImageOn);
    EXPECT_EQ(model.Image(kRowLastHtmlOption + 1), kImageGroup);
    EXPECT_TRUE(s.KillLinks);  // the settings keep their values
    EXPECT_TRUE(model.Toggle(kRowRemoveAllHtml));
    EXPECT_EQ(model.Image(kRowFirstHtmlOption), kImageOn);
    EXPECT_TRUE(model.Toggle(kRowFirstHtmlOption));
    EXPECT_FALSE(s.KillLinks);
}

TEST_F(OptionsModelTest, LineLengthRulesSwitchOffAtZero) {
    EXPECT_EQ(model.Text(kRowLonger), "Strings longer than 80");
    EXPECT_EQ(EditRow(kRowLonger, [](RowEditor& e) { e.value = 1; }), "");
    EXPECT_EQ(s.LongStringsMin, 1);
    EXPECT_EQ(model.Text(kRowLonger), "Strings longer than 1");
    EditRow(kRowLonger, [](RowEditor& e) { e.value = 0; });
    EXPECT_EQ(s.LongStringsMin, 2147483647);
    EXPECT_EQ(model.Image(kRowLonger), kImageOff);
    EXPECT_EQ(model.Text(kRowLonger), "Strings longer than 80");
    EXPECT_EQ(model.Open(kRowLonger).tag, 0);  // off: no editing widgets

    EXPECT_TRUE(model.Toggle(kRowLonger));
    EXPECT_EQ(s.LongStringsMin, 80);
    EditRow(kRowShorter, [](RowEditor& e) { e.value = 0; });
    EXPECT_EQ(s.ShortStringsMax, 0);
    EXPECT_EQ(model.Text(kRowShorter), "Strings shorter than 80");
    EXPECT_TRUE(model.Toggle(kRowShorter));
    EXPECT_EQ(s.ShortStringsMax, 80);
}

TEST_F(OptionsModelTest, EmptyLinesRowShowsItsCount) {
    EXPECT_EQ(model.Text(kRowEmptyLines), "2 and more empty lines to <br>");
    EditRow(kRowEmptyLines, [](RowEditor& e) {
        e.value = 3;
        e.text2 = "<p>";
    });
    EXPECT_EQ(model.Text(kRowEmptyLines), "3 and more empty lines to <br>");
    EXPECT_EQ(s.EmptyLinesReplaceWith, "<p>");
    EXPECT_TRUE(model.Toggle(kRowEmptyLines));
    EXPECT_EQ(s.DetectTwoEmptyLines, 0);
    EXPECT_EQ(model.Text(kRowEmptyLines), "2 and more empty lines to <br>");
}

// Tags of a pair always match their rule; mismatched paragraph tags are
// kept as typed and reported.
TEST_F(OptionsModelTest, TagRows) {
    EXPECT_TRUE(model.Toggle(kRowHeaderTag));  // on by default: off empties the start tag
    EXPECT_EQ(s.HeadStartTag, "");
    EXPECT_EQ(s.HeadCloseTag, "</h1>");
    EXPECT_TRUE(model.Toggle(kRowHeaderTag));
    EXPECT_EQ(s.HeadStartTag, "<h1>");
    EXPECT_EQ(s.HeadCloseTag, "</h1>");

    EXPECT_EQ(model.Image(kRowParagraphTag), kImageOff);
    EXPECT_TRUE(model.Toggle(kRowParagraphTag));
    EXPECT_EQ(s.ParagraphStartTag, "<div align=\"justify\">");
    EXPECT_EQ(s.ParagraphEndTag, "</div>");
    auto tags = [&](const char* start, const char* end) {
        return EditRow(kRowParagraphTag, [&](RowEditor& e) {
            e.text1 = start;
            e.text2 = end;
        });
    };
    EXPECT_EQ(tags("<div align=\"justify\">", "</p>"), "Error in tags");
    EXPECT_EQ(s.ParagraphEndTag, "</p>");
    EXPECT_EQ(tags("<P class=x>", "</DIV>"), "Error in tags");
    EXPECT_EQ(tags("<p>", "</p>"), "");
    EXPECT_EQ(tags("<div>", "</div>"), "");
}

TEST_F(OptionsModelTest, DocumentRows) {
    doc.title = "\xCA\xED\xE8\xE3\xE0";  // "Книга"
    EXPECT_EQ(model.Text(kRowTitle), "Title: \"\xCA\xED\xE8\xE3\xE0\"");
    // An empty short title opens filled with the transliterated title.
    const RowEditor e = model.Open(kRowShortTitle);
    EXPECT_EQ(e.tag, 10);
    EXPECT_EQ(e.text1, "Kniga");
    doc.shortTitle = "Own";
    EXPECT_EQ(model.Open(kRowShortTitle).text1, "Own");
    EditRow(kRowAuthor, [](RowEditor& r) { r.text1 = "Ivanov"; });
    EXPECT_EQ(doc.author, "Ivanov");
    EXPECT_EQ(model.Text(kRowAuthor), "Author: \"Ivanov\"");
    texts.tree.author = "Avtor";
    EXPECT_EQ(model.Text(kRowAuthor), "Avtor: \"Ivanov\"");
}

TEST_F(OptionsModelTest, EditorTagsAndDescriptions) {
    const std::pair<int, int> tags[] = {{7, 1}, {2, 2}, {3, 3}, {23, 4}, {24, 5}, {36, 6}, {44, 7}, {45, 8},
                                        {58, 11}, {28, 12}, {29, 14}, {5, 15}, {6, 16}};
    s.SetDetectEpigraphs(true);
    for (auto [row, tag] : tags) EXPECT_EQ(model.Open(row).tag, tag) << row;
    EXPECT_EQ(model.Open(kRowHyphenate).tag, 0);  // off
    s.SetHyphenate(true);
    const RowEditor h = model.Open(kRowHyphenate);
    EXPECT_EQ(h.tag, 13);
    EXPECT_EQ(h.fontChoices.back(), "+ totaly &shy;");
    EXPECT_EQ(model.Description(12), "Removes from text all links (\"<A...>\" tags)");
    EXPECT_EQ(model.Description(0), "");
    EXPECT_EQ(model.Open(kRowNbsp).label, "Enter the number of \"&&nbsp;\"'s");
}

TEST_F(OptionsModelTest, ShellRowFollowsTheIntegration) {
    EXPECT_EQ(model.Image(kRowIntegrate), kImageDisabled);
    EXPECT_FALSE(model.Toggle(kRowIntegrate));
    struct Fake : ShellIntegration {
        bool on = false, fail = false;
        bool Integrated() const override { return on; }
        bool SetIntegrated(bool value, std::string* error) override {
            if (fail) {
                *error = "Cannot write the desktop entry";
                return false;
            }
            on = value;
            return true;
        }
    } shell;
    model.shell = &shell;
    EXPECT_EQ(model.Image(kRowIntegrate), kImageOff);
    EXPECT_TRUE(model.Toggle(kRowIntegrate));
    EXPECT_TRUE(shell.on);
    shell.fail = true;
    std::string error;
    EXPECT_FALSE(model.Toggle(kRowIntegrate, &error));
    EXPECT_EQ(error, "Cannot write the desktop entry");
    EXPECT_TRUE(shell.on);
}

}  // namespace
}  // namespace pm
