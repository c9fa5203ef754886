#include "shell/Device.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "config/TMyReg.h"

namespace pm::shell {

namespace {

namespace fs = std::filesystem;

// What tells a reader's volume from a memory stick: a file or folder the
// reader's own software keeps at the top (a second one when the first alone
// is too common), and the folder in which it looks for books.
struct ReaderMark {
    std::string_view path;
    std::string_view alsoFolder;  // "" when the mark alone is enough
    std::string_view books;       // "" for the top of the volume
};
constexpr ReaderMark kReaderMarks[] = {
    {".kobo", "", ""},                        // Kobo
    {"metadata.calibre", "", ""},             // any reader calibre has loaded
    {"Digital Editions", "", ""},             // readers with Adobe's reading software
    {".adobe-digital-editions", "", ""},
    {"documents", "system", "documents"},     // Kindle
};

// "\040" in a mount list is a space, "\011" a tab, "\134" a backslash.
std::string Unescape(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3' &&
                           field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7';
        if (octal) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

bool Below(const std::string& folder, const std::string& root) {
    std::string prefix = root;
    if (prefix.empty()) return false;
    if (prefix.back() != '/') prefix += '/';
    return folder.size() > prefix.size() && folder.compare(0, prefix.size(), prefix) == 0;
}

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}

// The book folder of a reader's volume, or "" when it does not look like one.
std::string BookFolderOf(const std::string& volume) {
    const fs::path top(volume);
    for (const ReaderMark& mark : kReaderMarks) {
        if (!Exists(top / mark.path)) continue;
        if (!mark.alsoFolder.empty() && !IsFolder(top / mark.alsoFolder)) continue;
        const fs::path books = mark.books.empty() ? top : top / mark.books;
        if (IsFolder(books)) return books.string();
    }
    return {};
}

std::string StemOf(const std::string& path) {
    const std::string stem = fs::path(path).stem().string();
    return stem.empty() ? std::string("book") : stem;
}

}  // namespace

std::string DeviceKey() { return std::string(kRootKey) + "\\Device"; }

std::vector<Mount> ParseMountList(std::string_view text) {
    std::vector<Mount> mounts;
    std::istringstream lines{std::string(text)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string source, folder, type;
        if (!(fields >> source >> folder >> type)) continue;
        mounts.push_back({Unescape(source), Unescape(folder), Unescape(type)});
    }
    return mounts;
}

std::string ReadMountList() {
    std::string text;
    if (!ReadWholeFile("/proc/self/mounts", text)) return {};
    return text;
}

std::vector<std::string> RemovableMountRoots() { return {"/media", "/run/media", "/mnt"}; }

std::vector<std::string> ReaderFolders(const std::vector<Mount>& mounts, const std::vector<std::string>& roots) {
    std::vector<std::string> folders;
    for (const Mount& m : mounts) {
        bool removable = false;
        for (const std::string& root : roots) removable = removable || Below(m.folder, root);
        if (!removable) continue;
        const std::string books = BookFolderOf(m.folder);
        if (!books.empty()) folders.push_back(books);
    }
    return folders;
}

DeviceTarget FindDeviceTarget(const ConfigTree& tree, const std::vector<std::string>& readerFolders) {
    DeviceTarget target;
    const TMyReg reg(tree, DeviceKey());
    const std::string folder = cp1251::ToUtf8(reg.ReadString("Folder", ""));
    if (!folder.empty() && IsFolder(folder)) {
        target.kind = DeviceTarget::Kind::Folder;
        target.folder = folder;
        return target;
    }
    target.command = reg.ReadString("Command", "");
    if (!target.command.empty()) {
        target.kind = DeviceTarget::Kind::Command;
        return target;
    }
    if (!readerFolders.empty()) {
        target.kind = DeviceTarget::Kind::Folder;
        target.folder = readerFolders.front();
        target.detected = true;
    }
    return target;
}

bool StoreDeviceFolder(ConfigTree& tree, const std::string& folder) {
    if (folder.empty()) return tree.DeleteValue(DeviceKey(), "Folder") || !tree.GetValue(DeviceKey(), "Folder");
    return tree.SetString(DeviceKey(), "Folder", cp1251::FromUtf8(folder));
}

bool StoreDeviceCommand(ConfigTree& tree, const std::string& command1251) {
    if (command1251.empty()) return tree.DeleteValue(DeviceKey(), "Command") || !tree.GetValue(DeviceKey(), "Command");
    return tree.SetString(DeviceKey(), "Command", command1251);
}

std::vector<BookFile> BookFilesOf(const OutputFiles& files, std::string_view extension1251) {
    std::vector<BookFile> book;
    // After a split the preview file is the index, the last of the part files.
    const bool split = !files.partFiles.empty() && files.partFiles.back() == files.previewFile;
    if (split) {
        for (const std::string& part : files.partFiles) book.push_back({part, fs::path(part).filename().string()});
        return book;
    }
    if (files.previewFile.empty()) return book;
    const std::string stem = files.sourcePath.empty() ? std::string("book") : StemOf(files.sourcePath);
    book.push_back({files.previewFile, stem + cp1251::ToUtf8(extension1251)});
    return book;
}

SendReport CopyBookToFolder(const std::vector<BookFile>& book, const std::string& folder) {
    SendReport report;
    for (const BookFile& file : book) {
        std::string bytes;
        if (!ReadWholeFile(file.path, bytes, &report.error)) break;
        if (!WriteFileAtomic((fs::path(folder) / file.name).string(), bytes, &report.error)) break;
        report.copied.push_back(file.name);
    }
    return report;
}

ToolLaunch DeviceCommand(const std::string& command1251, const std::vector<BookFile>& book, const DocValues& doc,
                         const std::string& previewPath) {
    ToolLaunch launch;
    std::vector<std::string> words = ToolArguments(command1251, doc, previewPath);
    if (words.empty()) return launch;
    launch.program = words.front();
    launch.args.assign(words.begin() + 1, words.end());
    for (const BookFile& file : book) launch.args.push_back(file.path);
    return launch;
}

}  // namespace pm::shell
