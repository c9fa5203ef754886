// pellmark-cli: the headless front end for conversion and inspection.
#include <cstdio>
#include <cstring>
#include <string>

#include "cli/Commands.h"
#include "common/Version.h"

namespace {

void Usage(FILE* to) {
    std::fputs(
        "usage: pellmark-cli COMMAND [ARGS]\n"
        "       pellmark-cli --version\n"
        "\n"
        "commands:\n"
        "  convert INPUT [options]     convert a text or HTML book (convert --help)\n"
        "  config import FILE.reg      merge a REGEDIT4 file into the configuration\n"
        "  config export [KEY] [FILE]  write the configuration, or one key, out\n"
        "  rules list | rules apply NAME FILE\n"
        "                              the regular-expression rule lists\n"
        "  book info FILE              a book's bookmarks and reading position\n"
        "  check-xml [--dtd DTD] FILE  validate an XML book and report its first error\n",
        to);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        Usage(argc < 2 ? stderr : stdout);
        return argc < 2 ? 2 : 0;
    }
    const std::string cmd = argv[1];
    if (cmd == "--version") {
        std::printf("pellmark-cli %s (build %s)\n", pm::kProgramVersion, pm::kBuildNumber);
        return 0;
    }
    const pm::cli::Args args(argv + 2, argv + argc);
    if (cmd == "convert") return pm::cli::RunConvert(args);
    if (cmd == "config") return pm::cli::RunConfig(args);
    if (cmd == "rules") return pm::cli::RunRules(args);
    if (cmd == "book") return pm::cli::RunBook(args);
    if (cmd == "check-xml") return pm::cli::RunCheckXml(args);
    std::fprintf(stderr, "pellmark-cli: unknown command \"%s\"\n", cmd.c_str());
    Usage(stderr);
    return 2;
}
