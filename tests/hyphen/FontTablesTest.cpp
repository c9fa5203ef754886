#include <gtest/gtest.h>

#include "HyphTestUtil.h"
#include "hyphen/FontTables.h"

namespace pm {
namespace {

using test::W;

std::string Key(std::string_view name) { return std::string(kFontsKey) + "\\" + std::string(name); }

const BuiltinFont& Builtin(std::string_view name) {
    for (const BuiltinFont& f : BuiltinFonts())
        if (f.name == name) return f;
    throw std::runtime_error("no such built-in font");
}

int StoredWidth(const BuiltinFont& f, unsigned char c) { return f.widths[c - 32]; }

TEST(BuiltinFonts, TellingWidths) {
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
    ASSERT_EQ(cols.size(), 16u);
    ASSERT_EQ(BuiltinFonts().size(), 8u);
    for (const auto& [name, widths] : telling)
        for (size_t i = 0; i < cols.size(); ++i)
            EXPECT_EQ(StoredWidth(Builtin(name), cols[i]), widths[i]) << name << " column " << i;
}

TEST(BuiltinFonts, UndefinedCodesAndConsistency) {
    const std::vector<unsigned char> serbian = {128, 129, 141, 142, 143, 144, 157, 158};
    for (const BuiltinFont& f : BuiltinFonts()) {
        const bool v12 = f.name.starts_with("BrannVerdana 1.2");
        EXPECT_EQ(StoredWidth(f, 127), 0) << f.name;
        for (unsigned char c : serbian) EXPECT_EQ(StoredWidth(f, c) == 0, !v12) << f.name << " " << int(c);
        for (int c = 32; c < 255; ++c) {
            if (c == 127 || (!v12 && std::count(serbian.begin(), serbian.end(), c))) continue;
            EXPECT_GT(StoredWidth(f, static_cast<unsigned char>(c)), 0) << f.name << " " << c;
        }
        // Cyrillic letters drawn like Latin ones are as wide.
        for (const char* pair : {"OО", "oо", "EЕ", "eе", "CС", "cс", "PР", "pр", "XХ", "xх", "yу"}) {
            const std::string p = W(pair);
            EXPECT_EQ(StoredWidth(f, p[0]), StoredWidth(f, p[1])) << f.name << " " << pair;
        }
        for (char d = '1'; d <= '9'; ++d) EXPECT_EQ(StoredWidth(f, d), StoredWidth(f, '0'));
    }
    // A large variant is never narrower than its small one.
    for (const char* family : {"BrannVerdana 1.2", "BrannVerdana 1.0", "KavTimes 1.0", "Rocket font"}) {
        const BuiltinFont& large = Builtin(std::string(family) + " large");
        const BuiltinFont& small = Builtin(std::string(family) + " small");
        int wider = 0;
        for (size_t i = 0; i < kStoredWidthCount; ++i) {
            EXPECT_GE(large.widths[i], small.widths[i]) << family << " " << i + 32;
            wider += large.widths[i] > small.widths[i];
        }
        EXPECT_GT(wider, 150) << family;
    }
}

TEST(FontTableStartUp, FirstStartOnAnEmptyTree) {
    ConfigTree tree;
    Settings settings;
    std::string message = "stale";
    const auto table = LoadFontTables(tree, settings, &message);
    EXPECT_EQ(message, "");
    ASSERT_EQ(tree.SubKeys(kFontsKey).size(), 8u);
    for (const BuiltinFont& f : BuiltinFonts()) {
        EXPECT_EQ(tree.GetValue(Key(f.name), "Short")->number, 314);
        EXPECT_EQ(tree.GetValue(Key(f.name), "Long")->number, 474);
        EXPECT_EQ(tree.GetValue(Key(f.name), "CharWidths")->bytes.size(), kStoredWidthCount);
    }
    // "BrannVerdana 1.2 small" read back equals the built-in working table.
    const FontTable builtin;
    EXPECT_EQ(table->widths, builtin.widths);
    EXPECT_EQ(table->lineWidth, 314);
    for (int c = 0; c < 32; ++c) EXPECT_EQ(table->Width(static_cast<unsigned char>(c)), 5);
    EXPECT_EQ(table->Width(255), 8);
    EXPECT_EQ(builtin.lineWidth, 312);
}

TEST(FontTableStartUp, MissingBuiltinRestoresAllEight) {
    ConfigTree tree;
    Settings settings;
    LoadFontTables(tree, settings, nullptr);
    ASSERT_TRUE(tree.DeleteKey(Key("KavTimes 1.0 small")));
    tree.SetDWord(Key("Rocket font small"), "Short", 100);
    tree.SetString(Key("My device"), "Note", "user description");
    LoadFontTables(tree, settings, nullptr);
    EXPECT_TRUE(tree.KeyExists(Key("KavTimes 1.0 small")));
    EXPECT_EQ(tree.GetValue(Key("Rocket font small"), "Short")->number, 314);  // overwritten
    EXPECT_TRUE(tree.KeyExists(Key("My device")));
    // With all eight present, user changes stay.
    tree.SetDWord(Key("Rocket font small"), "Short", 100);
    LoadFontTables(tree, settings, nullptr);
    EXPECT_EQ(tree.GetValue(Key("Rocket font small"), "Short")->number, 100);
}

TEST(FontTableStartUp, MissingFontKeepsTheBuiltInTable) {
    ConfigTree tree;
    Settings settings;
    settings.HyphFont = "No such font";
    const auto table = LoadFontTables(tree, settings, nullptr);
    EXPECT_EQ(table->lineWidth, 312);
    EXPECT_EQ(table->widths, FontTable().widths);
    settings.HyphFont = "Fonts\\..\\x";  // a name that is not one key
    EXPECT_EQ(LoadFontTables(tree, settings, nullptr)->lineWidth, 312);
}

TEST(FontTableStartUp, SoftHyphenModeLoadsNothing) {
    ConfigTree tree;
    Settings settings;
    settings.HyphFont = std::string(kSoftHyphenFont);
    EXPECT_EQ(LoadFontTables(tree, settings, nullptr)->lineWidth, 312);
    EXPECT_EQ(tree.SubKeys(kFontsKey).size(), 8u);  // the descriptions are still written
}

TEST(FontTableStartUp, SidewaysUsesLong) {
    ConfigTree tree;
    Settings settings;
    settings.ILikeOrientation = false;
    settings.HyphFont = "KavTimes 1.0 large";
    const auto table = LoadFontTables(tree, settings, nullptr);
    EXPECT_EQ(table->lineWidth, 474);
    EXPECT_EQ(table->Width('W'), 20);
    EXPECT_EQ(table->Width(0), 5);  // the space of that font
}

TEST(FontDescription, ShortWidthsLeaveTheRest) {
    ConfigTree tree;
    tree.SetBinary(Key("Tiny"), "CharWidths", std::vector<uint8_t>(10, 20));
    tree.SetDWord(Key("Tiny"), "Short", 200);
    tree.SetDWord(Key("Tiny"), "Long", 300);
    FontTable table;
    EXPECT_TRUE(LoadFontDescription(tree, "tiny", true, table, nullptr));  // names ignore case
    for (int c = 32; c < 42; ++c) EXPECT_EQ(table.Width(static_cast<unsigned char>(c)), 20);
    EXPECT_EQ(table.Width(42), FontTable().Width(42));
    EXPECT_EQ(table.Width(7), 20);
    EXPECT_EQ(table.lineWidth, 200);
    // Extra bytes beyond code 254 are ignored; code 255 keeps 8.
    tree.SetBinary(Key("Tiny"), "CharWidths", std::vector<uint8_t>(300, 9));
    EXPECT_TRUE(LoadFontDescription(tree, "Tiny", false, table, nullptr));
    EXPECT_EQ(table.Width(254), 9);
    EXPECT_EQ(table.Width(255), 8);
    EXPECT_EQ(table.lineWidth, 300);
}

TEST(FontDescription, MissingLineWidthKeepsThePreviousOne) {
    ConfigTree tree;
    Settings settings;
    tree.SetBinary(Key("NoShort"), "CharWidths", std::vector<uint8_t>(kStoredWidthCount, 6));
    tree.SetDWord(Key("NoShort"), "Long", 400);
    tree.SetString(Key("StringShort"), "Short", "300");
    settings.HyphFont = "NoShort";
    std::string message;
    const auto table = LoadFontTables(tree, settings, &message);
    EXPECT_EQ(table->lineWidth, 312);
    EXPECT_EQ(table->Width('a'), 6);
    EXPECT_NE(message.find("Short"), std::string::npos);
    FontTable other;
    other.lineWidth = 250;
    LoadFontDescription(tree, "StringShort", true, other, &message);
    EXPECT_EQ(other.lineWidth, 250);
    EXPECT_NE(message, "");
}

TEST(FontDescription, UnreadableWidthsRewriteTheBuiltins) {
    ConfigTree tree;
    Settings settings;
    LoadFontTables(tree, settings, nullptr);
    tree.SetDWord(Key("Rocket font small"), "Short", 100);
    tree.SetString(Key("Broken"), "CharWidths", "not binary");
    tree.SetDWord(Key("Broken"), "Short", 280);
    settings.HyphFont = "Broken";
    const auto table = LoadFontTables(tree, settings, nullptr);
    EXPECT_EQ(tree.GetValue(Key("Rocket font small"), "Short")->number, 314);
    EXPECT_EQ(table->widths, FontTable().widths);
    EXPECT_EQ(table->lineWidth, 280);
    // On a confirmed choice nothing is rewritten.
    tree.SetDWord(Key("Rocket font small"), "Short", 100);
    FontTable chosen;
    EXPECT_FALSE(LoadFontDescription(tree, "Broken", true, chosen, nullptr));
    EXPECT_EQ(tree.GetValue(Key("Rocket font small"), "Short")->number, 100);
}

TEST(FontChoice, EntryList) {
    ConfigTree tree;
    Settings settings;
    LoadFontTables(tree, settings, nullptr);
    FontChoiceList list = BuildFontChoice(tree, settings);
    ASSERT_EQ(list.entries.size(), 17u);
    EXPECT_FALSE(list.noDescriptions);
    EXPECT_EQ(list.entries[0], "I BrannVerdana 1.2 small");
    EXPECT_EQ(list.entries[7], "I Rocket font small");
    EXPECT_EQ(list.entries[8], "- BrannVerdana 1.2 small");
    EXPECT_EQ(list.entries[16], "+ totaly &shy;");
    EXPECT_EQ(list.selected, 0);
    settings.ILikeOrientation = false;
    settings.HyphFont = "rocket font large";
    EXPECT_EQ(BuildFontChoice(tree, settings).selected, 14);
    settings.HyphFont = std::string(kSoftHyphenFont);
    EXPECT_EQ(BuildFontChoice(tree, settings).selected, 16);
    settings.HyphFont = "Gone";
    EXPECT_EQ(BuildFontChoice(tree, settings).selected, -1);
}

TEST(FontChoice, NoDescriptions) {
    ConfigTree tree;
    tree.CreateKey(kFontsKey);
    const FontChoiceList list = BuildFontChoice(tree, Settings());
    EXPECT_TRUE(list.noDescriptions);
    EXPECT_EQ(list.entries, std::vector<std::string>{"+ totaly &shy;"});
}

TEST(FontChoice, SidewaysRocketFontLarge) {
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
    // Upright again.
    ConfirmFontChoice("I Rocket font large", "-", tree, settings, *table);
    EXPECT_TRUE(settings.ILikeOrientation);
    EXPECT_EQ(table->lineWidth, 314);
}

TEST(FontChoice, SoftHyphenEntryLoadsNothing) {
    ConfigTree tree;
    Settings settings;
    auto table = LoadFontTables(tree, settings, nullptr);
    table->lineWidth = 123;
    ConfirmFontChoice("+ totaly &shy;", "-", tree, settings, *table);
    EXPECT_EQ(settings.HyphFont, "totaly &shy;");
    EXPECT_FALSE(settings.ILikeOrientation);
    EXPECT_EQ(table->lineWidth, 123);
    // A chosen description that has gone keeps the widths in force.
    ConfirmFontChoice("I Vanished", "-", tree, settings, *table);
    EXPECT_EQ(settings.HyphFont, "Vanished");
    EXPECT_EQ(table->lineWidth, 123);
}

}  // namespace
}  // namespace pm
