#include "regexlists/RuleRun.h"

#include "config/Texts.h"
#include "platform/StatusSink.h"
#include "regexlists/RegexApply.h"

namespace pm {
namespace {
// The status text is fixed; only "CurrentTask: " comes from the localization.
constexpr std::string_view kApplyingRule = "Applying regilar expression";
}  // namespace

std::string RuleStatusText(const Texts& texts, const std::string& ruleName) {
    return texts.Proc("CurrentTask") + std::string(kApplyingRule) + " \"" + ruleName + "\"";
}

std::string RunRule(const Texts& texts, StatusSink& status, const RegexRule& rule, std::string_view text) {
    status.Status(RuleStatusText(texts, rule.name));
    return rx::ApplyRegex(rule.search, rule.replace, text);
}

void ApplyRuleList(const RegexRuleLists& rules, RuleList list, const Texts& texts, StatusSink& status,
                   std::string& text) {
    const auto& items = rules.Items(list);
    for (size_t pos = 0; pos < items.size(); ++pos)
        if (items[pos].checked) text = RunRule(texts, status, rules.ItemRule(list, pos), text);
}

}  // namespace pm
