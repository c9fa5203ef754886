// Placeholder bodies until these stages are written.
#include "pipeline/Stages.h"

namespace pm {
void StageDetectEpigraphs(ConversionContext&) {}
}  // namespace pm
