// What creating the main window does, without the widgets, and the clean-up
// at exit.
#include <sys/stat.h>

#include <cstdio>

#include "app/TMain.h"
#include "options/OptionRows.h"
#include "config/SettingsIO.h"
#include "hyphen/FontTables.h"
#include "regexlists/RegExprList.h"

namespace pm {

LocalizationOutcome TMain::Start(WidgetSettings* widgets) {
    // The record starts with the built-in defaults; the interface texts come
    // before the settings, and the templates are loaded by the same step.
    FillTreeRowDefaults(uiTexts);
    LocalizationOutcome localization = ApplyInterfaceTexts(config, uiTexts, texts);
    templates.Load(config, programDir);
    xmlDescriptionLoaded = ReadXmlDescriptionMode(config, programDir, xml);
    StartPreviewFile(files.previewFile, files.tempFiles, SystemTempFolder());
    LoadSettings(config, settings, widgets);
    ApplyPostLoadFallbacks(settings);
    font = LoadFontTables(config, settings, &fontMessage);
    rules = std::make_unique<RegexRuleLists>();
    rules->Load(config);
    return localization;
}

void TMain::Shutdown() {
    // Only the files that were made: removing a name that is not there
    // still locks its folder, which books converted side by side share.
    struct stat st {};
    for (const auto& f : files.tempFiles)
        if (::lstat(f.c_str(), &st) == 0) std::remove(f.c_str());
}

}  // namespace pm
