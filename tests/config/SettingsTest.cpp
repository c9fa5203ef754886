// The settings record: load through the setters, fallbacks, save rules,
// text setting for the command line, languages and the preview name.
#include <gtest/gtest.h>

#include <algorithm>

#include "config/Languages.h"
#include "config/RegFile.h"
#include "config/SettingsIO.h"
#include "config/SettingsLookup.h"

namespace pm {
namespace {

const std::string kRoot(kRootKey);

struct RecordingObserver : SettingsObserver {
    std::vector<std::string> names;
    void OptionChanged(std::string_view n) override { names.emplace_back(n); }
};

ConfigTree TreeFrom(const std::string& values) {
    ConfigTree t;
    std::string err;
    EXPECT_TRUE(ImportRegedit(t, "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + kRoot + "]\n" + values, &err)) << err;
    return t;
}

Settings Loaded(const ConfigTree& t) {
    Settings s;
    LoadSettings(t, s);
    ApplyPostLoadFallbacks(s);
    return s;
}

TEST(SettingsLoad, EmptyStartTagRestoresTheBuiltInCloseTag) {
    const Settings s = Loaded(TreeFrom("\"Paragraph end tag\"=\"</p>\"\n\"Paragraph start tag\"=\"\"\n"
                                       "\"Head string close tag\"=\"</h2>\"\n\"Head string start tag\"=\"\"\n"));
    EXPECT_EQ(s.ParagraphStartTag, "");
    EXPECT_EQ(s.ParagraphEndTag, "</div>");
    // An empty stored start tag is the built-in pair, never the default start
    // tag with the stored close tag.
    EXPECT_EQ(s.HeadStartTag, "");
    EXPECT_EQ(s.HeadCloseTag, "</h1>");
    // Not stored at all, it stays the default start tag.
    const Settings missing = Loaded(TreeFrom("\"Head string close tag\"=\"</h1>\"\n"));
    EXPECT_EQ(missing.HeadStartTag, "<h1 align=\"center\">");
    // Stored with another type, it is unreadable, so also the default.
    const Settings typed = Loaded(TreeFrom("\"Head string start tag\"=dword:00000000\n"));
    EXPECT_EQ(typed.HeadStartTag, "<h1 align=\"center\">");

    Settings custom = Loaded(TreeFrom("\"Paragraph end tag\"=\"</p>\"\n\"Paragraph start tag\"=\"<p>\"\n"));
    EXPECT_EQ(custom.ParagraphEndTag, "</p>");
    custom.SetHeadStartTag("");
    EXPECT_EQ(custom.HeadCloseTag, "</h1>");
}

TEST(SettingsLoad, BrowserFontSizeIsClamped) {
    EXPECT_EQ(Loaded(TreeFrom("\"Browser forn size\"=dword:00000009\n")).BrowserFontSize, 4);
    EXPECT_EQ(Loaded(TreeFrom("\"Browser forn size\"=dword:fffffffd\n")).BrowserFontSize, 0);
    EXPECT_EQ(Loaded(TreeFrom("\"Browser forn size\"=dword:00000003\n")).BrowserFontSize, 3);
}

TEST(SettingsLoad, StoredValuesTypesAndFallbacks) {
    const Settings s = Loaded(TreeFrom("\"Londg strings min\"=dword:7fffffff\n"
                                       "\"Empty lines replace with\"=\"\"\n"
                                       "\"OpenEpigraph\"=\"\"\n"
                                       "\"Hyph font\"=dword:00000001\n"
                                       "\"KILLLINKS\"=dword:00000000\n"
                                       "\"Hyphenate\"=dword:00000005\n"
                                       "\"Detect headers\"=\"0\"\n"
                                       "\"last reader file\"=\"/books/a.html\"\n"
                                       "\"Recent reader file 3\"=\"/books/b.html\"\n"
                                       "\"Recent reader file pos 3\"=dword:40000000\n"));
    EXPECT_EQ(s.LongStringsMin, 2147483647);
    EXPECT_EQ(s.EmptyLinesReplaceWith, "<br>");
    EXPECT_EQ(s.OpenEpigraph, Settings().OpenEpigraph);
    EXPECT_EQ(s.HyphFont, "BrannVerdana 1.2 small");
    EXPECT_FALSE(s.KillLinks);
    EXPECT_TRUE(s.Hyphenate);
    EXPECT_TRUE(s.DetectHeaders);  // a string where a number belongs: the default
    EXPECT_EQ(s.LastReaderFile, "/books/a.html");
    EXPECT_EQ(s.recent[3].path, "/books/b.html");
    EXPECT_EQ(s.recent[3].position, 0x40000000);
}

TEST(SettingsLoad, MissingRootKeepsDefaultsAndCreatesNothing) {
    ConfigTree t;
    t.SetString("Software\\Nuvomedia\\RocketLibrarian", "x", "");
    t.MarkClean();
    Settings s;
    const SettingsLoadResult r = LoadSettings(t, s);
    EXPECT_FALSE(r.rootExists);
    EXPECT_TRUE(r.rocketLibrarianPresent);
    EXPECT_FALSE(r.hasToolButtons);
    EXPECT_FALSE(t.Dirty());
    EXPECT_EQ(s.Language, 34);
}

TEST(SettingsLoad, GoesThroughTheSettersInTableOrder) {
    ConfigTree t = TreeFrom("");
    RecordingObserver obs;
    Settings s;
    s.observer = &obs;
    LoadSettings(t, s);
    auto at = [&](const std::string& n) { return std::find(obs.names.begin(), obs.names.end(), n) - obs.names.begin(); };
    EXPECT_LT(at("KillLinks"), at("Londg strings min"));
    EXPECT_LT(at("Last readed doc pos"), at("Recent reader file 0"));
    EXPECT_LT(at("Recent reader file 9"), at("Save reader doc on exit"));
    EXPECT_LT(at("Is maximized"), at("Recent reader file pos 0"));
    EXPECT_LT(at("Recent reader file pos 9"), at("Use tystem temp"));
    EXPECT_LT(at("Use tystem temp"), static_cast<long>(obs.names.size()));
}

struct FakeWidgets : WidgetSettings {
    std::optional<int32_t> offset;
    std::string readDialogFile;
    std::optional<int32_t> DocumentScrollOffset() const override { return offset; }
    std::string DialogFileName(FileDialogKind k) const override {
        return k == FileDialogKind::Read ? readDialogFile : std::string();
    }
    void CaptureInto(Settings& s) override { s.WindowWidth = 1000; }
};

TEST(SettingsSave, WidgetValuesAreWrittenOnlyWhenTheWidgetHasThem) {
    ConfigTree t = TreeFrom("\"Last read dir\"=\"/old\"\n\"Last readed doc pos\"=dword:00000007\n");
    Settings s = Loaded(t);
    s.LastReadDir = "/ignored";  // the dialog, not the record, decides
    FakeWidgets w;
    ASSERT_TRUE(SaveSettings(t, s, &w));
    EXPECT_EQ(t.GetValue(kRoot, "Last read dir")->text, "/old");
    EXPECT_EQ(t.GetValue(kRoot, "Last readed doc pos")->number, 7);
    EXPECT_FALSE(t.GetValue(kRoot, "Last edit open dir"));
    EXPECT_EQ(t.GetValue(kRoot, "Window Width")->number, 1000);

    w.offset = 512;
    w.readDialogFile = "/home/u/books/war.html";
    SaveSettings(t, s, &w);
    EXPECT_EQ(t.GetValue(kRoot, "Last read dir")->text, "/home/u/books");
    EXPECT_EQ(t.GetValue(kRoot, "Last readed doc pos")->number, 512);
    w.readDialogFile = "/top.html";
    SaveSettings(t, s, &w);
    EXPECT_EQ(t.GetValue(kRoot, "Last read dir")->text, "/");
}

TEST(SettingsSave, RoundTripKeepsEveryValue) {
    Settings s;
    s.SetLongStringsMin(2147483647);
    s.SetHeadStartTag("<h2>");
    s.SetHeadCloseTag("</h2>");
    s.SetKillLinks(false);
    s.SetRecentFile(9, "/r/9.html");
    s.SetRecentPosition(9, -5);
    ConfigTree t;
    SaveSettings(t, s);
    EXPECT_EQ(t.GetValue(kRoot, "KillLinks")->type, ValueType::DWord);
    Settings back;
    LoadSettings(t, back);
    for (const SettingInfo& info : AllSettings()) EXPECT_EQ(SettingText(back, info), SettingText(s, info)) << info.name;
    EXPECT_EQ(back.recent[9].path, "/r/9.html");
    EXPECT_EQ(back.recent[9].position, -5);
}

TEST(SettingsSave, UninstallEntryAndTheExitFlag) {
    ConfigTree user;
    Settings s;
    SaveSettingsAtExit(user, s, false, nullptr, "/opt/pellmark/pellmark");
    EXPECT_TRUE(user.SubKeys("").empty());

    SaveSettingsAtExit(user, s, true, nullptr, "/opt/pellmark/pellmark");
    EXPECT_EQ(user.GetValue(kUninstallKey, "DisplayName")->text, "Pellmark v1.00 (remove only)");
    EXPECT_EQ(user.GetValue(kUninstallKey, "UninstallString")->text, "\"/opt/pellmark/pellmark\" /UNINSTALL");

    ConfigTree machine, other;
    machine.CreateKey(kReaderEditionUninstallKey);
    EXPECT_TRUE(WriteUninstallEntry(other, &machine, "/p"));
    EXPECT_FALSE(other.KeyExists(kUninstallKey));
}

TEST(SettingsText, TypedByTheTable) {
    Settings s;
    RecordingObserver obs;
    s.observer = &obs;
    std::string err;
    EXPECT_TRUE(SetSettingFromText(s, "hyphenate", "TRUE", &err));
    EXPECT_TRUE(s.Hyphenate);
    EXPECT_TRUE(SetSettingFromText(s, "Londg strings min", "2147483647", &err));
    EXPECT_EQ(s.LongStringsMin, 2147483647);
    EXPECT_TRUE(SetSettingFromText(s, "Browser forn size", "-3", &err));
    EXPECT_EQ(s.BrowserFontSize, 0);
    EXPECT_TRUE(SetSettingFromText(s, "Recent reader file pos 2", "17", &err));
    EXPECT_EQ(s.recent[2].position, 17);
    EXPECT_TRUE(SetSettingFromText(s, "Paragraph start tag", "", &err));
    EXPECT_EQ(s.ParagraphEndTag, "</div>");
    EXPECT_EQ(obs.names.back(), "Paragraph start tag");

    EXPECT_FALSE(SetSettingFromText(s, "Londg strings min", "2147483648", &err));
    EXPECT_NE(err.find("32-bit"), std::string::npos);
    EXPECT_FALSE(SetSettingFromText(s, "Londg strings min", "12abc", &err));
    EXPECT_FALSE(SetSettingFromText(s, "Londg strings min", "", &err));
    EXPECT_EQ(s.LongStringsMin, 2147483647);
    EXPECT_FALSE(SetSettingFromText(s, "Hyphenate", "yes", &err));
    EXPECT_FALSE(SetSettingFromText(s, "Recent reader file 10", "x", &err));
    EXPECT_FALSE(SetSettingFromText(s, "Long strings min", "1", &err));
    EXPECT_EQ(err, "There is no setting named \"Long strings min\".");
}

TEST(Languages, ListAndKeyboardLayouts) {
    ASSERT_EQ(Languages().size(), 43u);
    EXPECT_EQ(Languages()[34].name, "Russian");
    EXPECT_EQ(KeyboardLayoutName(34), "00000419");
    EXPECT_EQ(KeyboardLayoutName(12), "00000409");  // English
    EXPECT_EQ(KeyboardLayoutName(29), "00000400");  // Neutral
    EXPECT_EQ(LanguageAt(8).primaryId, LanguageAt(35).primaryId);  // Croatian and Serbian
    EXPECT_EQ(KeyboardLayoutName(99), "00000419");
    EXPECT_EQ(KeyboardLayoutName(-1), "00000419");
}

TEST(PreviewFile, SameNameOnEveryRun) {
    EXPECT_EQ(StartPreviewFileName("/tmp"), "/tmp/$~$~vorn_temp9223372036854775807.html");
    EXPECT_EQ(StartPreviewFileName("/var/tmp/"), "/var/tmp/$~$~vorn_temp9223372036854775807.html");
    EXPECT_EQ(StartPreviewFileName(std::string_view("/t\0junk", 7)), "/t/$~$~vorn_temp9223372036854775807.html");
    const std::string longFolder = "/" + std::string(1200, 'd');
    EXPECT_EQ(StartPreviewFileName(longFolder), longFolder.substr(0, 1000) + "/$~$~vorn_temp9223372036854775807.html");
    std::string preview;
    std::vector<std::string> temps{"stale"};
    StartPreviewFile(preview, temps, "/tmp");
    EXPECT_EQ(temps, std::vector<std::string>{preview});
}

}  // namespace
}  // namespace pm
