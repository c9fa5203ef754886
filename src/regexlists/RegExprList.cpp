#include "regexlists/RegExprList.h"

#include <algorithm>

#include "common/Format.h"
#include "config/Texts.h"

namespace pm {

const std::vector<RuleListItem>& RegexRuleLists::Items(RuleList list) const {
    return list == RuleList::Source ? source_ : html_;
}

std::vector<RuleListItem>& RegexRuleLists::MutableItems(RuleList list) {
    return list == RuleList::Source ? source_ : html_;
}

std::optional<size_t> RegexRuleLists::FindRule(const std::string& name) const {
    for (size_t i = 0; i < rules_.size(); ++i)
        if (rules_[i].name == name) return i;
    return std::nullopt;
}

std::optional<size_t> RegexRuleLists::Add(RegexRule rule) {
    if (FindRule(rule.name)) return std::nullopt;
    rules_.push_back(std::move(rule));
    const size_t index = rules_.size() - 1;
    source_.push_back({index, false});
    html_.push_back({index, false});
    return index;
}

bool RegexRuleLists::Edit(size_t rule, RegexRule values) {
    if (rule >= rules_.size()) return false;
    const auto same = FindRule(values.name);
    if (same && *same != rule) return false;
    rules_[rule] = std::move(values);
    return true;
}

bool RegexRuleLists::Delete(size_t rule) {
    if (rule >= rules_.size()) return false;
    for (auto* items : {&source_, &html_}) {
        std::erase_if(*items, [rule](const RuleListItem& it) { return it.rule == rule; });
        for (auto& it : *items)
            if (it.rule > rule) --it.rule;
    }
    rules_.erase(rules_.begin() + static_cast<std::ptrdiff_t>(rule));
    return true;
}

std::optional<size_t> RegexRuleLists::Move(RuleList list, size_t pos, int delta) {
    auto& items = MutableItems(list);
    if (pos >= items.size() || (delta < 0 && pos == 0) || (delta > 0 && pos + 1 >= items.size()) || delta == 0)
        return std::nullopt;
    const size_t to = delta < 0 ? pos - 1 : pos + 1;
    std::swap(items[pos], items[to]);
    return to;
}

bool RegexRuleLists::SetChecked(RuleList list, size_t pos, bool checked) {
    auto& items = MutableItems(list);
    if (pos >= items.size()) return false;
    items[pos].checked = checked;
    return true;
}

std::vector<std::string> RegexRuleLists::MenuCaptions() const {
    std::vector<std::string> captions;
    captions.reserve(source_.size());
    for (const auto& it : source_) captions.push_back(rules_[it.rule].name.substr(0, kMenuCaptionLength));
    return captions;
}

std::string RegexRuleLists::DeleteQuestion(const Texts& texts, size_t rule) const {
    const std::string quoted = "\"" + (rule < rules_.size() ? rules_[rule].name : std::string()) + "\"";
    return FormatTemplate(texts.Msg("Confirm regexpr delete"), {std::string_view(quoted)});
}

void RegexRuleLists::AppendMissingItems() {
    for (auto* items : {&source_, &html_}) {
        std::vector<bool> listed(rules_.size(), false);
        for (const auto& it : *items) listed[it.rule] = true;
        for (size_t r = 0; r < rules_.size(); ++r)
            if (!listed[r]) items->push_back({r, false});
    }
}

}  // namespace pm
