// The rule lists: editing, ordering and checks in memory, and their form
// under the key "Regexp" of the configuration root.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "config/ConfigTree.h"
#include "config/Texts.h"
#include "regexlists/RegExprList.h"

namespace pm {
namespace {

const std::string kRules = std::string(kRootKey) + "\\Regexp";
const std::string kOrder = kRules + "\\Order";

RegexRule Rule(const std::string& name) { return {name, "s-" + name, "r-" + name}; }

RegexRuleLists ThreeRules() {
    RegexRuleLists lists;
    lists.Add(Rule("zero"));
    lists.Add(Rule("one"));
    lists.Add(Rule("two"));
    return lists;
}

std::vector<size_t> Order(const RegexRuleLists& lists, RuleList which) {
    std::vector<size_t> out;
    for (const auto& it : lists.Items(which)) out.push_back(it.rule);
    return out;
}

std::vector<bool> Checks(const RegexRuleLists& lists, RuleList which) {
    std::vector<bool> out;
    for (const auto& it : lists.Items(which)) out.push_back(it.checked);
    return out;
}

void StoreRule(ConfigTree& tree, const std::string& key, const std::string& name) {
    tree.SetString(kRules + "\\" + key, "Name", name);
    tree.SetString(kRules + "\\" + key, "Search", "s-" + name);
    tree.SetString(kRules + "\\" + key, "Replace", "r-" + name);
}

RegexRuleLists Reloaded(const RegexRuleLists& lists) {
    ConfigTree tree;
    EXPECT_TRUE(lists.Save(tree));
    RegexRuleLists again;
    again.Load(tree);
    return again;
}

TEST(RuleListsModel, NoRulesMeansEmptyListsAndMenu) {
    ConfigTree tree;
    RegexRuleLists lists;
    lists.Load(tree);
    EXPECT_TRUE(lists.Rules().empty());
    EXPECT_TRUE(lists.Items(RuleList::Source).empty());
    EXPECT_TRUE(lists.Items(RuleList::Html).empty());
    EXPECT_TRUE(lists.MenuCaptions().empty());
    EXPECT_FALSE(lists.Move(RuleList::Source, 0, 1));
}

TEST(RuleListsModel, AddAppendsUncheckedToBothListsAndRefusesRepeatedNames) {
    RegexRuleLists lists = ThreeRules();
    EXPECT_EQ(Order(lists, RuleList::Source), (std::vector<size_t>{0, 1, 2}));
    EXPECT_EQ(Order(lists, RuleList::Html), (std::vector<size_t>{0, 1, 2}));
    EXPECT_EQ(Checks(lists, RuleList::Html), (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(lists.Add(Rule("one")));
    EXPECT_EQ(lists.Rules().size(), 3u);
}

TEST(RuleListsModel, EditKeepsPlacesAndChecks) {
    RegexRuleLists lists = ThreeRules();
    lists.Move(RuleList::Html, 2, -1);
    lists.SetChecked(RuleList::Html, 1, true);
    EXPECT_TRUE(lists.Edit(2, {"renamed", "a", "b"}));
    EXPECT_EQ(lists.ItemRule(RuleList::Html, 1).name, "renamed");
    EXPECT_TRUE(lists.Items(RuleList::Html)[1].checked);
    EXPECT_TRUE(lists.Edit(2, {"renamed", "c", "d"}));  // its own name is fine
    EXPECT_FALSE(lists.Edit(2, Rule("zero")));
    EXPECT_FALSE(lists.Edit(7, Rule("seven")));
    EXPECT_EQ(lists.Rules()[2].search, "c");
}

TEST(RuleListsModel, ReorderingOneListLeavesTheOther) {
    RegexRuleLists lists = ThreeRules();
    lists.SetChecked(RuleList::Html, 0, true);
    EXPECT_EQ(lists.Move(RuleList::Html, 0, 1), 1u);
    EXPECT_EQ(lists.Move(RuleList::Html, 1, 1), 2u);
    EXPECT_EQ(Order(lists, RuleList::Html), (std::vector<size_t>{1, 2, 0}));
    EXPECT_EQ(Checks(lists, RuleList::Html), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Order(lists, RuleList::Source), (std::vector<size_t>{0, 1, 2}));
    EXPECT_FALSE(lists.Move(RuleList::Html, 2, 1));  // last one down
    EXPECT_FALSE(lists.Move(RuleList::Html, 0, -1)); // first one up
    EXPECT_FALSE(lists.Move(RuleList::Html, 3, -1)); // nothing selected there
    const RegexRuleLists again = Reloaded(lists);
    EXPECT_EQ(Order(again, RuleList::Html), (std::vector<size_t>{1, 2, 0}));
    EXPECT_EQ(Checks(again, RuleList::Html), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(Order(again, RuleList::Source), (std::vector<size_t>{0, 1, 2}));
}

TEST(RuleListsModel, CheckedInOneListOnly) {
    RegexRuleLists lists = ThreeRules();
    lists.SetChecked(RuleList::Html, 1, true);
    const RegexRuleLists again = Reloaded(lists);
    EXPECT_EQ(Checks(again, RuleList::Html), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(Checks(again, RuleList::Source), (std::vector<bool>{false, false, false}));
}

TEST(RuleListsModel, DeletingRuleZeroRenumbersMemoryAndStoredKeys) {
    RegexRuleLists lists = ThreeRules();
    lists.Move(RuleList::Html, 0, 1);  // html: 1 0 2
    lists.SetChecked(RuleList::Source, 2, true);
    ASSERT_TRUE(lists.Delete(0));
    EXPECT_EQ(lists.Rules().size(), 2u);
    EXPECT_EQ(lists.Rules()[0].name, "one");
    EXPECT_EQ(Order(lists, RuleList::Source), (std::vector<size_t>{0, 1}));
    EXPECT_EQ(Order(lists, RuleList::Html), (std::vector<size_t>{0, 1}));
    EXPECT_EQ(Checks(lists, RuleList::Source), (std::vector<bool>{false, true}));

    ConfigTree tree;
    StoreRule(tree, "005", "stale");  // the whole key is rewritten
    ASSERT_TRUE(lists.Save(tree));
    EXPECT_EQ(tree.GetValue(kRules + "\\000", "Name")->text, "one");
    EXPECT_EQ(tree.GetValue(kRules + "\\001", "Name")->text, "two");
    EXPECT_EQ(tree.GetValue(kRules + "\\001", "Search")->text, "s-two");
    EXPECT_FALSE(tree.KeyExists(kRules + "\\002"));
    EXPECT_FALSE(tree.KeyExists(kRules + "\\005"));
    EXPECT_EQ(tree.GetValue(kOrder, "src_1")->number, 1);
    EXPECT_EQ(tree.GetValue(kOrder, "src_sel_1")->text, "");
    EXPECT_FALSE(tree.GetValue(kOrder, "src_sel_0"));
    EXPECT_FALSE(tree.GetValue(kOrder, "src_2"));
    EXPECT_FALSE(lists.Delete(2));
}

TEST(RuleListsModel, MenuFollowsSourceOrderWithCaptionsCutTo100) {
    RegexRuleLists lists;
    const std::string longName(130, 'n');
    lists.Add(Rule("short"));
    lists.Add({longName, "a", "b"});
    lists.Move(RuleList::Source, 1, -1);
    const auto captions = lists.MenuCaptions();
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0], std::string(100, 'n'));
    EXPECT_EQ(captions[1], "short");
    EXPECT_EQ(lists.ItemRule(RuleList::Source, 0).name, longName);
}

TEST(RuleListsModel, DeleteQuestionQuotesTheName) {
    RegexRuleLists lists = ThreeRules();
    EXPECT_EQ(lists.DeleteQuestion(Texts(), 1), "Are you shure you want to delete rule \"one\" from all lists?");
}

TEST(RuleListsStore, KeysAreSortedAndRepeatedNamesSkipped) {
    ConfigTree tree;
    StoreRule(tree, "002", "c");
    StoreRule(tree, "000", "a");
    StoreRule(tree, "001", "a");  // repeats "a": not loaded
    RegexRuleLists lists;
    lists.Load(tree);
    ASSERT_EQ(lists.Rules().size(), 2u);
    EXPECT_EQ(lists.Rules()[0].name, "a");
    EXPECT_EQ(lists.Rules()[1].name, "c");
    EXPECT_EQ(lists.Rules()[1].replace, "r-c");
}

TEST(RuleListsStore, RulesMissingFromOrderAreAppendedUnchecked) {
    ConfigTree tree;
    StoreRule(tree, "000", "a");
    StoreRule(tree, "001", "b");
    StoreRule(tree, "002", "c");
    tree.SetDWord(kOrder, "src_0", 2);
    tree.SetString(kOrder, "src_sel_0", "");
    tree.SetDWord(kOrder, "htm_0", 1);
    tree.SetString(kOrder, "htm_sel_0", "");
    RegexRuleLists lists;
    lists.Load(tree);
    EXPECT_EQ(Order(lists, RuleList::Source), (std::vector<size_t>{2, 0, 1}));
    EXPECT_EQ(Checks(lists, RuleList::Source), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(Order(lists, RuleList::Html), (std::vector<size_t>{1, 0, 2}));
    EXPECT_EQ(Checks(lists, RuleList::Html), (std::vector<bool>{true, false, false}));
}

TEST(RuleListsStore, BadOrderEntriesNeverBreakTheLists) {
    ConfigTree tree;
    StoreRule(tree, "000", "a");
    StoreRule(tree, "001", "a");  // skipped duplicate
    StoreRule(tree, "002", "b");
    tree.SetDWord(kOrder, "src_0", 2);
    tree.SetDWord(kOrder, "src_1", 1);   // names the skipped key
    tree.SetDWord(kOrder, "src_2", 2);   // listed twice
    tree.SetDWord(kOrder, "htm_0", 40);  // no such rule
    tree.SetString(kOrder, "htm_1", "0");  // wrong type
    tree.SetDWord(kOrder, "htm_2", 2);
    tree.SetString(kOrder, "htm_sel_2", "");
    RegexRuleLists lists;
    lists.Load(tree);
    ASSERT_EQ(lists.Rules().size(), 2u);
    EXPECT_EQ(Order(lists, RuleList::Source), (std::vector<size_t>{1, 0}));
    EXPECT_EQ(Order(lists, RuleList::Html), (std::vector<size_t>{1, 0}));
    EXPECT_EQ(Checks(lists, RuleList::Html), (std::vector<bool>{true, false}));
}

TEST(RuleListsStore, KeyOrderDoesNotDependOnCreationOrder) {
    // Numbered keys come first by value, hand-made names after them; a
    // repeated name loses to the key that sorts first, however the keys
    // were created.
    const std::map<std::string, std::string> names = {{"10", "ten"}, {"1a", "ten"}, {"2", "two"}, {"b", "bee"}};
    std::vector<std::string> keys = {"10", "1a", "2", "Order", "b"};
    do {
        ConfigTree tree;
        for (const auto& key : keys) {
            if (key == "Order") {
                tree.SetDWord(kOrder, "src_0", 10);
                continue;
            }
            tree.SetString(kRules + "\\" + key, "Name", names.at(key));
            tree.SetString(kRules + "\\" + key, "Search", key);
        }
        RegexRuleLists lists;
        lists.Load(tree);
        std::vector<std::string> loaded;
        for (const auto& r : lists.Rules()) loaded.push_back(r.name + "@" + r.search);
        EXPECT_EQ(loaded, (std::vector<std::string>{"two@2", "ten@10", "bee@b"}));
        EXPECT_EQ(lists.ItemRule(RuleList::Source, 0).search, "10");
    } while (std::next_permutation(keys.begin(), keys.end()));
}

TEST(RuleListsStore, ReadOnlyTreeIsLeftAlone) {
    ConfigTree tree;
    StoreRule(tree, "000", "kept");
    tree.SetReadOnly(true);
    EXPECT_FALSE(ThreeRules().Save(tree));
    EXPECT_EQ(tree.GetValue(kRules + "\\000", "Name")->text, "kept");
}

}  // namespace
}  // namespace pm
