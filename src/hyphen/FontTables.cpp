#include "hyphen/FontTables.h"
#include "common/Concat.h"

#include <algorithm>

#include "common/Cp1251.h"

namespace pm {
namespace {

constexpr unsigned char kFirstStored = 32;

std::string DescriptionKey(std::string_view name) {
    return Concat({kFontsKey, "\\", name});
}

// A name that cannot address one sub-key of "Fonts".
bool IsUsableName(std::string_view name) {
    return !name.empty() && name.find('\\') == std::string_view::npos;
}

bool AllBuiltinsPresent(const ConfigTree& tree) {
    for (const BuiltinFont& f : BuiltinFonts())
        if (!tree.KeyExists(DescriptionKey(f.name))) return false;
    return true;
}

// Codes 0..31 are measured like the space.
void SpreadSpaceWidth(FontTable& table) {
    std::fill(table.widths.begin(), table.widths.begin() + kFirstStored, table.widths[kFirstStored]);
}

bool ReadCharWidths(const ConfigTree& tree, const std::string& key, FontTable& table) {
    const auto v = tree.GetValue(key, "CharWidths");
    if (!v || v->type != ValueType::Binary) return false;
    const size_t n = std::min(v->bytes.size(), kStoredWidthCount);
    std::copy_n(v->bytes.begin(), n, table.widths.begin() + kFirstStored);
    return true;
}

void ReadLineWidth(const ConfigTree& tree, const std::string& key, std::string_view name, bool upright,
                   FontTable& table, std::string* message) {
    const char* valueName = upright ? "Short" : "Long";
    const auto v = tree.GetValue(key, valueName);
    if (v && v->type == ValueType::DWord) {
        table.lineWidth = v->number;
        return;
    }
    if (message)
        *message = Concat({"Font description \"", name, "\" has no integer value \"", valueName, "\""});
}

enum class LoadResult { Loaded, NoKey, NoWidths };

LoadResult LoadDescription(const ConfigTree& tree, std::string_view name, bool upright, FontTable& table,
                           std::string* message) {
    if (!IsUsableName(name)) return LoadResult::NoKey;
    const std::string key = DescriptionKey(name);
    if (!tree.KeyExists(key)) return LoadResult::NoKey;
    const bool widthsRead = ReadCharWidths(tree, key, table);
    SpreadSpaceWidth(table);
    ReadLineWidth(tree, key, name, upright, table, message);
    return widthsRead ? LoadResult::Loaded : LoadResult::NoWidths;
}

}  // namespace

FontTable::FontTable() {
    const auto& builtin = BuiltinFonts()[0].widths;  // "BrannVerdana 1.2 small"
    std::copy(builtin.begin(), builtin.end(), widths.begin() + kFirstStored);
    SpreadSpaceWidth(*this);
    widths[255] = 8;
}

void WriteBuiltinFonts(ConfigTree& tree) {
    for (const BuiltinFont& f : BuiltinFonts()) {
        const std::string key = DescriptionKey(f.name);
        tree.CreateKey(key);
        tree.SetDWord(key, "Short", kBuiltinShort);
        tree.SetDWord(key, "Long", kBuiltinLong);
        tree.SetBinary(key, "CharWidths", std::vector<uint8_t>(f.widths.begin(), f.widths.end()));
    }
}

std::unique_ptr<FontTable> LoadFontTables(ConfigTree& tree, const Settings& settings, std::string* message) {
    if (message) message->clear();
    auto table = std::make_unique<FontTable>();
    tree.CreateKey(kFontsKey);
    if (!AllBuiltinsPresent(tree)) WriteBuiltinFonts(tree);
    if (settings.HyphFont == kSoftHyphenFont) return table;
    // A description whose widths cannot be read is repaired by writing the
    // built-in ones again; the widths in force stay as they are.
    if (LoadDescription(tree, settings.HyphFont, settings.ILikeOrientation, *table, message) ==
        LoadResult::NoWidths)
        WriteBuiltinFonts(tree);
    return table;
}

bool LoadFontDescription(const ConfigTree& tree, std::string_view name, bool upright, FontTable& table,
                         std::string* message) {
    if (message) message->clear();
    return LoadDescription(tree, name, upright, table, message) == LoadResult::Loaded;
}

FontChoiceList BuildFontChoice(const ConfigTree& tree, const Settings& settings) {
    FontChoiceList list;
    const std::vector<std::string> names = tree.SubKeys(kFontsKey);
    list.noDescriptions = names.empty();
    for (const std::string& n : names) list.entries.push_back("I " + n);
    for (const std::string& n : names) list.entries.push_back("- " + n);
    list.entries.emplace_back(kSoftHyphenChoice);
    if (settings.HyphFont == kSoftHyphenFont) {
        list.selected = static_cast<int>(list.entries.size()) - 1;
        return list;
    }
    for (size_t i = 0; i < names.size(); ++i) {
        if (!cp1251::EqualsNoCase(names[i], settings.HyphFont)) continue;
        list.selected = static_cast<int>(settings.ILikeOrientation ? i : names.size() + i);
        break;
    }
    return list;
}

void ConfirmFontChoice(std::string_view entry, std::string_view hyphString, const ConfigTree& tree,
                       Settings& settings, FontTable& table) {
    if (entry.size() < 2) return;
    settings.SetILikeOrientation(entry[0] == 'I');
    settings.SetHyphFont(std::string(entry.substr(2)));
    settings.SetHyphString(std::string(hyphString));
    if (entry == kSoftHyphenChoice) return;
    LoadFontDescription(tree, settings.HyphFont, settings.ILikeOrientation, table, nullptr);
}

}  // namespace pm
