// Shell integration on a Linux desktop: "Read with Pellmark" and "Parse
// with Pellmark" in the file manager's "Open With" menu. Each verb is a
// desktop entry in the user's applications folder with the MIME types it
// opens and a command line naming this program by its current path:
//   pellmark-read.desktop   HTML files, the program with "-r" (reader mode)
//   pellmark-parse.desktop  text and HTML files, the program alone (editing)
// The integration is on exactly when the "Parse" entry exists: nothing else
// is stored about it. Entries are written atomically, "Read" first, so an
// integration that failed half-way still reads as off.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pm {
class InterfaceTexts;
}

namespace pm::shell {

// The captions of the two verbs, in Windows-1251 (the interface texts
// "ShellRead" and "ShellParse").
struct ShellCaptions {
    std::string read = "Read with Pellmark";
    std::string parse = "Parse with Pellmark";
};
ShellCaptions CaptionsOf(const InterfaceTexts& texts);

// $XDG_DATA_HOME/applications, or ~/.local/share/applications when that
// variable is unset, empty or not an absolute path; "" with neither.
std::string ApplicationsFolder();

// The entries in a folder: the "Parse" entry first, then the "Read" entry.
std::vector<std::string> ShellEntryPaths(const std::string& folder);

// One argument of an entry's Exec line: quoted, with the characters that
// are special inside quotes escaped, "%" doubled, and the whole escaped
// once more as a desktop-entry string value.
std::string ExecArgument(std::string_view arg);

// The text of the "Read" (reading = true) or "Parse" entry.
std::string DesktopEntryText(bool reading, const std::string& programPath, std::string_view caption1251);

// Whether the integration is on: the "Parse" entry exists in the folder.
bool ShellIntegrated(const std::string& folder);
bool ShellIntegrated();  // in ApplicationsFolder()

// On: writes both entries (creating the folder), with the program's path
// and the captions. Off: deletes them. Then refreshes the folder's MIME
// cache where update-desktop-database is installed. False with one
// sentence in *error when an entry could not be written or deleted; the
// entries after a failed one are left as they were.
bool SetShellIntegration(bool on, const std::string& folder, const std::string& programPath,
                         const ShellCaptions& captions, std::string* error = nullptr);
bool SetShellIntegration(bool on, const std::string& programPath, const ShellCaptions& captions,
                         std::string* error = nullptr);  // in ApplicationsFolder()

// Lets the desktop know that entries in the folder came or went.
void RefreshMimeCache(const std::string& folder);

}  // namespace pm::shell
