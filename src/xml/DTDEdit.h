// The book description's form, built from a DTD. The skin stores the DTD
// of the book description in the configuration ("DTD for editor"); the
// element declarations with their content models and CDATA attribute lists
// become a tree of entries that the user fills in. The tree knows which
// parts are required, when the description is complete, and what XML it
// makes. The editor window (xml/qt/DTDEditor) only shows it.
//
// A DTD may declare an element in terms of itself (a section holding
// sections). Such an element is expanded once on each path from the root;
// where it comes again below itself it stays an empty entry. The tree also
// stops at a depth and a size bound, so no DTD makes it grow without end.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigTree.h"
#include "config/Texts.h"

namespace pm {

// The kind of an entry, also its tree icon.
enum DtdKind : int {
    kDtdContainer = 0,  // children only
    kDtdParagraph = 1,  // text made into <p> paragraphs (a "(p|" or "(p," model)
    kDtdText = 2,       // plain text (#PCDATA)
    kDtdGroup = 3,      // a choice or sequence group without a name of its own
    kDtdAttribute = 4,
};

// How often the DTD allows the entry, also its state icon.
enum DtdOccurrence : int {
    kOccAny = 1,         // "*"
    kOccOne = 2,         // no mark; a #REQUIRED attribute
    kOccOptional = 3,    // "?"; an attribute that is not #REQUIRED
    kOccOneOrMore = 4,   // "+"
};
// The state icon of a complete entry that holds a value.
inline constexpr int kStateComplete = 5;

// Why an element has no children although its model names some.
enum class DtdCut {
    None,
    Recursive,  // it stands on its own path already
    TooDeep,    // the depth bound
    TooMany,    // the size bound
};

struct TDTDEntry {
    std::string name;   // element or attribute name; a group's content text
    std::string value;  // the user's text (leaf kinds)
    TDTDEntry* parent = nullptr;
    std::vector<std::unique_ptr<TDTDEntry>> children;  // attributes first, then the content
    std::string declaration;    // "<!ELEMENT name ...>"; a group's text; an attribute's name
    std::string contentBuffer;  // the content model still to be parsed while building
    int kind = kDtdContainer;
    bool sequence = true;       // children separated by "," (all, in order); false: "|" (one of them)
    int occurrence = kOccOne;
    bool included = false;
    bool isCopy = false;
    bool hasAttributes = false;
    int sortKey = 0;
    DtdCut cut = DtdCut::None;

    bool IsLeaf() const { return kind == kDtdParagraph || kind == kDtdText || kind == kDtdAttribute; }
    bool Required() const { return occurrence == kOccOne || occurrence == kOccOneOrMore; }
    bool Optional() const { return occurrence == kOccAny || occurrence == kOccOptional; }
    size_t IndexInParent() const;
    int Depth() const;  // 0 for the root
};

// The DTD text as the editor reads it: comments removed, line breaks,
// tabs and the spaces around separators reduced, so that a DTD written
// over several lines gives the same tree as its compact form.
std::string PrepareDtdText(std::string dtd);

// Something the building has to tell the user.
struct DtdBuildNote {
    enum class Kind { AttributeType, TooDeep, TooMany };
    Kind kind;
    std::string element, attribute, type;
};
// The note as the user reads it.
std::string DtdNoteText(const DtdBuildNote& note, const Texts& texts);

// The completeness of an entry and the message the check left behind.
struct DtdCompleteness {
    bool complete = true;
    std::string key;  // "Missed data", "Missed prop" or "To many values set"
    const TDTDEntry* at = nullptr;
};

// A piece of the XML pane: a tag without its marker, or text.
struct DtdPaneSegment {
    enum class Role { RequiredTag, OptionalTag, ParagraphTag, Text };
    Role role;
    std::string text;
};

class DtdTree {
public:
    // Entries stand at most this many levels below the root, and a tree
    // holds at most this many entries.
    static constexpr int kMaxDepth = 32;
    static constexpr size_t kMaxEntries = 5000;

    // Builds the tree of rootName from a prepared DTD (PrepareDtdText).
    // False, leaving the tree empty, when the DTD does not declare it.
    bool Build(const std::string& preparedDtd, const std::string& rootName);
    TDTDEntry* Root() const { return root_.get(); }
    size_t EntryCount() const { return count_; }
    // What the building (and duplicating) had to tell; cleared by Build.
    const std::vector<DtdBuildNote>& Notes() const { return notes_; }

