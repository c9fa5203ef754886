#include "shell/DesktopEntries.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/Concat.h"
#include "common/Cp1251.h"
#include "config/Localization.h"
#include "shell/Launch.h"

namespace pm::shell {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kParseEntry = "pellmark-parse.desktop";
constexpr std::string_view kReadEntry = "pellmark-read.desktop";
constexpr std::string_view kReadTypes = "text/html;application/xhtml+xml;";
constexpr std::string_view kParseTypes = "text/plain;text/html;application/xhtml+xml;";

// A desktop-entry string value: backslash and the control characters that
// cannot stand in a one-line value are escaped.
std::string EntryString(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            default: out += c;
        }
    }
    return out;
}

std::string EntryPath(const std::string& folder, std::string_view name) { return (fs::path(folder) / name).string(); }

}  // namespace

ShellCaptions CaptionsOf(const InterfaceTexts& texts) {
    return ShellCaptions{texts.Control("ShellRead"), texts.Control("ShellParse")};
}

std::string ApplicationsFolder() {
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && xdg[0] == '/') return (fs::path(xdg) / "applications").string();
    const char* home = std::getenv("HOME");
    if (home && *home) return (fs::path(home) / ".local/share/applications").string();
    return {};
}

std::vector<std::string> ShellEntryPaths(const std::string& folder) {
    if (folder.empty()) return {};
    return {EntryPath(folder, kParseEntry), EntryPath(folder, kReadEntry)};
}

std::string ExecArgument(std::string_view arg) {
    std::string quoted = "\"";
    for (char c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        if (c == '%') quoted += '%';  // a literal percent sign is "%%"
        quoted += c;
    }
    quoted += '"';
    return EntryString(quoted);
}

std::string DesktopEntryText(bool reading, const std::string& programPath, std::string_view caption1251) {
    std::string text = "[Desktop Entry]\n";
    text += "Type=Application\n";
    text += "Version=1.0\n";
    text += Concat({"Name=", EntryString(cp1251::ToUtf8(caption1251)), "\n"});
    text += Concat({"Exec=", ExecArgument(programPath), reading ? " -r %f\n" : " %f\n"});
    text += "Terminal=false\n";
    // Shown only where files are opened, not among the applications.
    text += "NoDisplay=true\n";
    text += Concat({"MimeType=", reading ? kReadTypes : kParseTypes, "\n"});
    return text;
}

bool ShellIntegrated(const std::string& folder) {
    std::error_code ec;
    return !folder.empty() && fs::exists(EntryPath(folder, kParseEntry), ec);
}

bool ShellIntegrated() { return ShellIntegrated(ApplicationsFolder()); }

bool SetShellIntegration(bool on, const std::string& folder, const std::string& programPath,
                         const ShellCaptions& captions, std::string* error) {
    if (folder.empty()) {
        if (error) *error = "There is no folder for desktop entries: neither XDG_DATA_HOME nor HOME is set.";
        return false;
    }
    bool ok = true;
    if (on) {
        std::error_code ec;
        fs::create_directories(folder, ec);
        // Both entries are written before either replaces the old one; the
        // "Parse" entry, which says the integration is on, comes last.
        AtomicFileSet entries;
        ok = entries.Add(EntryPath(folder, kReadEntry), DesktopEntryText(true, programPath, captions.read), error) &&
             entries.Add(EntryPath(folder, kParseEntry), DesktopEntryText(false, programPath, captions.parse),
                         error) &&
             entries.Commit(error);
    } else {
        for (const std::string& entry : ShellEntryPaths(folder)) {
            std::error_code ec;
            fs::remove(entry, ec);  // an entry that is not there is fine
            if (ec) {
                if (error) *error = Concat({"Cannot delete \"", entry, "\": ", ec.message()});
                ok = false;
                break;
            }
        }
    }
    RefreshMimeCache(folder);
    return ok;
}

bool SetShellIntegration(bool on, const std::string& programPath, const ShellCaptions& captions,
                         std::string* error) {
    return SetShellIntegration(on, ApplicationsFolder(), programPath, captions, error);
}

void RefreshMimeCache(const std::string& folder) {
    std::error_code ec;
    if (folder.empty() || !fs::is_directory(folder, ec)) return;
    RunAndWait("update-desktop-database", {"-q", folder});
}

}  // namespace pm::shell
