// Placeholder bodies until paragraph detection lands.
#include "pipeline/TextFormat.h"

namespace pm {
int DetectTextFormatPreset(const std::string&) { return kPresetFixedWidth; }
void ApplyTextFormatPreset(Settings&, int) {}
}  // namespace pm
