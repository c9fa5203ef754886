// pellmark-cli book: what a book carries for the reader, read with the
// reader's own rules, so that scripts can look into books without the
// desktop program.
#include <cstdio>
#include <string>

#include "cli/Commands.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "reader/BookMarkers.h"

namespace pm::cli {
namespace {

constexpr int kOk = 0, kBadInput = 1, kUsage = 2;

void BookUsage(FILE* to) {
    std::fputs(
        "usage: pellmark-cli book info FILE\n"
        "\n"
        "Prints what the reader finds in FILE, one fact a line, the fields\n"
        "separated by a tab:\n"
        "  produced-by<TAB>yes|no     made by this program (its generator tag or a\n"
        "                             bookmark block of the reader)\n"
        "  bookmark<TAB>ID<TAB>NAME   one line per bookmark, in the book's order\n"
        "  position<TAB>N             the stored relative position, 0 (top) to\n"
        "                             2147483647 (end); \"none\" without one,\n"
        "                             \"invalid\" when it is not a number\n"
        "Names are printed as UTF-8.\n"
        "Exit codes: 0 done, 1 the file cannot be read, 2 wrong usage.\n",
        to);
}

int Usage() {
    BookUsage(stderr);
    return kUsage;
}

int Info(const std::string& file) {
    std::string text, error;
    if (!ReadWholeFile(file, text, &error)) {
        std::fprintf(stderr, "pellmark-cli: %s\n", error.c_str());
        return kBadInput;
    }
    const std::string head = reader::HeadText(text);
    const bool utf8 = reader::DeclaresUtf8(head.empty() ? text.substr(0, 1024) : head);
    std::string out = "produced-by\t";
    out += reader::ProducedByPellmark(text) ? "yes\n" : "no\n";
    for (const reader::Bookmark& b : reader::ReadBookmarks(text)) {
        out += "bookmark\t";
        out += std::to_string(b.id);
        out += '\t';
        out += utf8 ? b.name : cp1251::ToUtf8(b.name);
        out += '\n';
    }
    const reader::StoredPosition p = reader::ReadPosition(text);
    out += "position\t";
    out += !p.marked ? std::string("none") : p.value ? std::to_string(*p.value) : std::string("invalid");
    out += '\n';
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fputs("pellmark-cli: Cannot write to standard output.\n", stderr);
        return kBadInput;
    }
    return kOk;
}

}  // namespace

int RunBook(const Args& args) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        BookUsage(stdout);
        return kOk;
    }
    if (args.size() == 2 && args[0] == "info") return Info(args[1]);
    if (!args.empty() && args[0] != "info")
        std::fprintf(stderr, "pellmark-cli: unknown book command \"%s\"\n", args[0].c_str());
    return Usage();
}

}  // namespace pm::cli
