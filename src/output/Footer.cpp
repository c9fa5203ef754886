#include "output/Footer.h"

namespace pm {
const char* const kMakerSite = "https://pellmark.invalid/";
std::string CreditFooter() { return std::string(); }
}  // namespace pm
