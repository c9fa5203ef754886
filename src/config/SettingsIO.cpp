#include "config/SettingsIO.h"

#include <cstdlib>

#include "config/SettingsLookup.h"
#include "config/TMyReg.h"

namespace pm {
namespace {

constexpr std::string_view kRocketLibrarianKey = "Software\\Nuvomedia\\RocketLibrarian";
// The recent reader list sits at these places of the table order.
constexpr std::string_view kRecentFilesAfter = "Last readed doc pos";
constexpr std::string_view kRecentPositionsAfter = "Is maximized";
constexpr std::string_view kLastReaderFile = "Last reader file";
constexpr std::string_view kLastReaderFileAlias = "last reader file";

std::string RecentFileName(size_t n) { return "Recent reader file " + std::to_string(n); }
std::string RecentPosName(size_t n) { return "Recent reader file pos " + std::to_string(n); }

std::string ToolButtonKey() { return std::string(kRootKey) + "\\Ext\\Btn0"; }

// The start tag of a tag pair: stored empty, it stands for the built-in pair
// ("<h1>" with "</h1>", the built-in paragraph tags) rather than for a
// missing value, so it has to reach the setter empty, which then puts the
// matching close tag back over whatever close tag was stored.
bool IsPairStartTag(std::string_view name) { return name == "Head string start tag" || name == "Paragraph start tag"; }

void LoadOne(const TMyReg& reg, Settings& s, const SettingInfo& info) {
    switch (info.type) {
        case SettingType::Bool: (s.*info.setB)(reg.ReadBool(info.name, s.*info.b)); break;
        case SettingType::Int: (s.*info.setI)(reg.ReadInteger(info.name, s.*info.i)); break;
        case SettingType::String:
            (s.*info.setS)(IsPairStartTag(info.name) ? reg.ReadStringKeepEmpty(info.name, s.*info.s)
                                                      : reg.ReadString(info.name, s.*info.s));
            break;
    }
}

void LoadRecentFiles(const TMyReg& reg, Settings& s) {
    for (size_t n = 0; n < s.recent.size(); ++n) s.SetRecentFile(n, reg.ReadString(RecentFileName(n), s.recent[n].path));
}

void LoadRecentPositions(const TMyReg& reg, Settings& s) {
    for (size_t n = 0; n < s.recent.size(); ++n)
        s.SetRecentPosition(n, reg.ReadInteger(RecentPosName(n), s.recent[n].position));
}

// Which dialog's folder a "Last ... dir" value is; false for other values.
bool DialogOf(std::string_view name, FileDialogKind& kind) {
    static constexpr std::pair<std::string_view, FileDialogKind> kDirs[] = {
        {"Last edit open dir", FileDialogKind::EditOpen},
        {"Last read dir", FileDialogKind::Read},
        {"Last edit save dir", FileDialogKind::EditSave},
        {"Last edit save and read dir", FileDialogKind::EditSaveAndRead},
        {"Last edit save src dir", FileDialogKind::EditSaveSrc},
    };
    for (const auto& [n, k] : kDirs)
        if (n == name) return kind = k, true;
    return false;
}

// "/home/u/book.txt" -> "/home/u"; a file at the top gives "/".
std::string FolderOf(const std::string& fileName) {
    const size_t slash = fileName.find_last_of("/\\");
    if (slash == std::string::npos) return {};
    return slash == 0 ? fileName.substr(0, 1) : fileName.substr(0, slash);
}

void SaveOne(ConfigTree& user, const Settings& s, const SettingInfo& info, const WidgetSettings& w) {
    const std::string_view root = kRootKey;
    FileDialogKind dialog;
    if (info.name == kRecentFilesAfter) {
        if (const auto offset = w.DocumentScrollOffset()) user.SetDWord(root, info.name, *offset);
        return;
    }
    if (DialogOf(info.name, dialog)) {
        const std::string file = w.DialogFileName(dialog);
        const std::string folder = file.empty() ? std::string() : FolderOf(file);
        if (!folder.empty()) user.SetString(root, info.name, folder);
        return;
    }
    switch (info.type) {
        case SettingType::Bool: user.SetDWord(root, info.name, s.*info.b ? 1 : 0); break;
        case SettingType::Int: user.SetDWord(root, info.name, s.*info.i); break;
        case SettingType::String: user.SetString(root, info.name, s.*info.s); break;
    }
}

void SaveRecentFiles(ConfigTree& user, const Settings& s) {
    for (size_t n = 0; n < s.recent.size(); ++n) user.SetString(kRootKey, RecentFileName(n), s.recent[n].path);
}

void SaveRecentPositions(ConfigTree& user, const Settings& s) {
    for (size_t n = 0; n < s.recent.size(); ++n) user.SetDWord(kRootKey, RecentPosName(n), s.recent[n].position);
}

}  // namespace

SettingsLoadResult LoadSettings(const ConfigTree& user, Settings& s, WidgetSettings* widgets) {
    SettingsLoadResult result;
    result.rocketLibrarianPresent = user.KeyExists(kRocketLibrarianKey);
    result.hasToolButtons = user.KeyExists(ToolButtonKey());
    TMyReg reg(user, kRootKey);
    result.rootExists = reg.Exists();
    if (result.rootExists) {
        for (const SettingInfo& info : AllSettings()) {
            LoadOne(reg, s, info);
            // The same value under its other spelling, as older versions wrote it.
            if (info.name == kLastReaderFile)
                s.SetLastReaderFile(reg.ReadString(kLastReaderFileAlias, s.LastReaderFile));
            if (info.name == kRecentFilesAfter) LoadRecentFiles(reg, s);
            if (info.name == kRecentPositionsAfter) LoadRecentPositions(reg, s);
        }
    }
    reg.Close();
    if (widgets) widgets->ApplyLoaded(s);
    return result;
}

void ApplyPostLoadFallbacks(Settings& s) {
    const Settings defaults;
    if (s.EmptyLinesReplaceWith.empty()) s.SetEmptyLinesReplaceWith(defaults.EmptyLinesReplaceWith);
    if (s.OpenEpigraph.empty()) s.SetOpenEpigraph(defaults.OpenEpigraph);
    if (s.CloseEpigraph.empty()) s.SetCloseEpigraph(defaults.CloseEpigraph);
    if (s.HyphFont.empty()) s.SetHyphFont(defaults.HyphFont);
}

bool SaveSettings(ConfigTree& user, Settings& s, WidgetSettings* widgets) {
    if (user.ReadOnly()) return false;
    static const WidgetSettings kNoWidgets;
    const WidgetSettings& w = widgets ? *widgets : kNoWidgets;
    if (widgets) widgets->CaptureInto(s);
    user.CreateKey(kRootKey);
    for (const SettingInfo& info : AllSettings()) {
        SaveOne(user, s, info, w);
        if (info.name == kLastReaderFile) user.SetString(kRootKey, kLastReaderFileAlias, s.LastReaderFile);
        if (info.name == kRecentFilesAfter) SaveRecentFiles(user, s);
        if (info.name == kRecentPositionsAfter) SaveRecentPositions(user, s);
    }
    return true;
}

bool WriteUninstallEntry(ConfigTree& user, const ConfigTree* machine, std::string_view programPath) {
    if (machine && machine->KeyExists(kReaderEditionUninstallKey)) return true;
    std::string command = "\"";
    command.append(programPath).append("\" /UNINSTALL");
    return user.SetString(kUninstallKey, "DisplayName", "Pellmark v1.00 (remove only)") &&
           user.SetString(kUninstallKey, "UninstallString", command);
}

void SaveSettingsAtExit(ConfigTree& user, Settings& s, bool saveAtExit, WidgetSettings* widgets,
                        std::string_view programPath, const ConfigTree* machine) {
    if (!saveAtExit) return;
    // Failures are of no consequence here: the program is leaving anyway.
    SaveSettings(user, s, widgets);
    WriteUninstallEntry(user, machine, programPath);
}

std::string SystemTempFolder() {
    const char* t = std::getenv("TMPDIR");
    return t && *t ? std::string(t) : std::string("/tmp");
}

std::string StartPreviewFileName(std::string_view tempFolder) {
    tempFolder = tempFolder.substr(0, tempFolder.find('\0'));
    tempFolder = tempFolder.substr(0, 1000);
    std::string name(tempFolder);
    if (name.empty() || name.back() != '/') name.push_back('/');
    return name + "$~$~vorn_temp" + "9223372036854775807" + ".html";
}

void StartPreviewFile(std::string& previewFile, std::vector<std::string>& tempFiles, std::string_view tempFolder) {
    previewFile = StartPreviewFileName(tempFolder);
    tempFiles.assign(1, previewFile);
}

}  // namespace pm
