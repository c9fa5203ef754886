// Loading the settings record from the configuration root at start and
// writing it back at exit. Everything here is Windows-1251 text, file names
// included; front ends convert at their boundary.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigTree.h"
#include "config/Settings.h"

namespace pm {

// The five file dialogs whose folders are remembered.
enum class FileDialogKind { EditOpen, Read, EditSave, EditSaveAndRead, EditSaveSrc };

// The values that live in widgets. The desktop window implements this; the
// defaults stand for "no widgets" (headless runs and tests).
class WidgetSettings {
public:
    virtual ~WidgetSettings() = default;
    // After loading: size and maximize the window, set fonts and wraps.
    virtual void ApplyLoaded(const Settings&) {}
    // Before saving: put window size (normal state), "Is maximized" as it
    // was at close, panel sizes, fonts, wraps and the active page into the
    // record.
    virtual void CaptureInto(Settings&) {}
    // The vertical scroll offset of the document in the current browser, or
    // nothing when it holds no HTML document.
    virtual std::optional<int32_t> DocumentScrollOffset() const { return std::nullopt; }
    // The file name a dialog holds, "" when none was ever chosen.
    virtual std::string DialogFileName(FileDialogKind) const { return {}; }
};

struct SettingsLoadResult {
    bool rootExists = false;
    bool rocketLibrarianPresent = false;  // else the "send to rocket" button is disabled
    bool hasToolButtons = false;          // Ext\Btn0 exists under the root
};

// Reads every value under the root in table order, each with the field's
// current value as default and through its setter. Never creates keys.
SettingsLoadResult LoadSettings(const ConfigTree& user, Settings& s, WidgetSettings* widgets = nullptr);
// Empty "Empty lines replace with", "OpenEpigraph", "CLoseEpigraph" and
// "Hyph font" get their built-in values back.
void ApplyPostLoadFallbacks(Settings& s);

// Writes every value under the root (creating it), except that "Last readed
// doc pos" is written only when the browser holds a document and each "Last
// ... dir" only when its dialog holds a file name. False when the tree is
// read-only (the caller ignores it: a failed save never stops the exit).
bool SaveSettings(ConfigTree& user, Settings& s, WidgetSettings* widgets = nullptr);

inline constexpr std::string_view kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pellmark 1.00";
inline constexpr std::string_view kReaderEditionUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Pellmark v1.0 reader's edition";
// "DisplayName" and "UninstallString" ("\"<programPath>\" /UNINSTALL") in the
// user's hive, unless the machine-wide hive (null: there is none) holds the
// reader's edition entry.
bool WriteUninstallEntry(ConfigTree& user, const ConfigTree* machine, std::string_view programPath);

// The exit save: settings and uninstall entry, only while saveAtExit is set.
void SaveSettingsAtExit(ConfigTree& user, Settings& s, bool saveAtExit, WidgetSettings* widgets,
                        std::string_view programPath, const ConfigTree* machine = nullptr);

// $TMPDIR, or "/tmp" when unset or empty.
std::string SystemTempFolder();
// The preview file at start: tempFolder cut at its first NUL and to 1000
// characters, then "$~$~vorn_temp9223372036854775807.html" (the same name
// on every run).
std::string StartPreviewFileName(std::string_view tempFolder);
// Sets previewFile to the start name and begins the temporary file list with it.
void StartPreviewFile(std::string& previewFile, std::vector<std::string>& tempFiles,
                      std::string_view tempFolder);

}  // namespace pm
