// Placeholder bodies until these stages are written.
#include "pipeline/Stages.h"

namespace pm {
void StageDetectHeaders(ConversionContext&) {}
void StageHeaderRules(ConversionContext&) {}
}  // namespace pm
