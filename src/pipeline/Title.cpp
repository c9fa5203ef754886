// Title and author of a loaded source: read from its HTML head, derived by
// fixed rules, then confirmed by the user.
#include "pipeline/Title.h"

#include <ctime>

#include "common/Cp1251.h"
#include "common/Format.h"
#include "config/Settings.h"

namespace pm {
namespace {

constexpr size_t kSearchWindow = 3000;

// The head of the text that is searched: 3000 characters, or all but the
// last character of a shorter text.
std::string_view SearchWindow(std::string_view text) {
    if (text.size() >= kSearchWindow) return text.substr(0, kSearchWindow);
    return text.substr(0, text.empty() ? 0 : text.size() - 1);
}

enum class Unterminated { Empty, ToWindowEnd };

// The text after `marker` up to `end`, found without regard to case and
// copied with its case; empty when the marker is absent.
std::string ValueAfter(std::string_view window, const std::string& lower, std::string_view marker,
                       std::string_view end, Unterminated unterminated) {
    const size_t at = lower.find(marker);
    if (at == std::string::npos) return {};
    const size_t from = at + marker.size();
    const size_t to = lower.find(end, from);
    if (to == std::string::npos)
        return unterminated == Unterminated::Empty ? std::string() : std::string(window.substr(from));
    return std::string(window.substr(from, to - from));
}

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return FormatTemplate("%d-%.2d-%.2d", {int64_t{tm.tm_year + 1900}, int64_t{tm.tm_mon + 1}, int64_t{tm.tm_mday}});
}

}  // namespace

DetectedTitle DetectTitle(std::string_view text) {
    const std::string_view window = SearchWindow(text);
    const std::string lower = cp1251::LowerCase(window);
    DetectedTitle d;
    d.author = ValueAfter(window, lower, "<meta name=\"author\" content=\"", "\"", Unterminated::ToWindowEnd);
    d.title = ValueAfter(window, lower, "<title>", "</title>", Unterminated::Empty);
    return d;
}

void SplitTitle(std::string& title, std::string& author) {
    const size_t dot = title.find('.');
    if (!author.empty() || dot == std::string::npos) return;
    author = title.substr(0, dot);
    // The full stop goes, and the space after it when there is one.
    const size_t rest = dot + 1 < title.size() && title[dot + 1] == ' ' ? dot + 2 : dot + 1;
    title = title.substr(rest);
}

std::string MakeShortTitle(const Settings& settings, const std::string& title, const std::string& author) {
    std::string s = settings.AddAuthorToTitle ? author + " " + title : title;
    return settings.MakeShortTitleLatin ? TransliterateLatin(s) : s;
}

void SplitAuthor(DocValues& doc) {
    std::string rest = doc.author;  // the author itself keeps the whole name
    const size_t first = rest.find(' ');
    if (first == std::string::npos) {
        if (!rest.empty()) doc.lastName = rest;
        return;
    }
    doc.firstName = rest.substr(0, first);
    rest = rest.substr(first + 1);
    const size_t second = rest.find(' ');
    if (second != std::string::npos) {
        doc.middleName = rest.substr(0, second);
        rest = rest.substr(second + 1);
    } else {
        doc.middleName.clear();
    }
    doc.lastName = rest;
}

BookDescriptionPrefill MakeBookDescriptionPrefill(const DocValues& doc, std::string_view text) {
    BookDescriptionPrefill p;
    p.date = Today();
    p.program = "Pellmark 1.0 + Ostrel skin";
    p.firstName = doc.firstName;
    p.middleName = doc.middleName;
    p.lastName = doc.lastName;
    p.title = doc.title;
    p.annotation = std::string(text.substr(0, kSearchWindow)) + "\r\n...";
    return p;
}

}  // namespace pm
