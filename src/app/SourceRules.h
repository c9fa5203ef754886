// The user's source rule list, over a loaded source and from the rules menu.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pm {
class TMain;

// Applies every checked rule of the source list to text, in list order.
// Nothing happens while the main window has no rule lists.
void ApplySourceRules(TMain& main, std::string& text);

// The rules menu: the rule of menu item menuIndex (source-list order) over
// text, which is the editor's selection or its whole text. Without rule
// lists, or for an index past the menu, the text comes back unchanged.
std::string ApplyMenuRule(TMain& main, size_t menuIndex, std::string_view text);
}  // namespace pm