    // The entry at a path of names joined by "|", from the root's child
    // down (a leading root name and "|" are allowed); null when none.
    TDTDEntry* Find(std::string_view path) const;
    // Set value at path: an empty text does nothing; a found entry gets
    // the value and is included. False when the path matches no entry.
    bool SetValueAtPath(std::string_view path, const std::string& text);
    // Stores the text; a non-empty one includes the entry and its ancestors.
    void SetValue(TDTDEntry& e, const std::string& text);
    // Sets or clears the included flag; including also includes every
    // required child, recursively.
    void Include(TDTDEntry& e, bool on);

    // Leaving a node with the value field's text and the "&Use this node"
    // button's state. False when a plain-text or attribute entry's text
    // holds "<": the selection must stay.
    bool Leave(TDTDEntry& e, const std::string& field, bool useChecked);

    // "D&uplicate node": a copy right after e among its parent's children,
    // built from the DTD (a group from its own content model). Null for
    // the root.
    TDTDEntry* Duplicate(TDTDEntry& e);
    // "De&lete node": e and its children go. False for the root.
    bool Remove(TDTDEntry& e);

    DtdCompleteness Completeness(const TDTDEntry& e) const;
    bool IsComplete(const TDTDEntry& e) const { return Completeness(e).complete; }
    // The state icon: kStateComplete for a complete entry holding a value
    // (in itself or below), else its occurrence.
    int StateIcon(const TDTDEntry& e) const;

    // The XML of an entry at an indentation of n spaces, with the marker
    // character after each "<" (apostrophe: required, double quote: optional).
    std::string MarkedXml(const TDTDEntry& e, int indent = 0) const;
    // The root's XML cut into the pane's pieces, markers removed.
    std::vector<DtdPaneSegment> PaneSegments() const;
    // The message under an incomplete description ("" when complete), each
    // backslash of the stored text made a line break.
    std::string PendingMessage(const Texts& texts) const;
    // The pane's text: the root's XML without markers, and for an incomplete
    // description a line feed and the message. This is the book description.
    std::string PaneText(const Texts& texts) const;

    // "Save as default": every leaf's value under its full path in
    // html\xml\defaults (an empty value deletes the stored one).
    void SaveDefaults(ConfigTree& tree) const;
    // The stored defaults, each set at its path (the key is created when
    // missing and the tree is writable).
    void LoadDefaults(ConfigTree& tree);

private:
    TDTDEntry* AddChild(TDTDEntry& parent, const std::string& name, int occurrence);
    void BuildElement(TDTDEntry& e, bool expand);
    void BuildGroup(TDTDEntry& g, const std::string& groupText);
    void ReadAttributes(TDTDEntry& e);
    void ExpandContent(TDTDEntry& parent);
    bool Complete(const TDTDEntry& e, DtdCompleteness& pending) const;
    void Note(DtdBuildNote note);

    std::unique_ptr<TDTDEntry> root_;
    std::map<std::string, std::string, std::less<>> elements_;  // name -> its first declaration
    std::map<std::string, std::string, std::less<>> attlists_;  // name -> its first attribute list
    int sortCounter_ = 0;
    size_t count_ = 0;
    std::vector<DtdBuildNote> notes_;
};

// The label of an entry's tree node: its name, or name = "value" with the
// value on one line and cut to 50 characters.
std::string DtdLabel(const TDTDEntry& e);
// An entry's full path: the root's name and every name down to it, joined
// with "|" (the names of stored defaults).
std::string DtdFullPath(const TDTDEntry& e);
// Where an entry stands, for the messages: "<root><child>" and an attribute
// as its name in double quotes.
std::string DtdLocation(const TDTDEntry& e);

// What the editor's controls show for the entry entered.
struct DtdNodeControls {
    std::string field;  // the value field's text
    bool fieldEnabled = false;
    bool duplicateEnabled = false;
    bool deleteEnabled = false;
    bool useEnabled = false;
    bool useChecked = false;
};
// containerNotice, groupNotice: the bracketed notices of the value field.
DtdNodeControls ControlsFor(const TDTDEntry& e, std::string_view containerNotice, std::string_view groupNotice);

}  // namespace pm
