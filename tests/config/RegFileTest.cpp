// REGEDIT4 import and export.
#include <gtest/gtest.h>

#include <random>

#include "config/RegFile.h"

namespace pm {
namespace {

const std::string kRoot = "Software\\Vorn Soft\\Pellmark\\1.00";

bool Import(ConfigTree& t, const std::string& text, std::string* err = nullptr) {
    std::string local;
    return ImportRegedit(t, text, err ? err : &local);
}

TEST(RegFile, ReadsEveryValueForm) {
    ConfigTree t;
    std::string err;
    ASSERT_TRUE(Import(t,
                       "REGEDIT4\r\n\r\n"
                       "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00]\r\n"
                       "\"Path\"=\"C:\\\\books\\\\\\\"new\\\"\"\r\n"
                       "\"Londg strings min\"=dword:7fffffff\r\n"
                       "\"Minus\"=DWORD:FFFFFFFF\r\n"
                       "\"Blob\"=hex:de,ad,\\\r\n"
                       "  be,ef\r\n"
                       "\"Empty blob\"=hex:\r\n"
                       "@=\"default\"\r\n"
                       "\"Two lines\"=\"a\r\nb\"\r\n",
                       &err))
        << err;
    EXPECT_EQ(t.GetValue(kRoot, "path")->text, "C:\\books\\\"new\"");
    EXPECT_EQ(t.GetValue(kRoot, "Londg strings min")->number, 2147483647);
    EXPECT_EQ(t.GetValue(kRoot, "Minus")->number, -1);
    EXPECT_EQ(t.GetValue(kRoot, "Blob")->bytes, (std::vector<uint8_t>{0xde, 0xad, 0xbe, 0xef}));
    EXPECT_TRUE(t.GetValue(kRoot, "Empty blob")->bytes.empty());
    EXPECT_EQ(t.GetValue(kRoot, "")->text, "default");
    EXPECT_EQ(t.GetValue(kRoot, "Two lines")->text, "a\r\nb");
}

TEST(RegFile, ExportThenImportGivesTheSameTree) {
    ConfigTree t;
    t.SetString(kRoot, "Quote\"and\\slash", "\"\\\\x\"");
    t.SetString(kRoot, "", "root default");
    t.SetString(kRoot, "Cyrillic", "\xD0\xF3\xF1\xF1\xEA\xE8\xE9 \xAB\xF2\xE5\xEA\xF1\xF2\xBB");
    t.SetString(kRoot, "Newlines", "<html>\r\n<body>\n");
    t.SetDWord(kRoot, "Negative", -123456);
    std::vector<uint8_t> big(200);
    for (size_t k = 0; k < big.size(); ++k) big[k] = static_cast<uint8_t>(k * 7);
    t.SetBinary(kRoot + "\\Fonts\\Table", "Widths", big);
    t.CreateKey(kRoot + "\\Empty key");

    const std::string text = ExportRegedit(t, "");
    ASSERT_EQ(text.rfind("REGEDIT4\r\n\r\n", 0), 0u);
    EXPECT_NE(text.find(",\\\r\n  "), std::string::npos);  // long hex data wraps
    ConfigTree back;
    std::string err;
    ASSERT_TRUE(Import(back, text, &err)) << err;
    EXPECT_EQ(ExportRegedit(back, ""), text);
    EXPECT_EQ(back.GetValue(kRoot, "Quote\"and\\slash")->text, "\"\\\\x\"");
    EXPECT_EQ(back.GetValue(kRoot + "\\Fonts\\Table", "Widths")->bytes, big);
    EXPECT_TRUE(back.KeyExists(kRoot + "\\Empty key"));
}

// Every byte a Windows-1251 text can hold, in names and data, with the
// integers at their limits and binary data of every short length, survives
// the file unchanged.
TEST(RegFile, AnyBytesAndLimitsSurviveTheFile) {
    std::mt19937 random(20261209);
    auto bytes = [&](size_t n, bool keyName) {
        std::string s;
        while (s.size() < n) {
            const char c = static_cast<char>(random() & 0xFF);
            if (keyName && (c == '\\' || c == '\r' || c == '\n')) continue;  // cannot be in a key name
            s.push_back(c);
        }
        return s;
    };
    ConfigTree t;
    const int32_t limits[] = {0, 1, -1, INT32_MAX, INT32_MIN, 0x7fffffff - 1, INT32_MIN + 1, 0x1000};
    for (int k = 0; k < 60; ++k) {
        const std::string key = kRoot + "\\" + bytes(1 + random() % 12, true) + "\\" + bytes(1 + random() % 5, true);
        const std::string name = k % 10 == 0 ? std::string() : bytes(1 + random() % 20, false);
        switch (k % 3) {
            case 0: t.SetString(key, name, bytes(random() % (k == 30 ? 70000 : 200), false)); break;
            case 1: t.SetDWord(key, name, limits[k % 8]); break;
            default: {
                std::vector<uint8_t> blob(static_cast<size_t>(k % 40));
                for (auto& b : blob) b = static_cast<uint8_t>(random());
                t.SetBinary(key, name, blob);
            }
        }
    }
    t.SetString(kRoot, "ends with a backslash", "C:\\books\\");
    t.SetString(kRoot, "only quotes", "\"\"\"");
    t.SetString(kRoot, "empty", "");
    t.SetString("", "at the top", "x");
    t.CreateKey(kRoot + "\\-starts with a dash\\]bracket] ");

    const std::string text = ExportRegedit(t, "");
    ConfigTree back;
    std::string err;
    ASSERT_TRUE(Import(back, text, &err)) << err;
    EXPECT_EQ(ExportRegedit(back, ""), text);
    for (const std::string& key : {kRoot, std::string()})
        for (const ConfigValue& v : t.Values(key)) {
            const auto got = back.GetValue(key, v.name);
            ASSERT_TRUE(got) << v.name;
            EXPECT_EQ(got->text, v.text);
        }
    EXPECT_TRUE(back.KeyExists(kRoot + "\\-starts with a dash\\]bracket] "));
}

TEST(RegFile, ExportOfOneKeyUsesStoredSpellingAndIncludesSubKeys) {
    ConfigTree t;
    t.SetString(kRoot + "\\html\\xml", "Ostrel", "x");
    t.SetString(kRoot + "\\html", "Head", "h");
    t.SetString(kRoot, "Other", "y");
    const std::string text = ExportRegedit(t, "software\\vorn soft\\pellmark\\1.00\\HTML");
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\html]\r\n"), std::string::npos);
    EXPECT_NE(text.find("[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\html\\xml]\r\n\"Ostrel\"=\"x\""),
              std::string::npos);
    EXPECT_EQ(text.find("Other"), std::string::npos);
    EXPECT_EQ(ExportRegedit(t, "No\\Such"), "REGEDIT4\r\n\r\n");
}

TEST(RegFile, DeleteFormsRemoveKeysWithSubKeysAndValues) {
    ConfigTree t;
    t.SetString(kRoot + "\\interface\\menu", "a", "1");
    t.SetString(kRoot + "\\interface", "target", "ru");
    t.SetString(kRoot, "Keep", "k");
    t.SetString(kRoot, "Drop", "d");
    ASSERT_TRUE(Import(t,
                       "REGEDIT4\n\n"
                       "[-HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\interface]\n"
                       "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00]\n"
                       "\"drop\"=-\n"
                       "\"Never there\"=-\n"));
    EXPECT_FALSE(t.KeyExists(kRoot + "\\interface"));
    EXPECT_FALSE(t.GetValue(kRoot, "Drop"));
    EXPECT_EQ(t.GetValue(kRoot, "Keep")->text, "k");
}

TEST(RegFile, LaterLinesWinAndKeysAreCreatedEvenWithoutValues) {
    ConfigTree t;
    ASSERT_TRUE(Import(t,
                       "REGEDIT4\n\n; a comment\n"
                       "[HKEY_CURRENT_USER\\A\\B]\n\n"
                       "[HKEY_CURRENT_USER\\A]\n\"v\"=\"1\"\n\"V\"=dword:00000002\n"));
    EXPECT_TRUE(t.KeyExists("A\\B"));
    EXPECT_EQ(t.GetValue("A", "v")->type, ValueType::DWord);
}

TEST(RegFile, LocalizationReplacesTheOldOneWhenItDeletesItFirst) {
    ConfigTree t;
    t.SetString(kRoot + "\\interface\\menu", "stale", "old");
    t.SetString(kRoot + "\\html", "Head", "kept");
    const std::string loc =
        "REGEDIT4\r\n\r\n"
        "[-HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\interface]\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\interface]\r\n"
        "\"target\"=dword:00000239\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\interface\\menu]\r\n"
        "\"file\"=\"&\xD4\xE0\xE9\xEB\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\interface\\messages]\r\n"
        "\"NotFound\"=\"\xD2\xE5\xEA\xF1\xF2 \\\"%s\\\" \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED.\"\r\n"
        "\"AdvancedMode\"=\"first\r\nsecond\"\r\n\r\n"
        "[HKEY_CURRENT_USER\\Software\\Vorn Soft\\Pellmark\\1.00\\interface\\Controls\\main]\r\n"
        "\"Undo \"=\"\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC \"\r\n";
    std::string err;
    ASSERT_TRUE(ImportRegedit(t, loc, &err)) << err;
    const std::string iface = kRoot + "\\interface";
    EXPECT_FALSE(t.GetValue(iface + "\\menu", "stale"));
    EXPECT_EQ(t.GetValue(iface, "target")->number, 569);
    EXPECT_EQ(t.GetValue(iface + "\\menu", "FILE")->text, "&\xD4\xE0\xE9\xEB");
    EXPECT_EQ(t.GetValue(iface + "\\messages", "NotFound")->text, "\xD2\xE5\xEA\xF1\xF2 \"%s\" \xED\xE5 \xED\xE0\xE9\xE4\xE5\xED.");
    EXPECT_EQ(t.GetValue(iface + "\\messages", "AdvancedMode")->text, "first\r\nsecond");
    EXPECT_EQ(t.GetValue(iface + "\\controls\\MAIN", "Undo ")->text, "\xCE\xF2\xEC\xE5\xED\xE8\xF2\xFC ");
    EXPECT_EQ(t.GetValue(kRoot + "\\html", "Head")->text, "kept");
}

struct BadInput {
    const char* text;
    int line;
    const char* reasonPart;
};

class RegFileBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(RegFileBadInput, IsReportedByLineAndChangesNothing) {
    ConfigTree t;
    t.SetString(kRoot, "Before", "kept");
    const std::string before = ExportRegedit(t, "");
    std::string err;
    EXPECT_FALSE(Import(t, GetParam().text, &err));
    EXPECT_EQ(err.rfind("line " + std::to_string(GetParam().line) + ": ", 0), 0u) << err;
    EXPECT_NE(err.find(GetParam().reasonPart), std::string::npos) << err;
    EXPECT_EQ(ExportRegedit(t, ""), before);
}

// Each file sets a value first, so a partial import would show.
#define PM_HEAD "REGEDIT4\n\n[HKEY_CURRENT_USER\\X]\n\"set\"=\"1\"\n[-HKEY_CURRENT_USER\\Software]\n"
INSTANTIATE_TEST_SUITE_P(
    Cases, RegFileBadInput,
    ::testing::Values(BadInput{"", 1, "REGEDIT4"}, BadInput{"Windows Registry Editor Version 5.00\r\n", 1, "version 5"},
                      BadInput{"\xFF\xFE" "R\0", 1, "UTF-16"},
                      BadInput{"\xEF\xBB\xBFREGEDIT4\n", 1, "byte order mark"},
                      BadInput{PM_HEAD "[HKEY_LOCAL_MACHINE\\Software\\X]\n", 6, "read-only"},
                      BadInput{PM_HEAD "[HKEY_CLASSES_ROOT\\txtfile]\n", 6, "unknown hive"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\A\\\\B]\n", 6, "empty key name"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\A\n", 6, "closing ]"},
                      BadInput{PM_HEAD "[-HKEY_CURRENT_USER]\n", 6, "whole hive"},
                      BadInput{"REGEDIT4\n\n\"v\"=\"1\"\n", 3, "before any [key]"},
                      BadInput{PM_HEAD "\"v\"=\"1\"\n", 6, "being deleted"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\n\"v\"=dword:100000000\n", 7, "more than 8"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\n\"v\"=dword:\n", 7, "hexadecimal digits"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\n\"v\"=hex:de,zz\n", 7, "hexadecimal byte"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\n\"v\"=hex:de,\\\n  ad,\\ x\n", 8, "end its line"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\n\"v\"=hex(2):41,00\n", 7, "not supported"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\n\"v\"=\"1\" junk\n", 7, "after the value"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\n\"v\" \"1\"\n", 7, "expected ="},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\n\"v\"=\"open\n\n\n", 7, "closing double quote"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\nv=1\n", 7, "neither"},
                      BadInput{PM_HEAD "[HKEY_CURRENT_USER\\X]\n\"v\"=17\n", 7, "value data"},
                      // Lines counted alike whatever ends them, inside texts too.
                      BadInput{"REGEDIT4\r\r[HKEY_CURRENT_USER\\X]\r\"set\"=\"1\"\r\"v\"=dword:\r", 5, "hexadecimal"},
                      BadInput{"REGEDIT4\r\r[HKEY_CURRENT_USER\\X]\r\"s\"=\"two\rlines\"\r\"v\"=17\r", 6, "value data"},
                      BadInput{"REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n\"s\"=\"two\r\nlines\"\r\n\"v\"=17\r\n", 6,
                               "value data"}));
