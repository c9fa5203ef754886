// The two list passes: the source list on a loaded text and the HTML list
// as the last conversion stage.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/TMain.h"
#include "pipeline/Stages.h"
#include "regexlists/RegExprList.h"
#include "app/SourceRules.h"
#include "regexlists/RuleRun.h"
#include "support/TestContext.h"

namespace pm {
namespace {

const std::string kStatusA = "CurrentTask: Applying regilar expression \"a to b\"";

// "a to b" and "b to c", both checked in the HTML list only.
RegexRuleLists HtmlOnlyRules() {
    RegexRuleLists lists;
    lists.Add({"a to b", "a", "b"});
    lists.Add({"b to c", "b", "c"});
    lists.SetChecked(RuleList::Html, 0, true);
    lists.SetChecked(RuleList::Html, 1, true);
    return lists;
}

TEST(HtmlRuleStage, AppliesCheckedRulesInListOrderAndResetsMarks) {
    test::TestContext t;
    RegexRuleLists lists = HtmlOnlyRules();
    t.ctx.rules = &lists;
    t.SetLines({{"<p>", 1}, {"a", 0}, {"</p>", 100}});
    StageUserRegex(t.ctx);
    EXPECT_EQ(t.LineTexts(), (std::vector<std::string>{"<p>", "c", "</p>"}));
    EXPECT_EQ(t.Marks(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(t.status.statuses,
              (std::vector<std::string>{kStatusA, "CurrentTask: Applying regilar expression \"b to c\""}));
}

TEST(HtmlRuleStage, ReorderingTheHtmlListChangesTheResult) {
    test::TestContext t;
    RegexRuleLists lists = HtmlOnlyRules();
    lists.Move(RuleList::Html, 1, -1);  // "b to c" first, then "a to b"
    t.ctx.rules = &lists;
    t.SetLines({{"a", 0}});
    StageUserRegex(t.ctx);
    EXPECT_EQ(t.LineTexts(), (std::vector<std::string>{"b"}));
}

TEST(HtmlRuleStage, RulesMaySplitAndJoinEntries) {
    test::TestContext t;
    RegexRuleLists lists;
    lists.Add({"br", "<br>", "<br>\r\n"});
    lists.Add({"join", "x\\r\\ny", "xy"});
    lists.SetChecked(RuleList::Html, 0, true);
    lists.SetChecked(RuleList::Html, 1, true);
    t.ctx.rules = &lists;
    t.SetLines({{"one<br>two", 0}, {"x", 0}, {"y", 0}, {"", 0}});
    StageUserRegex(t.ctx);
    EXPECT_EQ(t.LineTexts(), (std::vector<std::string>{"one<br>", "two", "xy", ""}));
}

TEST(HtmlRuleStage, FailingRuleShowsErrorInTheDocument) {
    test::TestContext t;
    RegexRuleLists lists;
    lists.Add({"broken", "(", ""});
    lists.SetChecked(RuleList::Html, 0, true);
    t.ctx.rules = &lists;
    t.SetLines({{"text", 0}});
    StageUserRegex(t.ctx);
    EXPECT_EQ(t.LineTexts(), (std::vector<std::string>{"Error!!!", "text"}));
}

TEST(HtmlRuleStage, SourceChecksDoNotApplyAndMissingListsChangeNothing) {
    test::TestContext t;
    RegexRuleLists lists;
    lists.Add({"a to b", "a", "b"});
    lists.SetChecked(RuleList::Source, 0, true);
    t.SetLines({{"a", 1}});
    StageUserRegex(t.ctx);  // no lists at all
    EXPECT_EQ(t.Marks(), (std::vector<int>{1}));
    t.ctx.rules = &lists;
    StageUserRegex(t.ctx);
    EXPECT_EQ(t.LineTexts(), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(t.status.statuses.empty());
}

struct SourcePass : ::testing::Test {
    ConfigTree tree;
    test::RecordingStatus status;
    std::unique_ptr<TMain> main;
    void SetUp() override {
        MainUi ui;
        ui.status = &status;
        main = std::make_unique<TMain>(tree, ui, ".");
    }
};

TEST_F(SourcePass, AppliesOnlySourceChecksInSourceOrder) {
    main->rules = std::make_unique<RegexRuleLists>(HtmlOnlyRules());
    std::string text = "a\r\nb";
    ApplySourceRules(*main, text);
    EXPECT_EQ(text, "a\r\nb");
    EXPECT_TRUE(status.statuses.empty());

    main->rules->SetChecked(RuleList::Source, 0, true);
    main->rules->SetChecked(RuleList::Source, 1, true);
    main->rules->Move(RuleList::Source, 0, 1);  // "b to c" runs first
    ApplySourceRules(*main, text);
    EXPECT_EQ(text, "b\r\nc");
    EXPECT_EQ(status.statuses.back(), kStatusA);
}

TEST_F(SourcePass, NothingWithoutRuleLists) {
    std::string text = "a";
    ApplySourceRules(*main, text);
    EXPECT_EQ(text, "a");
    EXPECT_EQ(ApplyMenuRule(*main, 0, "a"), "a");
}

TEST_F(SourcePass, MenuItemsFollowSourceOrderWhateverTheChecks) {
    main->rules = std::make_unique<RegexRuleLists>(HtmlOnlyRules());
    main->rules->Move(RuleList::Source, 1, -1);
    EXPECT_EQ(ApplyMenuRule(*main, 0, "ab"), "ac");
    EXPECT_EQ(ApplyMenuRule(*main, 1, "ab"), "bb");
    EXPECT_EQ(status.statuses.back(), kStatusA);
    EXPECT_EQ(ApplyMenuRule(*main, 2, "ab"), "ab");
}

TEST_F(SourcePass, StatusUsesTheLocalizedTaskPrefix) {
    main->texts.SetProc("CurrentTask", "Task: ");
    EXPECT_EQ(RuleStatusText(main->texts, "x"), "Task: Applying regilar expression \"x\"");
}

}  // namespace
}  // namespace pm
