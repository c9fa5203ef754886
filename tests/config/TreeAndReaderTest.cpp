// The in-memory tree and the settings reader over it.
#include <gtest/gtest.h>

#include "config/ConfigTree.h"
#include "config/TMyReg.h"

namespace pm {
namespace {

TEST(ConfigTree, NamesMatchWithoutCaseButKeepTheirFirstSpelling) {
    ConfigTree t;
    ASSERT_TRUE(t.SetString("Software\\Vorn Soft", "Last reader file", "a.html"));
    ASSERT_TRUE(t.SetString("SOFTWARE\\vorn soft", "last reader file", "b.html"));
    const auto values = t.Values("software\\VORN SOFT");
    ASSERT_EQ(values.size(), 1u);
    EXPECT_EQ(values[0].name, "Last reader file");
    EXPECT_EQ(values[0].text, "b.html");
    EXPECT_EQ(t.SubKeys("software"), std::vector<std::string>{"Vorn Soft"});
    EXPECT_EQ(t.StoredPath("SOFTWARE\\VORN SOFT"), "Software\\Vorn Soft");
    EXPECT_FALSE(t.StoredPath("Software\\Other").has_value());
}

TEST(ConfigTree, CyrillicNamesCompareWithoutCase) {
    ConfigTree t;
    t.SetDWord("\xCA\xEB\xFE\xF7", "\xC8\xEC\xFF", 5);  // upper-case Cyrillic
    auto v = t.GetValue("\xEA\xEB\xFE\xF7", "\xE8\xEC\xFF");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->number, 5);
}

TEST(ConfigTree, DeletingAKeyTakesItsSubKeysAndLeavesSiblings) {
    ConfigTree t;
    t.SetString("A\\B\\C", "x", "1");
    t.SetString("A\\B2", "y", "2");
    EXPECT_TRUE(t.DeleteKey("a\\b"));
    EXPECT_FALSE(t.KeyExists("A\\B"));
    EXPECT_FALSE(t.KeyExists("A\\B\\C"));
    EXPECT_TRUE(t.KeyExists("A\\B2"));
    EXPECT_FALSE(t.DeleteKey("A\\B"));
    EXPECT_FALSE(t.CreateKey("A\\\\B"));  // empty name in the middle
}

TEST(ConfigTree, LookupsStayRightAfterDeletingFromTheMiddle) {
    ConfigTree t;
    for (int k = 0; k < 50; ++k) {
        t.SetDWord("Regexp", "Rule " + std::to_string(k), k);
        t.CreateKey("Fonts\\Table " + std::to_string(k));
    }
    EXPECT_TRUE(t.DeleteValue("regexp", "RULE 10"));
    EXPECT_TRUE(t.DeleteKey("fonts\\table 10"));
    EXPECT_FALSE(t.GetValue("Regexp", "Rule 10"));
    EXPECT_EQ(t.GetValue("Regexp", "Rule 11")->number, 11);
    EXPECT_EQ(t.GetValue("Regexp", "Rule 49")->number, 49);
    EXPECT_TRUE(t.KeyExists("Fonts\\Table 49"));
    t.SetDWord("Regexp", "Rule 10", 100);  // comes back at the end
    EXPECT_EQ(t.Values("Regexp").back().name, "Rule 10");
    EXPECT_EQ(t.SubKeys("Fonts").size(), 49u);
    EXPECT_EQ(t.SubKeys("Fonts")[10], "Table 11");
}

TEST(ConfigTree, DirtyOnlyOnRealChanges) {
    ConfigTree t;
    t.SetDWord("K", "n", 1);
    t.MarkClean();
    t.SetDWord("K", "N", 1);
    EXPECT_FALSE(t.Dirty());
    t.SetString("K", "n", "1");  // same name, other type
    EXPECT_TRUE(t.Dirty());
    t.SetReadOnly(true);
    EXPECT_FALSE(t.SetDWord("K", "m", 2));
    EXPECT_FALSE(t.DeleteKey("K"));
}

TEST(TMyReg, WrongTypeEmptyAndMissingGiveTheDefault) {
    ConfigTree t;
    t.SetString("Root", "Text", "hello");
    t.SetString("Root", "Empty", "");
    t.SetString("Root", "NumberAsText", "12");
    t.SetDWord("Root", "Number", -7);
    t.SetDWord("Root", "Flag", 2);
    t.SetBinary("Root", "Blob", {1, 2});
    TMyReg reg(t, "root");
    ASSERT_TRUE(reg.Exists());
    EXPECT_EQ(reg.ReadString("TEXT", "d"), "hello");
    EXPECT_EQ(reg.ReadString("Empty", "d"), "d");
    EXPECT_EQ(reg.ReadString("Number", "d"), "d");
    EXPECT_EQ(reg.ReadString("Missing", "d"), "d");
    EXPECT_EQ(reg.ReadInteger("Number", 3), -7);
    EXPECT_EQ(reg.ReadInteger("NumberAsText", 3), 3);
    EXPECT_EQ(reg.ReadInteger("Blob", 3), 3);
    EXPECT_TRUE(reg.ReadBool("Flag", false));  // any non-zero is true
    EXPECT_FALSE(reg.ReadBool("Text", false));
    EXPECT_TRUE(reg.ReadBool("Text", true));
    reg.Close();
    EXPECT_EQ(reg.ReadInteger("Number", 3), 3);
}

TEST(TMyReg, OpeningAMissingKeyDoesNotCreateIt) {
    ConfigTree t;
    t.MarkClean();
    TMyReg reg(t, "Software\\Nowhere");
    EXPECT_FALSE(reg.Exists());
    EXPECT_EQ(reg.ReadInteger("x", 9), 9);
    EXPECT_FALSE(t.KeyExists("Software"));
    EXPECT_FALSE(t.Dirty());
}

}  // namespace
}  // namespace pm
