// The rule lists applied to a loaded source and, as the last stage, to the HTML.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pm {
class TMain;
class Texts;
class StatusSink;
struct RegexRule;

// Applies every checked rule of the source list to text, in list order.
// Nothing happens while the main window has no rule lists.
void ApplySourceRules(TMain& main, std::string& text);

// "CurrentTask: Applying regilar expression" and the rule name in quotes.
std::string RuleStatusText(const Texts& texts, const std::string& ruleName);

// One rule over a text with its status line shown: the rules menu, the
// rule editor's test and both list passes go through here.
std::string RunRule(const Texts& texts, StatusSink& status, const RegexRule& rule, std::string_view text);

// The rules menu: the rule of menu item menuIndex (source-list order) over
// text, which is the editor's selection or its whole text. Without rule
// lists, or for an index past the menu, the text comes back unchanged.
std::string ApplyMenuRule(TMain& main, size_t menuIndex, std::string_view text);
}  // namespace pm