#undef PM_HEAD

// Keys nest at most 512 deep, as in the registry; a file nesting them far
// deeper is refused instead of bringing the program down.
TEST(RegFile, KeysNestAtMost512Deep) {
    auto nested = [](size_t depth) {
        std::string path = "HKEY_CURRENT_USER";
        for (size_t k = 0; k < depth; ++k) path += "\\k";
        return "REGEDIT4\r\n\r\n[" + path + "]\r\n\"v\"=\"1\"\r\n";
    };
    ConfigTree t;
    std::string err;
    ASSERT_TRUE(Import(t, nested(512), &err)) << err;
    std::string deepest;
    for (size_t k = 0; k < 512; ++k) deepest += k ? "\\k" : "k";
    EXPECT_EQ(t.GetValue(deepest, "v")->text, "1");
    ConfigTree back;
    ASSERT_TRUE(Import(back, ExportRegedit(t, ""), &err)) << err;

    ConfigTree refused;
    EXPECT_FALSE(Import(refused, nested(513), &err));
    EXPECT_EQ(err, "line 3: the key path is nested more than 512 keys deep");
    EXPECT_FALSE(Import(refused, nested(200000), &err));
    EXPECT_TRUE(refused.SubKeys("").empty());
}

TEST(RegFile, ReadOnlyTreeRefusesImport) {
    ConfigTree t;
    t.SetReadOnly(true);
    std::string err;
    EXPECT_FALSE(Import(t, "REGEDIT4\n\n[HKEY_CURRENT_USER\\A]\n", &err));
    EXPECT_NE(err.find("read-only"), std::string::npos);
}

}  // namespace
}  // namespace pm
