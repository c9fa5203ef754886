// What the main window's logic asks of the program around it: the desktop
// frame answers with its parts (the reader, the XML check, the modes), the
// headless front end and the tests with what they need. Every call has a
// do-nothing default, so a front end overrides only what it has.
#pragma once

#include <string>

#include "pipeline/Title.h"

namespace pm {

class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // The reader's pending changes are written into its book.
    virtual void SaveReaderChanges() {}
    // The reader's book is left without saving: its pending changes are
    // forgotten.
    virtual void ForgetReaderChanges() {}
    // A finished book is opened for reading.
    virtual void OpenForReading(const std::string& /*path*/) {}
    // The interface mode becomes 0 simple, 1 advanced or 2 reader. Without a
    // frame only the setting changes.
    virtual bool SwitchInterfaceMode(int /*mode*/) { return false; }
    // The preview was refreshed in XML output mode: check it.
    virtual void CheckXmlOutput() {}
    // The title question while an XML book description is loaded: true
    // when the book-description editor took it, false to ask the document
    // properties window instead.
    virtual bool EditBookDescription(const BookDescriptionPrefill& /*prefill*/) { return false; }
};

}  // namespace pm
