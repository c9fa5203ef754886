// The user's regular-expression rules and the two check lists that order
// them: the source list (applied to every loaded source) and the HTML list
// (applied to the finished HTML). This is the model behind the list window,
// the rule editor and the rules drop-down menu.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigTree.h"

namespace pm {

class Texts;

struct RegexRule {
    std::string name;
    std::string search;   // the pattern
    std::string replace;  // the replacement template
};

enum class RuleList { Source, Html };

// One item of a check list: the rule it shows and its check.
struct RuleListItem {
    size_t rule = 0;
    bool checked = false;
};

class RegexRuleLists {
public:
    // Menu captions are cut to this many characters.
    static constexpr size_t kMenuCaptionLength = 100;

    const std::vector<RegexRule>& Rules() const { return rules_; }
    const std::vector<RuleListItem>& Items(RuleList list) const;
    const RegexRule& ItemRule(RuleList list, size_t pos) const { return rules_[Items(list)[pos].rule]; }
    // The index of the rule with exactly this name.
    std::optional<size_t> FindRule(const std::string& name) const;

    // Appends a rule and an unchecked item for it to both lists. Fails (and
    // changes nothing) when the name is already taken: stored rules with a
    // repeated name would be dropped at the next start.
    std::optional<size_t> Add(RegexRule rule);
    // Replaces the rule's three values; its items keep their places and
    // checks. Fails on a name another rule has, or a bad index.
    bool Edit(size_t rule, RegexRule values);
    // Removes the rule and its items; items of later rules are renumbered.
    bool Delete(size_t rule);
    // Moves the item at pos by delta (-1 up, +1 down) with its check; the new
    // position, or nothing (the caller beeps) when it cannot move.
    std::optional<size_t> Move(RuleList list, size_t pos, int delta);
    bool SetChecked(RuleList list, size_t pos, bool checked);

    // The drop-down menu: one caption per source-list item, in that order.
    std::vector<std::string> MenuCaptions() const;
    // The question asked before deleting a rule.
    std::string DeleteQuestion(const Texts& texts, size_t rule) const;

    // The key "Regexp" of the configuration root: see RuleStore.cpp.
    void Load(const ConfigTree& tree);
    bool Save(ConfigTree& tree) const;

private:
    std::vector<RuleListItem>& MutableItems(RuleList list);
    void AppendMissingItems();

    std::vector<RegexRule> rules_;
    std::vector<RuleListItem> source_, html_;
};

}  // namespace pm
