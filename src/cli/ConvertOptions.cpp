#include "cli/ConvertOptions.h"

#include <cstdlib>
#include <cerrno>
#include <climits>

namespace pm::cli {
namespace {

bool ParseInt(const std::string& s, int& out) {
    if (s.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s.c_str(), &end, 10);
    if (errno || *end || v < INT_MIN || v > INT_MAX) return false;
    out = static_cast<int>(v);
    return true;
}

bool ParseList(const std::string& s, std::vector<int>& out) {
    size_t start = 0;
    while (start <= s.size()) {
        const size_t comma = s.find(',', start);
        const std::string item = s.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int n = 0;
        if (!ParseInt(item, n) || n < 1) return false;
        out.push_back(n);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return !out.empty();
}

bool SplitPair(const std::string& s, std::string& key, std::string& value) {
    const size_t eq = s.find('=');
    if (eq == std::string::npos || eq == 0) return false;
    key = s.substr(0, eq);
    value = s.substr(eq + 1);
    return true;
}

}  // namespace

const char* ConvertHelp() {
    return "usage: pellmark-cli convert INPUT... [options]\n"
           "\n"
           "Loads INPUT (plain text or HTML; Windows-1251, DOS 866, KOI8-R or UTF-8),\n"
           "converts it and writes the finished document as bytes (Windows-1251).\n"
           "Several inputs, or folders (their .txt, .htm and .html files), are converted\n"
           "side by side; a broken book is reported and the others go on.\n"
           "Questions are answered without asking (see --answer); messages go to stderr.\n"
           "\n"
           "  -o, --output FILE     where to write; '-' is standard output; by default\n"
           "                        beside INPUT with the output extension\n"
           "  --format html|txt|xml-link\n"
           "                        the document with its footer (default), or its text;\n"
           "                        with an XML skin the document carries its public DTD\n"
           "                        reference (default) or that and the style-sheet link\n"
           "                        (xml-link), and its preview is checked first\n"
           "  --format epub         an EPUB book: split at its level-1 headers, or by the\n"
           "                        table of contents with --set \"Break text Apart by TOC=1\"\n"
           "  --output-encoding windows-1251|utf-8\n"
           "                        the code page of HTML and text output (default: the\n"
           "                        \"Output UTF-8\" setting, off: Windows-1251); a UTF-8\n"
           "                        page declares it in its charset\n"
           "  -O, --output-dir DIR  with several books: write the outputs into DIR under\n"
           "                        their own names (default: beside each input)\n"
           "  -r, --recursive       take the books in the sub-folders of folders too, and\n"
           "                        keep the sub-folders under -O\n"
           "  -j, --jobs N          convert N books at the same time (default: one per core)\n"
           "  --config FILE         use that REGEDIT4 file as the configuration (read-only)\n"
           "  --no-config           built-in defaults only\n"
           "                        (default: the user's configuration, read-only)\n"
           "  --set \"Key=value\"     set one option by its stored name, e.g.\n"
           "                        --set \"Hyphenate=1\" --set \"Londg strings min=60\"\n"
           "  --open-as windows|dos|koi8\n"
           "                        the code page to open as (windows autodetects)\n"
           "  --preset fixed|lines|html\n"
           "                        the text format (default: detected on loading when\n"
           "                        \"AutoDetect text format\" is on)\n"
           "  --answer NAME=yes|no  answers to the questions of loading and converting:\n"
           "                          binary    load a file that does not look like text\n"
           "                                    (no: such a file is refused, exit status 1)\n"
           "                          large     proceed with a file over 2 MB (yes)\n"
           "                          converted edit a file this program produced (yes);\n"
           "                                    no cancels\n"
           "                          encoding  convert a text that looks DOS/KOI8-R coded (yes)\n"
           "                          title     accept the document properties (yes)\n"
           "  --title T, --author A, --short-title S, --comment C\n"
           "                        set the document values after loading\n"
           "  --split DIR           split the book by its table of contents and write\n"
           "                        the index and part files into DIR\n"
           "  --toc-uncheck N,M     uncheck entries N, M (1-based) of the table of contents\n"
           "  --stages N            run only stages 1 to N (0: none)\n"
           "  --dump-lines          print the line list instead of the document: one entry\n"
           "                        a line, its mark, a tab and its text in UTF-8 (a line\n"
           "                        break inside an entry as \\n, a backslash as \\\\)\n"
           "  -h, --help            this text\n"
           "\n"
           "With several books a progress bar is shown on a terminal, and a summary at the\n"
           "end.\n"
           "Exit status: 0 done, 1 a file could not be loaded or written (with several\n"
           "books: any of them), 2 bad usage.\n";
}

bool IsBatch(const ConvertOptions& o) { return o.inputs.size() > 1 || !o.outputDir.empty() || o.recursive; }

bool ParseConvertOptions(const Args& args, ConvertOptions& o, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = "option " + a + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "-h" || a == "--help") { o.help = true; return true; }
        if (a == "-o" || a == "--output") { if (!value(o.output)) return false; continue; }
        if (a == "--config") { if (!value(o.configFile)) return false; continue; }
        if (a == "--no-config") { o.noConfig = true; continue; }
        if (a == "--dump-lines") { o.dumpLines = true; continue; }
        if (a == "--set") {
            std::string k, val;
            if (!value(v)) return false;
            if (!SplitPair(v, k, val)) { error = "--set needs \"Key name=value\", not \"" + v + "\""; return false; }
            o.sets.emplace_back(k, val);
            continue;
        }
        if (a == "--open-as") {
            if (!value(v)) return false;
            if (v == "windows") o.openAs = 1;
            else if (v == "dos") o.openAs = 2;
            else if (v == "koi8") o.openAs = 3;
            else { error = "--open-as takes windows, dos or koi8, not \"" + v + "\""; return false; }
            continue;
        }
        if (a == "--preset") {
            if (!value(v)) return false;
            if (v == "fixed") o.preset = 0;
            else if (v == "lines") o.preset = 1;
            else if (v == "html") o.preset = 2;
            else { error = "--preset takes fixed, lines or html, not \"" + v + "\""; return false; }
            continue;
        }
        if (a == "--answer") {
            std::string k, val;
            if (!value(v)) return false;
            if (!SplitPair(v, k, val) || (val != "yes" && val != "no") ||
                (k != "binary" && k != "large" && k != "converted" && k != "encoding" && k != "title")) {
                error = "--answer takes binary|large|converted|encoding|title=yes|no, not \"" + v + "\"";
                return false;
            }
            o.answers.emplace_back(k, val == "yes");
            continue;
        }
        if (a == "--stages") {
            if (!value(v)) return false;
            if (!ParseInt(v, o.stages) || o.stages < 0) { error = "--stages takes a number 0 or more"; return false; }
            continue;
        }
        if (a == "--format") {
            if (!value(o.format)) return false;
            if (o.format != "html" && o.format != "txt" && o.format != "xml-link" && o.format != "epub") {
                error = "--format takes html, txt, xml-link or epub";
                return false;
            }
            continue;
        }
        if (a == "--output-encoding") {
            if (!value(v)) return false;
            std::string lower;
            for (char c : v) lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            if (lower == "utf-8" || lower == "utf8") o.outputEncoding = "utf-8";
            else if (lower == "windows-1251" || lower == "cp1251") o.outputEncoding = "windows-1251";
            else { error = "--output-encoding takes windows-1251 or utf-8, not \"" + v + "\""; return false; }
            continue;
        }
        if (a == "-O" || a == "--output-dir") { if (!value(o.outputDir)) return false; continue; }
        if (a == "-r" || a == "--recursive") { o.recursive = true; continue; }
        if (a == "-j" || a == "--jobs" || (a.size() > 2 && a.compare(0, 2, "-j") == 0)) {
            if (a.size() > 2 && a[1] == 'j') v = a.substr(2);
            else if (!value(v)) return false;
            if (!ParseInt(v, o.jobs) || o.jobs < 1) { error = "--jobs takes a number 1 or more"; return false; }
            continue;
        }
        if (a == "--title") { if (!value(o.title)) return false; o.titleSet = true; continue; }
        if (a == "--author") { if (!value(o.author)) return false; o.authorSet = true; continue; }
        if (a == "--short-title") { if (!value(o.shortTitle)) return false; o.shortTitleSet = true; continue; }
        if (a == "--comment") { if (!value(o.comment)) return false; o.commentSet = true; continue; }
        if (a == "--split") { if (!value(o.splitDir)) return false; continue; }
        if (a == "--toc-uncheck") {
            if (!value(v)) return false;
            if (!ParseList(v, o.tocUncheck)) { error = "--toc-uncheck takes numbers like 2,5"; return false; }
            continue;
        }
        if (!a.empty() && a[0] == '-' && a != "-") { error = "unknown option " + a; return false; }
        o.inputs.push_back(a);
    }
    if (o.inputs.empty()) { error = "no INPUT file given"; return false; }
    o.input = o.inputs.front();
    if (IsBatch(o)) {
        if (!o.output.empty()) { error = "-o names one output; with several books use -O DIR"; return false; }
        if (o.dumpLines || !o.splitDir.empty()) {
            error = std::string(o.dumpLines ? "--dump-lines" : "--split") + " takes one INPUT";
            return false;
        }
        for (const std::string& in : o.inputs)
            if (in == "-") { error = "standard input cannot be one of several books"; return false; }
    }
    if (o.format == "epub" && (o.dumpLines || !o.splitDir.empty())) {
        error = std::string(o.dumpLines ? "--dump-lines" : "--split") +
                " does not make an EPUB book; a split EPUB comes with --set \"Break text Apart by TOC=1\"";
        return false;
    }
    if (!o.configFile.empty() && o.noConfig) { error = "--config and --no-config exclude each other"; return false; }
    return true;
}

}  // namespace pm::cli
