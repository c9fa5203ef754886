// Title and author harvested from a loaded source.
#pragma once

#include <string>
#include <string_view>

#include "document/DocValues.h"

namespace pm {
struct Settings;

// The steps of harvesting title and author from a loaded source; the main
// window runs them in order and then asks the user.

struct DetectedTitle {
    std::string title, author;
};
// The <title> and the author meta tag within the first 3000 characters.
DetectedTitle DetectTitle(std::string_view text);
// "Surname. Book" -> author "Surname", title "Book" (only when no author
// is known and the title has a full stop).
void SplitTitle(std::string& title, std::string& author);
// Author and title (with "Add autor to title"), made Latin with "Make short
// title latin".
std::string MakeShortTitle(const Settings& settings, const std::string& title, const std::string& author);
// One Latin byte for every Cyrillic letter of the working code page.
std::string TransliterateLatin(std::string_view text);
// First, middle and last name from the author ("Lev Nikolaevich Tolstoy").
void SplitAuthor(DocValues& doc);

// ---- the book-description editor, shown instead of the document properties
// window while an XML book description is loaded

struct BookDescriptionPrefill {
    std::string date;     // "2003-07-05"
    std::string program;  // "Pellmark 1.0 + Ostrel skin"
    std::string firstName, middleName, lastName, title;
    std::string annotation;  // the text's first 3000 characters, a line break and "..."
};
BookDescriptionPrefill MakeBookDescriptionPrefill(const DocValues& doc, std::string_view text);

}  // namespace pm
