// Placeholder bodies until these stages are written.
#include "pipeline/Stages.h"

namespace pm {
void StageUserRegex(ConversionContext&) {}
}  // namespace pm
