// An EPUB 3 book (with an EPUB 2 table of contents for older readers) made
// from a finished conversion: the content documents, the navigation
// document, the NCX, the package document and the style sheet, and the zip
// container they travel in.
//
// A single document is cut into chapters at its level-1 headers; what stands
// before the first of them (title, front text) goes into the navigation
// document together with the table of contents, in the place where the
// conversion put its own table. A split book brings its index and its part
// files: each part becomes one chapter and the index becomes the navigation
// document. The navigation lists the headers that kept their tags (the
// conversion removes the tags of the ones the user left out).
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace pm::epub {

// One file of the finished conversion as this program writes it.
struct SourceDocument {
    // Its own file name as the links of the text write it (Windows-1251):
    // the part files of a split book link to each other by it.
    std::string fileName;
    std::string html;      // Windows-1251
};

struct BookInfo {
    // The document values (Windows-1251).
    std::string title, author, shortTitle;
    std::string fallbackTitle;  // the title when the document has none (the source file's name)
    std::string language;       // "ru" or "en"; "" decides by the letters of the text
    std::string identifier;     // "" derives one from the text, the same for the same book
    std::time_t modified = 0;   // the modification date of the book
    // The cover: the picture's src as the text names it (Windows-1251) and
    // the file to take it from. A file that cannot be read, or is not a
    // JPEG, PNG, GIF or SVG picture, leaves the book without a cover.
    std::string coverSrc;
    std::string coverPath;
};

struct BookSource {
    BookInfo info;
    // One document; or, split, the index followed by its parts in order.
    std::vector<SourceDocument> documents;
    bool split = false;
};

struct PackageFile {
    std::string name;  // path inside the container
    std::string bytes;
};

// The files of the container in their order, "mimetype" first.
std::vector<PackageFile> BuildPackage(const BookSource& book);

// "ru" when the text outside the tags has at least as many Cyrillic letters
// as Latin ones, else "en".
std::string DetectLanguage(const BookSource& book);
// "urn:uuid:" and a UUID computed from the title, the author and the text.
std::string StableIdentifier(const BookSource& book);
// The date as the package writes it: "2024-05-01T12:00:00Z".
std::string PackageDate(std::time_t t);

// The zip container of the files: the first stored, the others deflated,
// every entry dated modified. Empty with *error set on failure.
std::string ZipPackage(const std::vector<PackageFile>& files, std::time_t modified, std::string* error);

// Builds the book and writes it to path through a temporary file in the same
// folder, so that a failure leaves an older file intact.
bool WriteEpub(const std::string& path, const BookSource& book, std::string* error);

}  // namespace pm::epub
