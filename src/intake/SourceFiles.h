// File-system steps of loading a source: the writability probe, the preview
// file name and reading the source file itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pm::intake {

// Creates, closes and deletes fileName + "$$~temp$~vorn" (with "$~" appended
// while a file of that name exists). False when any step fails, i.e. the
// source's folder is not writable.
bool ProbeWritable(const std::string& fileName);

// The folder part of a path including its trailing "/", "" when there is none.
std::string FolderOf(const std::string& path);
// The name with extension, without the folder.
std::string FileNameOf(const std::string& path);
// The system temporary folder with a trailing "/".
std::string SystemTempFolder();

// Where the preview of a source goes: the folder (the system temporary one,
// or the source's own), "$~$~tmp_", the source's name and the output
// extension. "" when that folder is empty (a bare relative name).
std::string PreviewFileFor(const std::string& sourceFile, bool useSystemTemp, const std::string& outputExt);

// A source file opened for reading. Only regular files open: a folder, a
// FIFO or a device would block or never end.
class SourceFile {
public:
    SourceFile() = default;
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;
    ~SourceFile() { Close(); }

    bool Open(const std::string& path);
    uint64_t Size() const { return size_; }
    // Reads the whole file from the start, however long it has become.
    bool ReadAll(std::string& out);
    // Reads the first maxBytes of the file (fewer when it is shorter).
    bool ReadHead(size_t maxBytes, std::string& out);
    void Close();

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

}  // namespace pm::intake
