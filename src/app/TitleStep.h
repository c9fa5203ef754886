// Title and author of a newly loaded source, then the user's confirmation.
#pragma once

#include <string>

namespace pm {
class TMain;

// Title detection, title split, short title, the author split in XML output
// mode and, when "Ask about title" is on, the document properties question
// (or the book-description editor when an XML book description is loaded).
// False when the question was closed without "Done": the document values
// are then as they were before, and the load is given up.
bool TitleAndAuthorStep(TMain& main, const std::string& text);

}  // namespace pm
