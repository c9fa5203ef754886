// Title and author of a newly loaded source, then the user's confirmation.
#pragma once

#include <string>

namespace pm {
class TMain;

// Title detection, title split, short title, the author split in XML output
// mode and, when "Ask about title" is on, the document properties question
// (or the book-description editor when an XML book description is loaded).
void TitleAndAuthorStep(TMain& main, const std::string& text);

}  // namespace pm
