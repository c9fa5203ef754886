// The document values held by the main window and shared by the stages.
#pragma once

#include <string>

namespace pm {

struct DocValues {
    std::string title;
    std::string author;
    std::string shortTitle;
    std::string comment;
    std::string firstName;
    std::string middleName;
    std::string lastName;
    std::string coverImage;  // file name of the title image; empty for none
    // The book description (XML description mode): the XML text the
    // book-description editor gave when it was last closed.
    std::string bookDescription;
};

}  // namespace pm
