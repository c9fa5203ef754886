#include <gtest/gtest.h>

#include <map>

#include "HyphTestUtil.h"
#include "hyphen/FontTables.h"

namespace pm {
namespace {

using test::W;

std::string Key(std::string_view name) { return std::string(kFontsKey) + "\\" + std::string(name); }
int32_t Stored(const ConfigTree& tree, std::string_view font, std::string_view value) {
    return tree.GetValue(Key(font), value)->number;
}

const BuiltinFont& Builtin(std::string_view name) {
    for (const BuiltinFont& f : BuiltinFonts())
        if (f.name == name) return f;
    throw std::runtime_error("no such built-in font");
}
int WidthOf(const BuiltinFont& f, unsigned char c) { return f.widths[c - 32]; }

TEST(BuiltinFonts, TellingWidthsAndConsistency) {
    const std::string cols = W(" -.0AWaim–«АЖажш");
    const std::map<std::string_view, std::vector<int>> telling = {
        {"BrannVerdana 1.2 small", {5, 7, 5, 9, 11, 15, 8, 3, 13, 9, 9, 11, 15, 8, 11, 11}},
        {"BrannVerdana 1.2 large", {7, 9, 7, 12, 13, 19, 11, 6, 18, 12, 12, 13, 18, 11, 15, 17}},
        {"BrannVerdana 1.0 small", {5, 7, 5, 9, 11, 15, 8, 3, 13, 9, 9, 11, 14, 8, 10, 9}},
        {"BrannVerdana 1.0 large", {7, 9, 7, 12, 13, 19, 11, 6, 18, 12, 12, 13, 14, 11, 12, 16}},
        {"KavTimes 1.0 large", {5, 6, 5, 11, 15, 20, 9, 5, 17, 11, 11, 15, 19, 8, 15, 15}},
        {"KavTimes 1.0 small", {4, 5, 4, 7, 12, 16, 7, 4, 12, 8, 7, 12, 16, 7, 10, 12}},
        {"Rocket font large", {7, 9, 7, 12, 13, 19, 11, 6, 18, 12, 12, 13, 19, 11, 18, 12}},
        {"Rocket font small", {5, 7, 5, 9, 11, 15, 8, 3, 13, 9, 9, 11, 14, 8, 13, 9}},
    };
    ASSERT_EQ(BuiltinFonts().size(), 8u);
    const std::vector<int> serbian = {128, 129, 141, 142, 143, 144, 157, 158};
    for (const auto& [name, widths] : telling) {
        const BuiltinFont& f = Builtin(name);
        for (size_t i = 0; i < cols.size(); ++i) EXPECT_EQ(WidthOf(f, cols[i]), widths[i]) << name << " " << i;
        // Width 0 only for the codes the device font does not draw.
        const bool v12 = name.starts_with("BrannVerdana 1.2");
        for (int c = 32; c < 255; ++c) {
            const bool undrawn = c == 127 || (!v12 && std::count(serbian.begin(), serbian.end(), c));
            EXPECT_EQ(WidthOf(f, c) == 0, undrawn) << name << " " << c;
        }
        // Cyrillic letters drawn like Latin ones are as wide.
        for (const char* pair : {"OО", "oо", "EЕ", "eе", "CС", "cс", "PР", "pр", "XХ", "xх", "yу"})
            EXPECT_EQ(WidthOf(f, W(pair)[0]), WidthOf(f, W(pair)[1])) << name << " " << pair;
    }
    // A large variant is wider than its small one, and never narrower.
    for (const char* family : {"BrannVerdana 1.2", "BrannVerdana 1.0", "KavTimes 1.0", "Rocket font"}) {
        const auto& large = Builtin(std::string(family) + " large").widths;
        const auto& small = Builtin(std::string(family) + " small").widths;
        int wider = 0;
        for (size_t i = 0; i < kStoredWidthCount; ++i) {
            EXPECT_GE(large[i], small[i]) << family << " " << i + 32;
            wider += large[i] > small[i];
        }
        EXPECT_GT(wider, 150) << family;
    }
}

TEST(FontTableStartUp, FirstStartAndRestore) {
    ConfigTree tree;
    Settings settings;
    std::string message = "stale";
    const auto table = LoadFontTables(tree, settings, &message);
    EXPECT_EQ(message, "");
    ASSERT_EQ(tree.SubKeys(kFontsKey).size(), 8u);
    for (const BuiltinFont& f : BuiltinFonts()) {
        EXPECT_EQ(Stored(tree, f.name, "Short"), 314);
        EXPECT_EQ(Stored(tree, f.name, "Long"), 474);
    }
    // "BrannVerdana 1.2 small" read back equals the built-in working table.
    EXPECT_EQ(table->widths, FontTable().widths);
    EXPECT_EQ(table->lineWidth, 314);
    EXPECT_EQ(table->Width(0), 5);
    EXPECT_EQ(table->Width(31), 5);
    EXPECT_EQ(table->Width(255), 8);
    // One deleted: all eight are written again, over user changes.
    ASSERT_TRUE(tree.DeleteKey(Key("KavTimes 1.0 small")));
    tree.SetDWord(Key("Rocket font small"), "Short", 100);
    LoadFontTables(tree, settings, nullptr);
    EXPECT_TRUE(tree.KeyExists(Key("KavTimes 1.0 small")));
    EXPECT_EQ(Stored(tree, "Rocket font small", "Short"), 314);
    // All eight present: user changes stay.
    tree.SetDWord(Key("Rocket font small"), "Short", 100);
    LoadFontTables(tree, settings, nullptr);
    EXPECT_EQ(Stored(tree, "Rocket font small", "Short"), 100);
}

TEST(FontTableStartUp, ChosenFontAndOrientation) {
    ConfigTree tree;
    Settings settings;
    for (const char* missing : {"No such font", "Fonts\\..\\x", "totaly &shy;"}) {
        settings.HyphFont = missing;
        const auto table = LoadFontTables(tree, settings, nullptr);
        EXPECT_EQ(table->lineWidth, 312) << missing;
        EXPECT_EQ(table->widths, FontTable().widths);
    }
    settings.ILikeOrientation = false;
    settings.HyphFont = "KavTimes 1.0 large";
    const auto table = LoadFontTables(tree, settings, nullptr);
    EXPECT_EQ(table->lineWidth, 474);
    EXPECT_EQ(table->Width('W'), 20);
}

TEST(FontDescription, ShortOrBrokenValues) {
    ConfigTree tree;
    Settings settings;
    LoadFontTables(tree, settings, nullptr);
    // Ten widths: the rest keep theirs; codes 0..31 follow the new space.
    tree.SetBinary(Key("Tiny"), "CharWidths", std::vector<uint8_t>(10, 20));
    tree.SetDWord(Key("Tiny"), "Short", 200);
    FontTable table;
    EXPECT_TRUE(LoadFontDescription(tree, "tiny", true, table, nullptr));
    EXPECT_EQ(table.Width(41), 20);
    EXPECT_EQ(table.Width(42), FontTable().Width(42));
    EXPECT_EQ(table.Width(7), 20);
    EXPECT_EQ(table.lineWidth, 200);
    // No "Long": the line width stays and the user is told why.
    std::string message;
    EXPECT_TRUE(LoadFontDescription(tree, "Tiny", false, table, &message));
    EXPECT_EQ(table.lineWidth, 200);
    EXPECT_NE(message.find("Long"), std::string::npos);
    // Widths that cannot be read: at start the built-ins are written again.
    tree.SetDWord(Key("Rocket font small"), "Short", 100);
    tree.SetString(Key("Broken"), "CharWidths", "not binary");
    tree.SetDWord(Key("Broken"), "Short", 280);
    settings.HyphFont = "Broken";
    const auto started = LoadFontTables(tree, settings, nullptr);
    EXPECT_EQ(Stored(tree, "Rocket font small", "Short"), 314);
    EXPECT_EQ(started->widths, FontTable().widths);
    EXPECT_EQ(started->lineWidth, 280);
    // ... but not on a confirmed choice.
    tree.SetDWord(Key("Rocket font small"), "Short", 100);
    EXPECT_FALSE(LoadFontDescription(tree, "Broken", true, table, nullptr));
    EXPECT_EQ(Stored(tree, "Rocket font small", "Short"), 100);
}

TEST(FontChoice, EntriesAndSelection) {
    ConfigTree tree;
    tree.CreateKey(kFontsKey);
    Settings settings;
    const FontChoiceList none = BuildFontChoice(tree, settings);
    EXPECT_TRUE(none.noDescriptions);
    EXPECT_EQ(none.entries, std::vector<std::string>{"+ totaly &shy;"});
    LoadFontTables(tree, settings, nullptr);
    const FontChoiceList list = BuildFontChoice(tree, settings);
    ASSERT_EQ(list.entries.size(), 17u);
    EXPECT_EQ(list.entries[7], "I Rocket font small");
    EXPECT_EQ(list.entries[8], "- BrannVerdana 1.2 small");
    EXPECT_EQ(list.entries[16], "+ totaly &shy;");
    EXPECT_EQ(list.selected, 0);
    settings.ILikeOrientation = false;
    settings.HyphFont = "rocket font large";
    EXPECT_EQ(BuildFontChoice(tree, settings).selected, 14);
    settings.HyphFont = "totaly &shy;";
    EXPECT_EQ(BuildFontChoice(tree, settings).selected, 16);
    settings.HyphFont = "Gone";
    EXPECT_EQ(BuildFontChoice(tree, settings).selected, -1);
}

TEST(FontChoice, Confirmation) {
    ConfigTree tree;
    Settings settings;
    auto table = LoadFontTables(tree, settings, nullptr);
    tree.SetDWord(Key("Rocket font large"), "Long", 480);
    ConfirmFontChoice("- Rocket font large", "&shy;", tree, settings, *table);
    EXPECT_FALSE(settings.ILikeOrientation);
    EXPECT_EQ(settings.HyphFont, "Rocket font large");
    EXPECT_EQ(settings.HyphString, "&shy;");
    EXPECT_EQ(table->lineWidth, 480);
    EXPECT_EQ(table->Width(W("ж")[0]), 18);
    // The soft-hyphen entry, and a description that has gone, load nothing.
    ConfirmFontChoice("+ totaly &shy;", "-", tree, settings, *table);
    EXPECT_EQ(settings.HyphFont, "totaly &shy;");
    ConfirmFontChoice("I Vanished", "-", tree, settings, *table);
    EXPECT_TRUE(settings.ILikeOrientation);
    EXPECT_EQ(settings.HyphFont, "Vanished");
    EXPECT_EQ(table->lineWidth, 480);
}

}  // namespace
}  // namespace pm
