#include "app/EpubExport.h"

#include <sys/stat.h>

#include <filesystem>

#include "app/TMain.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"

namespace pm {
namespace {

namespace fs = std::filesystem;

// The book is as old as its source; a text typed in has no file and is new.
std::time_t ModificationDate(const std::string& source) {
    struct stat st {};
    if (!source.empty() && ::stat(source.c_str(), &st) == 0) return st.st_mtime;
    return std::time(nullptr);
}

// The title picture's file: the title entry names it as given (in the
// text's code page), relative to the folder of the source, where the
// preview of the book is written.
std::string CoverPath(const std::string& coverImage, const std::string& source) {
    if (coverImage.empty()) return {};
    std::string path = cp1251::ToUtf8(coverImage);
    constexpr std::string_view kFileUrl = "file://";
    if (path.compare(0, kFileUrl.size(), kFileUrl) == 0) path.erase(0, kFileUrl.size());
    if (fs::path(path).is_absolute() || source.empty()) return path;
    return (fs::path(source).parent_path() / path).string();
}

// A file's name as the links of the text write it: file names are UTF-8,
// the text Windows-1251.
std::string NameInText(const std::string& path) { return cp1251::FromUtf8(fs::path(path).filename().string()); }

}  // namespace

bool EpubSourceOf(const TMain& main, epub::BookSource& book, std::string* error) {
    book = {};
    epub::BookInfo& info = book.info;
    info.title = main.doc.title;
    info.author = main.doc.author;
    info.shortTitle = main.doc.shortTitle;
    info.fallbackTitle = fs::path(main.files.sourcePath).stem().string();
    info.modified = ModificationDate(main.files.sourcePath);
    info.coverSrc = main.doc.coverImage;
    info.coverPath = CoverPath(main.doc.coverImage, main.files.sourcePath);

    // A split conversion leaves its parts on disk, the index last, and the
    // index is the result. The last conversion decides, not the setting as
    // it is now: a book split before the setting was turned off is still
    // its index and parts.
    const std::vector<std::string>& parts = main.files.partFiles;
    book.split = parts.size() > 1 && parts.back() == main.files.previewFile;
    book.documents.push_back({book.split ? NameInText(parts.back()) : "", main.DocumentText()});
    if (!book.split) return true;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        epub::SourceDocument d{NameInText(parts[i]), {}};
        if (!ReadWholeFile(parts[i], d.html, error)) return false;
        book.documents.push_back(std::move(d));
    }
    return true;
}

bool SaveEpubAs(const TMain& main, const std::string& path, std::string* error) {
    if (!main.HasResult()) {
        if (error) *error = "There is no converted document to save as \"" + path + "\".";
        return false;
    }
    epub::BookSource book;
    if (!EpubSourceOf(main, book, error)) return false;
    return epub::WriteEpub(path, book, error);
}

}  // namespace pm
