// Sending the finished book to an e-book reader. The target is, in this
// order: a folder the user chose and stored (while it exists), a command
// the user stored, or a mounted volume that looks like an e-book reader.
// Without any of them there is nowhere to send to and the command is off.
// The choice is kept under <root>\Device: "Folder" and "Command".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigTree.h"
#include "document/DocValues.h"
#include "document/OutputFiles.h"
#include "shell/ToolButtons.h"

namespace pm::shell {

std::string DeviceKey();  // <root>\Device

// One line of a mount list (/proc/self/mounts): what is mounted, where, and
// the file-system type; the octal escapes of the list ("\040") undone.
struct Mount {
    std::string source;
    std::string folder;
    std::string type;
};
std::vector<Mount> ParseMountList(std::string_view text);
// /proc/self/mounts, "" when it cannot be read.
std::string ReadMountList();

// Where removable media are mounted on a desktop.
std::vector<std::string> RemovableMountRoots();

// The book folders of mounted volumes, below one of the roots, that look
// like e-book readers (a Kobo's ".kobo", a Kindle's "documents" beside
// "system", Adobe Digital Editions' folder, a calibre-managed reader's
// "metadata.calibre" …), in the order of the mount list.
std::vector<std::string> ReaderFolders(const std::vector<Mount>& mounts, const std::vector<std::string>& roots);

struct DeviceTarget {
    enum class Kind { None, Folder, Command };
    Kind kind = Kind::None;
    std::string folder;   // Kind::Folder, file-system text
    std::string command;  // Kind::Command: a command line with the tool macros, Windows-1251
    bool detected = false;  // the folder is a reader found among the mounted volumes
};

// The target now: the stored folder when it is an existing folder, else the
// stored command, else the first of readerFolders.
DeviceTarget FindDeviceTarget(const ConfigTree& tree, const std::vector<std::string>& readerFolders);

// The user's choice, stored (file-system text and Windows-1251 command
// line); an empty text forgets it.
bool StoreDeviceFolder(ConfigTree& tree, const std::string& folder);
bool StoreDeviceCommand(ConfigTree& tree, const std::string& command1251);

// One file of a finished book: where it is, and its name on the device.
struct BookFile {
    std::string path;
    std::string name;
};

// A split book is its part files and index file under their own names (they
// link to each other); a whole book is the preview file, named after the
// source ("book.txt" gives "book" with the output extension).
std::vector<BookFile> BookFilesOf(const OutputFiles& files, std::string_view extension1251);

struct SendReport {
    std::vector<std::string> copied;  // names, in order
    std::string error;                // one sentence, empty when all went
    bool Ok() const { return error.empty(); }
};

// Copies each file into the folder: written beside its final name and
// renamed into place, so the reader never sees half a file. Stops at the
// first failure; what was copied before it stays.
SendReport CopyBookToFolder(const std::vector<BookFile>& book, const std::string& folder);

// The command target: its command line as a tool's (split, then the macros
// filled in), followed by the book's files.
ToolLaunch DeviceCommand(const std::string& command1251, const std::vector<BookFile>& book, const DocValues& doc,
                         const std::string& previewPath);

}  // namespace pm::shell
