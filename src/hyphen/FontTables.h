// Device font width tables: how wide each character is in the font of the
// target reading device, and how wide one line of that device is. Named font
// descriptions live under the key "Fonts" of the configuration tree, each
// with "CharWidths" (223 bytes, codes 32..254), "Short" (the line width held
// upright) and "Long" (held sideways). Eight descriptions are built in.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigTree.h"
#include "config/Settings.h"

namespace pm {

inline constexpr std::string_view kFontsKey = "Software\\Vorn Soft\\Pellmark\\1.00\\Fonts";
// The pseudo-font that selects soft-hyphen mode.
inline constexpr std::string_view kSoftHyphenFont = "totaly &shy;";
// Its entry in the font choice list.
inline constexpr std::string_view kSoftHyphenChoice = "+ totaly &shy;";
inline constexpr size_t kStoredWidthCount = 223;  // codes 32..254
inline constexpr int kBuiltinLineWidth = 312;

// The working width table and line width of the chosen device font.
class FontTable {
public:
    // The built-in table: the widths of "BrannVerdana 1.2 small", line width 312.
    FontTable();

    int Width(unsigned char c) const { return widths[c]; }

    std::array<uint8_t, 256> widths{};
    int lineWidth = kBuiltinLineWidth;
};

struct BuiltinFont {
    std::string_view name;
    std::array<uint8_t, kStoredWidthCount> widths;  // codes 32..254
};
inline constexpr int kBuiltinShort = 314, kBuiltinLong = 474;
const std::array<BuiltinFont, 8>& BuiltinFonts();

// Writes all eight built-in descriptions (overwriting user changes to them).
void WriteBuiltinFonts(ConfigTree& tree);

// Start-up: makes sure the built-in descriptions exist and loads the one
// named by "Hyph font" into a new table. Always returns a table (the built-in
// one when nothing could be loaded); *message gets a text the user should see
// when a description is broken, and stays empty otherwise.
std::unique_ptr<FontTable> LoadFontTables(ConfigTree& tree, const Settings& settings,
                                          std::string* message);

// Loads a named description into table: widths from "CharWidths" (a short
// value leaves the remaining codes as they were), codes 0..31 the width of
// the space, line width "Short" (upright) or "Long". Returns false when the
// key is missing or "CharWidths" cannot be read; a missing "Short"/"Long"
// keeps the previous line width and puts the reason into *message.
bool LoadFontDescription(const ConfigTree& tree, std::string_view name, bool upright,
                         FontTable& table, std::string* message);

// The font choice list of the options panel: "I " + name for every
// description, then "- " + name, then "+ totaly &shy;".
struct FontChoiceList {
    std::vector<std::string> entries;
    // The entry of the current "Hyph font" and orientation; -1 when the
    // font has no description.
    int selected = -1;
    // No description under "Fonts": the caller shows message "NoRegFont"
    // with the caption "Error"; entries then hold only "+ totaly &shy;".
    bool noDescriptions = false;
};
FontChoiceList BuildFontChoice(const ConfigTree& tree, const Settings& settings);

// A confirmed entry of that list: sets "I-like orientation", "Hyph font" and
// "Hyph string" and, unless it is the soft-hyphen entry, loads the chosen
// description into table (failures are not reported there).
void ConfirmFontChoice(std::string_view entry, std::string_view hyphString, const ConfigTree& tree,
                       Settings& settings, FontTable& table);

}  // namespace pm
