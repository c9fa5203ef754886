// Placeholder bodies until these stages are written.
#include "pipeline/Stages.h"

namespace pm {
void StageTableOfContents(ConversionContext&) {}
void StageDocumentComment(ConversionContext&) {}
}  // namespace pm
