// Loading and saving the rule lists under the key "Regexp" of the
// configuration root: one sub-key per rule ("000", "001", ...) with "Name",
// "Search" and "Replace", and "Regexp\Order" with the two lists:
// "src_N"/"htm_N" hold the rule index at position N, "src_sel_N"/"htm_sel_N"
// (empty strings) are present exactly for checked items.
#include <algorithm>
#include <cstdio>
#include <map>

#include "common/Cp1251.h"
#include "config/TMyReg.h"
#include "regexlists/RegExprList.h"

namespace pm {
namespace {

std::string RulesKey() { return std::string(kRootKey) + "\\Regexp"; }

bool AllDigits(const std::string& s) {
    return !s.empty() && s.size() <= 9 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Sub-key names in order; numbers compare by value so "1000" follows "999",
// and come before every other name (those compare as text). Mixing the two
// comparisons pair by pair would not be an order at all ("2" < "10" < "1a"
// < "2"), and sorting with it is undefined.
bool KeyBefore(const std::string& a, const std::string& b) {
    const bool numA = AllDigits(a), numB = AllDigits(b);
    if (numA != numB) return numA;
    if (numA) return std::stol(a) < std::stol(b);
    return cp1251::CompareNoCase(a, b) < 0;
}

std::string ThreeDigits(size_t i) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%03zu", i);
    return buf;
}

// Items of one list. The stored index names the rule's key ("002" is 2), so
// a skipped duplicate or a missing key never shifts the other items; an
// index naming no loaded rule, or a rule listed twice, is dropped.
void ReadOrder(const ConfigTree& tree, const std::string& orderKey, const std::string& prefix, size_t positions,
               const std::map<long, size_t>& byKey, std::vector<RuleListItem>& items) {
    const TMyReg order(tree, orderKey);
    std::vector<bool> listed;
    for (size_t n = 0; n < positions; ++n) {
        const std::string pos = std::to_string(n);
        const int32_t stored = order.ReadInteger(prefix + pos, -1);
        const auto it = byKey.find(stored);
        if (stored < 0 || it == byKey.end()) continue;
        if (listed.size() <= it->second) listed.resize(it->second + 1, false);
        if (listed[it->second]) continue;
        listed[it->second] = true;
        const bool checked = tree.GetValue(orderKey, prefix + "sel_" + pos).has_value();
        items.push_back({it->second, checked});
    }
}

}  // namespace

void RegexRuleLists::Load(const ConfigTree& tree) {
    rules_.clear();
    source_.clear();
    html_.clear();
    const std::string root = RulesKey();
    std::vector<std::string> keys = tree.SubKeys(root);
    std::sort(keys.begin(), keys.end(), KeyBefore);
    std::map<long, size_t> byKey;
    size_t stored = 0;
    for (const auto& key : keys) {
        if (cp1251::EqualsNoCase(key, "Order")) continue;
        ++stored;
        const TMyReg r(tree, root + "\\" + key);
        RegexRule rule{r.ReadString("Name", ""), r.ReadString("Search", ""), r.ReadString("Replace", "")};
        if (FindRule(rule.name)) continue;
        if (AllDigits(key)) byKey.emplace(std::stol(key), rules_.size());
        rules_.push_back(std::move(rule));
    }
    const std::string order = root + "\\Order";
    ReadOrder(tree, order, "src_", stored, byKey, source_);
    ReadOrder(tree, order, "htm_", stored, byKey, html_);
    AppendMissingItems();
}

bool RegexRuleLists::Save(ConfigTree& tree) const {
    if (tree.ReadOnly()) return false;
    const std::string root = RulesKey();
    tree.DeleteKey(root);
    bool ok = tree.CreateKey(root);
    for (size_t i = 0; i < rules_.size(); ++i) {
        const std::string key = root + "\\" + ThreeDigits(i);
        ok &= tree.SetString(key, "Name", rules_[i].name);
        ok &= tree.SetString(key, "Search", rules_[i].search);
        ok &= tree.SetString(key, "Replace", rules_[i].replace);
    }
    const std::string order = root + "\\Order";
    ok &= tree.CreateKey(order);
    for (const auto& [prefix, items] : {std::pair{"src_", &source_}, std::pair{"htm_", &html_}}) {
        for (size_t n = 0; n < items->size(); ++n) {
            const std::string pos = std::to_string(n);
            ok &= tree.SetDWord(order, prefix + pos, static_cast<int32_t>((*items)[n].rule));
            if ((*items)[n].checked) ok &= tree.SetString(order, std::string(prefix) + "sel_" + pos, "");
        }
    }
    return ok;
}

}  // namespace pm
