#include "app/About.h"

#include "common/Concat.h"
#include "common/Version.h"
#include "config/TMyReg.h"
#include "output/Footer.h"

namespace pm {

namespace {

const std::string kInterfaceKey = std::string(kRootKey) + "\\interface";
const std::string kSkinKey = std::string(kRootKey) + "\\html";
// A localization whose name carries this is the program's own and stays.
constexpr std::string_view kNativeMark = "Native ";
constexpr std::string_view kRestartToSee = "Restart Pellmark to see changes";
constexpr std::string_view kRestartCaption = "Restart Pellmark";

std::string Site() { return kMakerSite; }

// "https://pellmark.example.org/" -> "pellmark.example.org".
std::string SiteHost() {
    std::string host = Site();
    if (const size_t scheme = host.find("://"); scheme != std::string::npos) host.erase(0, scheme + 3);
    if (const size_t slash = host.find('/'); slash != std::string::npos) host.erase(slash);
    return host;
}

}  // namespace

std::string VersionLabelText() { return std::string("Pellmark v") + kProgramVersion; }
std::string BuildLabelText() { return std::string("Build ") + kBuildNumber; }

std::string DownloadPage() { return Site() + "download/"; }
std::string NewsPage() { return Site() + "news/"; }
std::string DevicesPage() { return Site() + "devices/"; }
std::string MakerMail() { return Concat({"mailto:author@", SiteHost()}); }

TAbout::TAbout(ConfigTree& tree, Questions& questions, const Texts& texts, bool& saveSettingsAtExit)
    : tree_(tree), questions_(questions), texts_(texts), saveSettingsAtExit_(saveSettingsAtExit) {
    localization = {"Localisation: None", LabelColour::Normal};
    skin = {"HTML skin: None", LabelColour::Normal};
    settings = {"Remove settings && skin. Only locale remains.", LabelColour::Normal};

    const TMyReg skinReg(tree_, kSkinKey);
    const TMyReg localeReg(tree_, kInterfaceKey);
    if (localeReg.Exists()) {
        localizationName_ = localeReg.ReadString("name", "Unknown language");
        localization = {Concat({"Localisation: \"", localizationName_, "\""}), LabelColour::Green};
        localizationRemovable = localizationName_.find(kNativeMark) == std::string::npos;
    }
    if (skinReg.Exists()) {
        skinName_ = skinReg.ReadString("name", "Unknown html skin");
        skin = {Concat({"HTML Skin: \"", skinName_, "\""}), LabelColour::Green};
        skinRemovable = true;
    }
}

bool TAbout::WriteNow() {
    std::string error;
    if (!writeConfig_ || writeConfig_(&error)) return true;
    questions_.ShowMessage(texts_.Msg("Error"), "The settings were not saved. " + error, MessageIcon::Warning);
    return false;
}

bool TAbout::DeleteWholeKey(const std::string& key) {
    tree_.DeleteKey(key);
    return !tree_.KeyExists(key);
}

void TAbout::RemoveLocalization() {
    if (!questions_.AskYesNo(texts_.Msg("Confirm"),
                             Concat({"Are you shure you want to remove localisation \"", localizationName_, "\"?"})))
        return;
    if (!DeleteWholeKey(kInterfaceKey)) {
        questions_.ShowMessage(texts_.Msg("Error"), "Error removing localisation! Try editing registry manually.",
                               MessageIcon::Error);
        return;
    }
    if (!WriteNow()) return;
    questions_.ShowMessage(std::string(kRestartCaption),
                           "Localisation removed succsesfully. Restart Pellmark for changes to take effect",
                           MessageIcon::Information);
    localization = {std::string(kRestartToSee), LabelColour::Red};
    localizationRemovable = false;
}

void TAbout::RemoveSkin() {
    if (!questions_.AskYesNo(texts_.Msg("Confirm"), Concat({"Are you shure you want to remove \"", skinName_, "\" skin?"})))
        return;
    // The book description of the XML output lives under the skin's key and
    // goes with it.
    if (!DeleteWholeKey(kSkinKey)) {
        questions_.ShowMessage(texts_.Msg("Error"), "Error removing skin! Try editing registry manually.",
                               MessageIcon::Error);
    } else if (WriteNow()) {
        questions_.ShowMessage(std::string(kRestartCaption),
                               "Skin removed succsesfully. Restart Pellmark for changes to take effect",
                               MessageIcon::Information);
        skin = {std::string(kRestartToSee), LabelColour::Red};
        skinRemovable = false;
    }
    if (questions_.AskYesNo(texts_.Msg("Confirm"),
                            Concat({"It is recomended to set all settings to default values after removing a skin. "
                                    "Would you like to do it right now?\n",
                                    skinName_})))
        RemoveAllSettings(false);
}

void TAbout::RemoveAllSettings(bool ask) {
    if (ask && !questions_.AskYesNo(texts_.Msg("Confirm"),
                                    "Are you shure you want to remove all setting and set them to default values?"))
        return;
    // The values in memory are the ones to forget: they must not be
    // written back at exit.
    saveSettingsAtExit_ = false;
    if (!tree_.KeyExists(kRootKey)) return;
    // Only the values: the skin, the localization, the font tables, the
    // rule lists and the tools are sub-keys and stay.
    for (const ConfigValue& value : tree_.Values(kRootKey)) tree_.DeleteValue(kRootKey, value.name);
    if (!tree_.Values(kRootKey).empty()) {
        questions_.ShowMessage(texts_.Msg("Error"), "Error removing settings! Try editing registry manually.",
                               MessageIcon::Error);
        return;
    }
    if (!WriteNow()) return;
    settingsRemovable = false;
    settings = {std::string(kRestartToSee), LabelColour::Red};
    questions_.ShowMessage(std::string(kRestartCaption),
                           "Settings removed succsesfully. Restart Pellmark for changes to take effect",
                           MessageIcon::Information);
}

}  // namespace pm
