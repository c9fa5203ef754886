// The credit footer and the hyphenation note added to everything the program
// writes, and where the footer goes in a document.
#pragma once

#include <string>
#include <string_view>

#include "config/Settings.h"
#include "document/Templates.h"

namespace pm {

// The maker's web site address used in the credit texts.
extern const char* const kMakerSite;

// The HTML credit footer block (also what source loading removes from a
// book this program produced).
std::string CreditFooter();
// The credit of a plain-text save: two lines separated by LF CR.
std::string PlainTextCredit();

// "HyphVert" when "I-like orientation" is on, else "HyphHoriz".
const std::string& OrientationWord(const Settings& settings, const Templates& templates);
// "HyphInfo" formatted with "Hyph font" and the orientation word.
std::string HyphenationNote(const Settings& settings, const Templates& templates);
// The plain-text form of the note.
std::string PlainHyphenationLine(const Settings& settings, const Templates& templates);

// The credit footer, followed by the hyphenation note when "Hyphenate" is on.
std::string FooterText(const Settings& settings, const Templates& templates);

// Puts footer directly before the last "</body>" of document, or at its very
// beginning when there is none.
std::string InsertFooter(std::string document, std::string_view footer);

}  // namespace pm
