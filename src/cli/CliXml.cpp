#include "cli/CliXml.h"

#include "app/TMain.h"
#include "cli/TerminalStatus.h"
#include "common/Cp1251.h"
#include "xml/BookDescription.h"

namespace pm::cli {

void PrintXmlReport(std::FILE* to, const XmlParseError& error) {
    for (const std::string& line : XmlReportLines(error)) std::fprintf(to, "%s\n", cp1251::ToUtf8(line).c_str());
}

void CliXmlFrontEnd::CheckXmlOutput() { lastCheck_ = CheckXmlPreview(main_.files.previewFile); }

bool CliXmlFrontEnd::ReportLast() {
    if (!missing_.empty()) {
        status_.Clear();
        std::fprintf(stderr, "pellmark-cli: the book description is incomplete: %s\n", cp1251::ToUtf8(missing_).c_str());
    }
    if (lastCheck_.status != XmlCheckResult::Status::Invalid) return false;
    status_.Clear();
    PrintXmlReport(stderr, lastCheck_.error);
    return true;
}

bool CliXmlFrontEnd::EditBookDescription(const BookDescriptionPrefill& p) {
    const DescriptionPrefill values{p.date, p.program, p.firstName, p.middleName, p.lastName, p.title};
    const std::optional<HeadlessDescription> made =
        MakeBookDescription(main_.config, main_.xml, values, *main_.ui.questions, main_.texts);
    if (!made) return false;
    main_.doc.bookDescription = made->text;
    missing_ = made->missing;
    for (char& c : missing_)
        if (c == '\n') c = ' ';
    return true;
}

}  // namespace pm::cli
