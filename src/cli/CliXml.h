// The XML side of the headless front end: the check of an XML result and
// the book description made without asking.
#pragma once

#include <cstdio>
#include <string>

#include "app/FrontEnd.h"
#include "xml/XMLState.h"

namespace pm {
class TMain;
}

namespace pm::cli {

class TerminalStatus;

// The report lines of a failed check, in UTF-8, one per line.
void PrintXmlReport(std::FILE* to, const XmlParseError& error);

class CliXmlFrontEnd final : public FrontEnd {
public:
    CliXmlFrontEnd(TMain& main, TerminalStatus& status) : main_(main), status_(status) {}

    // Checks the preview file just written.
    void CheckXmlOutput() override;
    // Makes the description from the configuration, the stored defaults and
    // the prefilled values, as the editor would when closed at once.
    bool EditBookDescription(const BookDescriptionPrefill& prefill) override;

    // Tells on stderr what the last description lacks and what the last
    // check found (a book is converted more than once on its way, and only
    // the last counts). True when that check found an error.
    bool ReportLast();

private:
    TMain& main_;
    TerminalStatus& status_;
    XmlCheckResult lastCheck_;
    std::string missing_;  // what the last description lacks
};

}  // namespace pm::cli
