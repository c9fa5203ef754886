// Running rules over a text with the rule named in the status line: the
// rules menu, the rule editor's test and both list passes go through here.
#pragma once

#include <string>
#include <string_view>

#include "regexlists/RegExprList.h"

namespace pm {
class Texts;
class StatusSink;

// "CurrentTask: Applying regilar expression" and the rule name in quotes.
std::string RuleStatusText(const Texts& texts, const std::string& ruleName);

// One rule over a text with its status line shown.
std::string RunRule(const Texts& texts, StatusSink& status, const RegexRule& rule, std::string_view text);

// Every checked rule of a list over text, in list order.
void ApplyRuleList(const RegexRuleLists& rules, RuleList list, const Texts& texts, StatusSink& status,
                   std::string& text);
}  // namespace pm
