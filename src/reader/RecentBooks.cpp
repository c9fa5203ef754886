#include "reader/RecentBooks.h"

#include <algorithm>

#include "common/Cp1251.h"

namespace pm::reader {
namespace {

constexpr size_t kMenuEntries = 6;
constexpr size_t kLongPath = 50;
constexpr size_t kKeptHead = 4;
constexpr size_t kKeptTail = 36;

// Offsets of the characters of a UTF-8 string (a malformed byte counts as
// one character), so that shortening never cuts a character in two.
std::vector<size_t> CharacterStarts(const std::string& s) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
    return starts;
}

}  // namespace

RecentBooks::RecentBooks() : entries_(kStored) {}

void RecentBooks::LoadFrom(const Settings& settings) {
    entries_.assign(settings.recent.begin(), settings.recent.end());
}

void RecentBooks::StoreTo(Settings& settings) const {
    for (size_t n = 0; n < settings.recent.size(); ++n) {
        const RecentReaderEntry e = n < entries_.size() ? entries_[n] : RecentReaderEntry{};
        if (settings.recent[n].path != e.path) settings.SetRecentFile(n, e.path);
        if (settings.recent[n].position != e.position) settings.SetRecentPosition(n, e.position);
    }
}

std::optional<size_t> RecentBooks::Find(const std::string& path) const {
    if (path.empty()) return std::nullopt;
    for (size_t n = 0; n < entries_.size(); ++n)
        if (SamePathNoCase(entries_[n].path, path)) return n;
    return std::nullopt;
}

void RecentBooks::InsertFront(const std::string& path) {
    entries_.insert(entries_.begin(), {path, 0});
    // Empty entries past the stored ones hold nothing worth keeping.
    while (entries_.size() > kStored && entries_.back().path.empty()) entries_.pop_back();
}

void RecentBooks::RemoveAt(size_t index) {
    if (index < entries_.size()) entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    // The stored places never run short of entries.
    while (entries_.size() < kStored) entries_.push_back({});
}

void RecentBooks::SetPosition(size_t index, int32_t relative) {
    if (index < entries_.size()) entries_[index].position = relative;
}

bool SamePathNoCase(const std::string& a, const std::string& b) {
    // Through the working code page, which knows the case of Cyrillic
    // letters; other characters come back as references and compare exactly.
    return cp1251::EqualsNoCase(cp1251::FromUtf8(a), cp1251::FromUtf8(b));
}

std::string ShortenForMenu(const std::string& path) {
    const std::vector<size_t> starts = CharacterStarts(path);
    if (starts.size() <= kLongPath) return path;
    return path.substr(0, starts[kKeptHead]) + "..." + path.substr(starts[starts.size() - kKeptTail]);
}

std::optional<std::vector<RecentMenuItem>> RecentMenu(const RecentBooks& books,
                                                      const std::function<bool(const std::string&)>& exists) {
    if (books.Size() == 0 || books.At(0).path.empty()) return std::nullopt;
    std::vector<RecentMenuItem> items;
    for (size_t n = 0; n < std::min(kMenuEntries, books.Size()); ++n) {
        const std::string& path = books.At(n).path;
        if (path.empty() || !exists(path)) continue;
        items.push_back({ShortenForMenu(path), n, static_cast<int>(n) + 1});
    }
    return items;
}

}  // namespace pm::reader
