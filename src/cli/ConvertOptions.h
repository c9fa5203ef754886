// The options of "pellmark-cli convert".
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/Commands.h"

namespace pm::cli {

struct ConvertOptions {
    std::string input;
    std::string output;          // "" beside the input, "-" standard output
    std::string configFile;      // a .reg file used read-only
    bool noConfig = false;
    std::vector<std::pair<std::string, std::string>> sets;  // --set "Key=value"
    int openAs = 1;              // 1 windows, 2 dos, 3 koi8
    int preset = -1;             // -1 as detected
    std::vector<std::pair<std::string, bool>> answers;      // --answer NAME=yes|no
    int stages = 1000;
    bool dumpLines = false;
    std::string format = "html"; // html | txt
    std::string title, author, shortTitle, comment;
    bool titleSet = false, authorSet = false, shortTitleSet = false, commentSet = false;
    std::string splitDir;
    std::vector<int> tocUncheck;
    bool help = false;
};

// Parses the arguments after "convert". On failure returns false with one
// sentence in error.
bool ParseConvertOptions(const Args& args, ConvertOptions& opts, std::string& error);
const char* ConvertHelp();

}  // namespace pm::cli
