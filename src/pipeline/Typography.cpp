// Placeholder bodies until these stages are written.
#include "pipeline/Stages.h"

namespace pm {
void StageQuotes(ConversionContext&) {}
void StageDashes(ConversionContext&) {}
void StageEllipses(ConversionContext&) {}
}  // namespace pm
