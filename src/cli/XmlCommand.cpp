// pellmark-cli check-xml: the XML check of the desktop program on a file.
#include <cstdio>
#include <string>

#include "cli/CliXml.h"
#include "cli/Commands.h"

namespace pm::cli {
namespace {

const char* kCheckXmlHelp =
    "usage: pellmark-cli check-xml [--dtd DTD] FILE\n"
    "\n"
    "Parses FILE with validation against the DTD its DOCTYPE names (or against\n"
    "DTD, which also serves a saved book that names none) and prints the report\n"
    "of the first error. Nothing is read from the network, no external entity\n"
    "but the DTD is read, and entity expansion and nesting are bounded.\n"
    "\n"
    "Exit status: 0 valid, 1 an error was found or FILE could not be read,\n"
    "2 bad usage.\n";

}  // namespace

int RunCheckXml(const Args& args) {
    std::string file, dtd;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-h" || a == "--help") {
            std::fputs(kCheckXmlHelp, stdout);
            return 0;
        }
        if (a == "--dtd" && i + 1 < args.size()) {
            dtd = args[++i];
        } else if (!a.empty() && a[0] != '-' && file.empty()) {
            file = a;
        } else {
            std::fputs(kCheckXmlHelp, stderr);
            return 2;
        }
    }
    if (file.empty()) {
        std::fputs(kCheckXmlHelp, stderr);
        return 2;
    }
    const XmlCheckResult r = dtd.empty() ? CheckXmlPreview(file) : CheckXmlAgainstDtd(file, dtd);
    if (r.status == XmlCheckResult::Status::NotChecked) {
        std::fprintf(stderr, "pellmark-cli: %s\n", r.why.c_str());
        return 1;
    }
    if (r.status == XmlCheckResult::Status::Valid) return 0;
    PrintXmlReport(stdout, r.error);
    return 1;
}

}  // namespace pm::cli
