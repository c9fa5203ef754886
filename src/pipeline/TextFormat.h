// The three text-format presets and their detection on loading.
#pragma once

#include <string>

namespace pm {
struct Settings;
enum TextFormatPreset : int { kPresetFixedWidth = 0, kPresetLinePerParagraph = 1, kPresetHtml = 2 };
// Chooses the preset that fits the loaded text.
int DetectTextFormatPreset(const std::string& text);
// Applies the five paragraph settings of a preset.
void ApplyTextFormatPreset(Settings& settings, int preset);
}  // namespace pm
