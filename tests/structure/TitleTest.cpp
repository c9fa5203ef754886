#include <gtest/gtest.h>

#include "app/TMain.h"
#include "app/TitleStep.h"
#include "pipeline/Title.h"
#include "platform/ScriptedQuestions.h"
#include "support/RecordingFrontEnd.h"

namespace pm {
namespace {

// Answers the properties window like a user who edits the fields.
class EditingQuestions : public ScriptedQuestions {
public:
    DocPropertiesRequest seen;
    std::string typedTitle;
    bool AskDocProperties(DocPropertiesRequest& r) override {
        seen = r;
        if (!typedTitle.empty()) r.values.title = typedTitle;
        r.addAuthorToTitle = false;
        r.makeLatin = true;
        return ScriptedQuestions::AskDocProperties(r);
    }
};

class TitleTest : public ::testing::Test {
protected:
    ConfigTree tree;
    EditingQuestions q;
    test::RecordingFrontEnd front;
    TMain main{tree, MainUi{.questions = &q, .frontEnd = &front}, "."};

    TitleTest() { main.settings.AskAboutTitle = false; }
    void Load(const std::string& text) { TitleAndAuthorStep(main, text); }
};

TEST_F(TitleTest, SurnameDotTitleGivesAuthorAndShortTitle) {
    Load("<html><head><TITLE>Ivanov. Winter Roads</TITLE></head><body>x</body></html>");
    EXPECT_EQ(main.doc.author, "Ivanov");
    EXPECT_EQ(main.doc.title, "Winter Roads");
    EXPECT_EQ(main.doc.shortTitle, "Ivanov Winter Roads");

    // A known author (its meta tag found without regard to case) stops the split.
    Load("<meta name=\"AUTHOR\" content=\"Lev Tolstoy\"><title>War. Peace</title> ");
    EXPECT_EQ(main.doc.author, "Lev Tolstoy");
    EXPECT_EQ(main.doc.title, "War. Peace");
}


TEST_F(TitleTest, TitleWithNoSpaceAfterItsFullStopKeepsEveryCharacter) {
    Load("<title>Ivanov.Winter</title>.");
    EXPECT_EQ(main.doc.author, "Ivanov");
    EXPECT_EQ(main.doc.title, "Winter");
}

TEST_F(TitleTest, LatinShortTitle) {
    main.settings.MakeShortTitleLatin = true;
    // "Пушкин. Ёлка Южная" in the working code page.
    Load("<title>\xCF\xF3\xF8\xEA\xE8\xED. \xA8\xEB\xEA\xE0 \xDE\xE6\xED\xE0\xFF</title>  ");
    EXPECT_EQ(main.doc.shortTitle, "Puhkin \xA8lka Usnaj");
    for (unsigned char c : main.doc.shortTitle) EXPECT_TRUE(c < 128 || c == 0xA8 || c == 0xB8) << int(c);
    EXPECT_EQ(TransliterateLatin("\xDE\xFE\xDC\xFC\xDD\xC6\xDF\xB8"), "Uv__ASJ\xB8");
}

TEST_F(TitleTest, TitleBeyondTheSearchWindowIsNotFound) {
    Load(std::string(3000, ' ') + "<title>Late</title>");
    EXPECT_EQ(main.doc.title, "");
    Load(std::string(2990, ' ') + "<title>Late</title>");  // starts inside, ends outside
    EXPECT_EQ(main.doc.title, "");
    Load(std::string(2900, ' ') + "<title>Early</title>\n");
    EXPECT_EQ(main.doc.title, "Early");
}

TEST_F(TitleTest, PlainTextLeavesTitleAndAuthorEmptyAndClearsTheLastBook) {
    Load("<title>A. B</title> ");
    main.settings.AskAboutTitle = false;
    Load("Just a plain book.\nWith lines.");
    EXPECT_EQ(main.doc.title, "");
    EXPECT_EQ(main.doc.author, "");
}

TEST_F(TitleTest, AuthorSplitInXmlOutputMode) {
    main.templates.Set("FileExt", ".xml");
    Load("<meta name=\"author\" content=\"Lev Nikolaevich Tolstoy\"><title>W</title> ");
    EXPECT_EQ(main.doc.firstName, "Lev");
    EXPECT_EQ(main.doc.middleName, "Nikolaevich");
    EXPECT_EQ(main.doc.lastName, "Tolstoy");
    EXPECT_EQ(main.doc.author, "Lev Nikolaevich Tolstoy");

    Load("<meta name=\"author\" content=\"Anna Ahmatova\"> ");
    EXPECT_EQ(main.doc.firstName, "Anna");
    EXPECT_EQ(main.doc.middleName, "");
    EXPECT_EQ(main.doc.lastName, "Ahmatova");

    Load("<meta name=\"author\" content=\"Homer\"> ");
    EXPECT_EQ(main.doc.firstName, "");  // nothing left over from the last book
    EXPECT_EQ(main.doc.lastName, "Homer");
}

TEST_F(TitleTest, PropertiesWindowFillsAndTakesBackTheValues) {
    main.settings.AskAboutTitle = true;
    q.typedTitle = "Typed";
    Load("<title>Ivanov. Roads</title> ");
    ASSERT_EQ(q.CountAsked("docprops"), 1u);
    EXPECT_EQ(q.seen.values.title, "Roads");
    EXPECT_EQ(q.seen.values.shortTitle, "Ivanov Roads");
    EXPECT_TRUE(q.seen.addAuthorToTitle);
    EXPECT_FALSE(q.seen.nameParts);
    EXPECT_EQ(main.doc.title, "Typed");
    EXPECT_FALSE(main.settings.AddAuthorToTitle);
    EXPECT_TRUE(main.settings.MakeShortTitleLatin);
    EXPECT_EQ(main.doc.shortTitle, "Ivanov Roads");  // the boxes act next time
}


TEST_F(TitleTest, BookDescriptionEditorReplacesTheWindowWhenItTakesTheQuestion) {
    main.settings.AskAboutTitle = true;
    main.xmlDescriptionLoaded = true;
    Load("<title>Ivanov. Roads</title> ");  // the front end has no editor
    EXPECT_EQ(q.CountAsked("docprops"), 1u);
    front.takeBookDescription = true;
    Load("<title>Ivanov. Roads</title> ");
    EXPECT_EQ(q.CountAsked("docprops"), 1u);
    ASSERT_EQ(front.descriptions.size(), 2u);
    const BookDescriptionPrefill& got = front.descriptions.back();
    EXPECT_EQ(got.title, "Roads");
    EXPECT_EQ(got.program, "Pellmark 1.0 + Ostrel skin");
    EXPECT_EQ(got.annotation, "<title>Ivanov. Roads</title> \r\n...");
    ASSERT_EQ(got.date.size(), 10u);
    EXPECT_EQ(got.date[4], '-');
    EXPECT_EQ(got.date[7], '-');
}

}  // namespace
}  // namespace pm
