// XML description mode. A skin that stores the key html\xml with the integer
// "Ostrel" = 1 turns it on at start: the head of every document then holds
// the DTD and style-sheet references and the book description, saving
// exchanges the local references for the public ones, and the title
// question opens the book-description editor. The mode is read once; a
// changed configuration counts from the next start.
#pragma once

#include <string>
#include <string_view>

#include "config/ConfigTree.h"

namespace pm {

// The key of the XML values, and the key of the editor's stored defaults.
std::string XmlKeyPath();          // <root>\html\xml
std::string XmlDefaultsKeyPath();  // <root>\html\xml\defaults

// What html\xml holds: the paths in the book-description tree that receive
// the prefilled values ("|" between element names, from the root's child
// down), and the references of the document head.
struct XmlDescriptionValues {
    std::string currentDate = "document-info|date|value";
    std::string programUsed = "document-info|program-used";
    std::string firstName = "title-info|author|first-name";
    std::string middleName = "title-info|author|middle-name";
    std::string lastName = "title-info|author|last-name";
    std::string bookTitle = "title-info|book-title";
    std::string pubDtd;      // "PUB DTD": the head of a saved file
    std::string sysDtd;      // "SYS DTD": the head of the preview, which the check reads
    std::string styleSheet;  // "XML Style sheet": after "SYS DTD" in the preview
    std::string pubSxl;      // "PUB SXL": after "PUB DTD" when saving with the style-sheet link

    // The first line of a document made in the mode: "SYS DTD" directly
    // followed by "XML Style sheet".
    std::string LocalReferences() const { return sysDtd + styleSheet; }
    // What a save puts in their place: "PUB DTD", and "PUB SXL" after it for
    // the style-sheet form.
    std::string PublicReferences(bool withStyleSheet) const { return withStyleSheet ? pubDtd + pubSxl : pubDtd; }
};

// True when html\xml exists and "Ostrel" is the integer 1; the values are
// then read (a missing one keeps its default). Otherwise the values are
// left alone and the mode stays off, without a message. "%pellmarkpath%"
// in the DTD and style-sheet values becomes the shared data folder
// (SharedDataDir of programDir).
bool ReadXmlDescriptionMode(const ConfigTree& tree, const std::string& programDir, XmlDescriptionValues& values);

// The first "%pellmarkpath%" of value becomes the program's folder with a
// trailing "/"; later occurrences stay as written.
std::string ReplaceProgramPath(std::string value, const std::string& programDir);

}  // namespace pm
