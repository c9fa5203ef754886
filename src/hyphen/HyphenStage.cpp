// Placeholder bodies until these stages are written.
#include "pipeline/Stages.h"

namespace pm {
void StageHyphenate(ConversionContext&) {}
}  // namespace pm
