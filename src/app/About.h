// The logic of the About window (TAboutForm): it names the installed HTML
// skin (the key "html") and interface localization (the key "interface")
// and is where the user removes either, or every value directly under the
// configuration root. Nothing is reloaded while the program runs: each
// removal takes effect at the next start, and after the removal of all
// settings the program no longer writes its settings back at exit.
#pragma once

#include <string>

#include <functional>
#include <string>
#include <utility>

#include "config/ConfigTree.h"
#include "config/Texts.h"
#include "platform/Questions.h"

namespace pm {

// The program's version and build, as the build sets them.
std::string VersionLabelText();  // "Pellmark v1.0"
std::string BuildLabelText();    // "Build 42"

// The pages behind the window's links.
std::string DownloadPage();
std::string NewsPage();
std::string DevicesPage();
std::string MakerMail();  // a "mailto:" address

enum class LabelColour { Normal, Green, Red };

struct AboutLabel {
    std::string text;  // Windows-1251
    LabelColour colour = LabelColour::Normal;
};

class TAbout {
public:
    // saveSettingsAtExit: the main window's save-at-exit flag, which the
    // removal of all settings clears.
    TAbout(ConfigTree& tree, Questions& questions, const Texts& texts, bool& saveSettingsAtExit);

    AboutLabel localization;  // "Localisation: None", or the name in green
    AboutLabel skin;          // "HTML skin: None", or the name in green
    AboutLabel settings;      // beside the button that removes all settings
    bool localizationRemovable = false;  // present and not a "Native " one
    bool skinRemovable = false;
    bool settingsRemovable = true;
    const std::string& LocalizationName() const { return localizationName_; }
    const std::string& SkinName() const { return skinName_; }

    // Each asks first; anything but Yes changes nothing.
    void RemoveLocalization();
    // Asks afterwards, whatever the outcome, whether to set all settings to
    // their defaults too; Yes removes them without another question.
    void RemoveSkin();
    void RemoveAllSettings(bool ask = true);

    // Writes the configuration to its file (false, with the reason, when it
    // cannot): a removal is written at once, so that a program that ends
    // badly later does not bring the removed settings back. Without one the
    // removal is written at exit.
    using ConfigWriter = std::function<bool(std::string* error)>;
    void SetConfigWriter(ConfigWriter writer) { writeConfig_ = std::move(writer); }

private:
    // Writes the removal now; false (told) when that failed.
    bool WriteNow();
    // Deletes a key with everything below it: true when it is gone.
    bool DeleteWholeKey(const std::string& key);

    ConfigTree& tree_;
    Questions& questions_;
    const Texts& texts_;
    bool& saveSettingsAtExit_;
    std::string localizationName_, skinName_;
    ConfigWriter writeConfig_;
};

}  // namespace pm
