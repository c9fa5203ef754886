// The settings record: the program's in-memory copy of every value stored
// directly under the configuration root. Stages read the fields directly;
// changes go through the setters so that their side effects (tag pairs,
// clamping, the options panel row) always happen.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pm {

struct RecentReaderEntry {
    std::string path;
    int32_t position = 0;
};

// Hears every setter call, with the stored name of the option that was set
// (the options panel refreshes that row). A setter that also changes a
// second option reports both.
class SettingsObserver {
public:
    virtual ~SettingsObserver() = default;
    virtual void OptionChanged(std::string_view storedName) = 0;
};

struct Settings {
#define PM_SETTING_B(member, name, def) \
    bool member = def;                  \
    void Set##member(bool value);
#define PM_SETTING_I(member, name, def) \
    int32_t member = def;               \
    void Set##member(int32_t value);
#define PM_SETTING_S(member, name, def) \
    std::string member = def;           \
    void Set##member(std::string value);
#define PM_SETTING(type, member, name, def) PM_SETTING_##type(member, name, def)
#include "config/SettingsTable.inc"
#undef PM_SETTING
#undef PM_SETTING_B
#undef PM_SETTING_I
#undef PM_SETTING_S

    // Ten recent books of the reader, "Recent reader file N" / "... pos N".
    std::array<RecentReaderEntry, 10> recent{};
    void SetRecentFile(size_t index, std::string path);
    void SetRecentPosition(size_t index, int32_t position);

    // Not owned; may stay null.
    SettingsObserver* observer = nullptr;

private:
    // Side effects shared by the setters, then the observer.
    void AfterSet(std::string_view storedName);
    void Notify(std::string_view storedName);
};

// The built-in tags a pair falls back to when its start tag is empty.
inline constexpr std::string_view kDefaultHeadCloseTag = "</h1>";
inline constexpr std::string_view kDefaultParagraphEndTag = "</div>";
// Text sizes of the browser: 0 "Smallest" .. 4 "Largest".
inline constexpr int32_t kMaxBrowserFontSize = 4;

}  // namespace pm
