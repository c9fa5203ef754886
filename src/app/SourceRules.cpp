#include "app/SourceRules.h"

#include "app/TMain.h"
#include "regexlists/RuleRun.h"

namespace pm {

void ApplySourceRules(TMain& main, std::string& text) {
    if (!main.rules) return;
    ApplyRuleList(*main.rules, RuleList::Source, main.texts, *main.ui.status, text);
}

std::string ApplyMenuRule(TMain& main, size_t menuIndex, std::string_view text) {
    if (!main.rules || menuIndex >= main.rules->Items(RuleList::Source).size()) return std::string(text);
    return RunRule(main.texts, *main.ui.status, main.rules->ItemRule(RuleList::Source, menuIndex), text);
}

}  // namespace pm
