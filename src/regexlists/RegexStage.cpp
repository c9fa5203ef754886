#include "regexlists/RegexStage.h"

#include "app/TMain.h"
#include "pipeline/Stages.h"
#include "regexlists/RegExprList.h"
#include "regexlists/RegexApply.h"

namespace pm {
namespace {

// The status text is fixed; only "CurrentTask: " comes from the localization.
constexpr std::string_view kApplyingRule = "Applying regilar expression";

// Runs every checked rule of a list over text, in list order.
void ApplyList(const RegexRuleLists& rules, RuleList list, const Texts& texts, StatusSink& status,
               std::string& text) {
    const auto& items = rules.Items(list);
    for (size_t pos = 0; pos < items.size(); ++pos)
        if (items[pos].checked) text = RunRule(texts, status, rules.ItemRule(list, pos), text);
}

// Entries at every CR LF, CR or LF; a break at the very end leaves an
// empty last entry, so joining and splitting keeps the entry count.
void SplitInto(LineList& lines, std::string_view text) {
    lines.Clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.Append(std::string(text.substr(start, i - start)));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.Append(std::string(text.substr(start)));
}

}  // namespace

std::string RuleStatusText(const Texts& texts, const std::string& ruleName) {
    return texts.Proc("CurrentTask") + std::string(kApplyingRule) + " \"" + ruleName + "\"";
}

std::string RunRule(const Texts& texts, StatusSink& status, const RegexRule& rule, std::string_view text) {
    status.Status(RuleStatusText(texts, rule.name));
    return rx::ApplyRegex(rule.search, rule.replace, text);
}

void ApplySourceRules(TMain& main, std::string& text) {
    if (!main.rules) return;
    ApplyList(*main.rules, RuleList::Source, main.texts, *main.ui.status, text);
}

std::string ApplyMenuRule(TMain& main, size_t menuIndex, std::string_view text) {
    if (!main.rules || menuIndex >= main.rules->Items(RuleList::Source).size()) return std::string(text);
    return RunRule(main.texts, *main.ui.status, main.rules->ItemRule(RuleList::Source, menuIndex), text);
}

void StageUserRegex(ConversionContext& ctx) {
    if (!ctx.rules || ctx.lines.Empty()) return;
    std::string text = ctx.lines.Join("\r\n");
    ApplyList(*ctx.rules, RuleList::Html, ctx.texts, ctx.status, text);
    SplitInto(ctx.lines, text);
}

}  // namespace pm
