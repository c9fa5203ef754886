// Placeholder bodies until the rule lists land.
#include "regexlists/RegexStage.h"

#include "pipeline/Stages.h"

namespace pm {
void ApplySourceRules(TMain&, std::string&) {}
void StageUserRegex(ConversionContext&) {}
}  // namespace pm
