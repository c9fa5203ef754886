// The options of "pellmark-cli convert".
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/Commands.h"

namespace pm::cli {

struct ConvertOptions {
    std::string input;           // the first of inputs
    std::vector<std::string> inputs;  // files and folders, as given
    std::string output;          // "" beside the input, "-" standard output
    std::string configFile;      // a .reg file used read-only
    bool noConfig = false;
    std::vector<std::pair<std::string, std::string>> sets;  // --set "Key=value"
    int openAs = 1;              // 1 windows, 2 dos, 3 koi8
    int preset = -1;             // -1 as detected
    std::vector<std::pair<std::string, bool>> answers;      // --answer NAME=yes|no
    int stages = 1000;
    bool dumpLines = false;
    std::string format = "html"; // html | txt | xml-link | epub
    std::string outputEncoding;  // "" as the settings say, "windows-1251" or "utf-8"
    // Converting many books at once (several inputs, or a folder).
    std::string outputDir;       // -O: where the outputs go ("" beside each input)
    bool recursive = false;      // -r: folders with their sub-folders
    int jobs = 0;                // -j: books converted at the same time (0: one per core)
    std::string title, author, shortTitle, comment;
    bool titleSet = false, authorSet = false, shortTitleSet = false, commentSet = false;
    std::string splitDir;
    std::vector<int> tocUncheck;
    bool help = false;
};

// More than one book: several inputs, an output folder or sub-folders
// asked for. (A folder given as the only input is found out when it is read.)
bool IsBatch(const ConvertOptions& opts);

// Parses the arguments after "convert". On failure returns false with one
// sentence in error.
bool ParseConvertOptions(const Args& args, ConvertOptions& opts, std::string& error);
const char* ConvertHelp();

}  // namespace pm::cli
