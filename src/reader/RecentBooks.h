// The recent reader list: the books opened for reading, newest first, each
// with the relative position it had when another book was opened over it,
// and the "Recent files" menu made from it.
//
// Paths are file-system strings (UTF-8 on Linux); they are compared without
// regard to case.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "config/Settings.h"

namespace pm::reader {

class RecentBooks {
public:
    // How many entries the settings keep; the list starts with as many
    // empty ones.
    static constexpr size_t kStored = 10;

    RecentBooks();

    // The first kStored entries are the stored ones; more stay in memory
    // only, for as long as the program runs.
    void LoadFrom(const Settings& settings);
    void StoreTo(Settings& settings) const;

    const std::vector<RecentReaderEntry>& Entries() const { return entries_; }
    size_t Size() const { return entries_.size(); }
    const RecentReaderEntry& At(size_t index) const { return entries_.at(index); }

    // The index of the entry of that path, compared without regard to case.
    std::optional<size_t> Find(const std::string& path) const;
    void InsertFront(const std::string& path);
    void RemoveAt(size_t index);
    void SetPosition(size_t index, int32_t relative);

private:
    std::vector<RecentReaderEntry> entries_;
};

// Same path but for letter case (Latin and Cyrillic).
bool SamePathNoCase(const std::string& a, const std::string& b);

// A path as the "Recent files" menu shows it: longer than 50 characters, it
// keeps its first 4 and its last 36 characters around "...".
std::string ShortenForMenu(const std::string& path);

// One item of "Recent files".
struct RecentMenuItem {
    std::string caption;  // the shortened path
    size_t index = 0;     // the entry of the list it opens
    int shortcutDigit = 0;  // Ctrl + this digit, 1 to 6
};

// The menu's items: for the first six entries, one per entry whose file
// exists. Nothing when the first entry is empty: the menu is then left as it
// stands.
std::optional<std::vector<RecentMenuItem>> RecentMenu(const RecentBooks& books,
                                                      const std::function<bool(const std::string&)>& exists);

}  // namespace pm::reader
