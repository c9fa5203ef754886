#include "config/Settings.h"

#include <algorithm>

namespace pm {

#define PM_SETTING_B(member, name, def)       \
    void Settings::Set##member(bool value) {  \
        member = value;                       \
        AfterSet(name);                       \
    }
#define PM_SETTING_I(member, name, def)         \
    void Settings::Set##member(int32_t value) { \
        member = value;                         \
        AfterSet(name);                         \
    }
#define PM_SETTING_S(member, name, def)             \
    void Settings::Set##member(std::string value) { \
        member = std::move(value);                  \
        AfterSet(name);                             \
    }
#define PM_SETTING(type, member, name, def) PM_SETTING_##type(member, name, def)
#include "config/SettingsTable.inc"
#undef PM_SETTING
#undef PM_SETTING_B
#undef PM_SETTING_I
#undef PM_SETTING_S

void Settings::SetRecentFile(size_t index, std::string path) {
    if (index >= recent.size()) return;
    recent[index].path = std::move(path);
    Notify("Recent reader file " + std::to_string(index));
}

void Settings::SetRecentPosition(size_t index, int32_t position) {
    if (index >= recent.size()) return;
    recent[index].position = position;
    Notify("Recent reader file pos " + std::to_string(index));
}

void Settings::AfterSet(std::string_view storedName) {
    // An empty start tag means the built-in tag, whose close tag is fixed.
    if (storedName == "Head string start tag" && HeadStartTag.empty()) {
        HeadCloseTag = std::string(kDefaultHeadCloseTag);
        Notify("Head string close tag");
    } else if (storedName == "Paragraph start tag" && ParagraphStartTag.empty()) {
        ParagraphEndTag = std::string(kDefaultParagraphEndTag);
        Notify("Paragraph end tag");
    } else if (storedName == "Browser forn size") {
        BrowserFontSize = std::clamp(BrowserFontSize, 0, kMaxBrowserFontSize);
    }
    Notify(storedName);
}

void Settings::Notify(std::string_view storedName) {
    if (observer) observer->OptionChanged(storedName);
}

}  // namespace pm
