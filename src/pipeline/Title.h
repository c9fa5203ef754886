// Title and author harvested from a loaded source.
#pragma once

#include <string>

namespace pm {
class TMain;
// Title detection, title split, short title, the author split in XML output
// mode and, when "Ask about title" is on, the document properties question.
void TitleAndAuthorStep(TMain& main, const std::string& text);
}  // namespace pm
