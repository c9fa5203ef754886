// Placeholder bodies until these stages are written.
#include "pipeline/Stages.h"

namespace pm {
void StageUnderscoreItalics(ConversionContext&) {}
void StageBracketSuperscripts(ConversionContext&) {}
void StageTidyUp(ConversionContext&) {}
}  // namespace pm
