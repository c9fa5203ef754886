// The credit footer and hyphenation note added to everything the program writes.
#pragma once

#include <string>

namespace pm {
// The maker's web site address used in the credit texts.
extern const char* const kMakerSite;
// The HTML credit footer block.
std::string CreditFooter();
}  // namespace pm
