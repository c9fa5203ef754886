// The rule lists applied to a loaded source and, as the last stage, to the HTML.
#pragma once

#include <string>

namespace pm {
class TMain;
// Applies every checked rule of the source list to text, in list order.
void ApplySourceRules(TMain& main, std::string& text);
}  // namespace pm
