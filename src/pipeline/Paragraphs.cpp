// Placeholder bodies until these stages are written.
#include "pipeline/Stages.h"

namespace pm {
void StageExistingParagraphs(ConversionContext&) {}
void StageCreateParagraphs(ConversionContext&) {}
}  // namespace pm
