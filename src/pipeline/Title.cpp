// Placeholder body until title detection lands.
#include "pipeline/Title.h"

namespace pm {
void TitleAndAuthorStep(TMain&, const std::string&) {}
}  // namespace pm
