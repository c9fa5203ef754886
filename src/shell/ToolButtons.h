// The user's external tools: up to ten buttons, each defined by a key
// Ext\Btn<n> under the configuration root ("IconFile", "IconNumber",
// "Hint", "CmdLine", "exefile"). A click starts the tool's program with its
// parameter template filled in with the current book's values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "config/ConfigTree.h"
#include "document/DocValues.h"

namespace pm::shell {

inline constexpr int kToolButtonCount = 10;

struct ToolButton {
    int number = 0;        // n of Ext\Btn<n>
    std::string iconFile;  // an image file or an icon-theme name (file-system text), "" for none
    int iconNumber = 0;    // the image inside a file of several images
    std::string hint;      // Windows-1251
    std::string cmdLine;   // the parameter template, Windows-1251
    std::string exeFile;   // the program (file-system text)
};

// The tools in number order. Nothing at all unless Ext\Btn0 exists, even
// when tools of higher numbers do; numbers whose key is missing are skipped.
std::vector<ToolButton> LoadToolButtons(const ConfigTree& tree);

// A program and its arguments, ready to start (file-system text).
struct ToolLaunch {
    std::string program;
    std::vector<std::string> args;
};

// The parameter template split into arguments as a shell would split it,
// then the macros ("%shortitle%", "%longtitle%", "%bookauthor%",
// "%shortfilename%", "%fullfilename%") filled in within each argument, in
// one pass: a value is never split, unquoted or expanded again, so a title
// with spaces, quotes, "; rm -rf ~" or "%longtitle%" in it arrives as the
// plain text it is.
std::vector<std::string> ToolArguments(std::string_view template1251, const DocValues& doc,
                                       const std::string& previewPath);

ToolLaunch ToolCommand(const ToolButton& tool, const DocValues& doc, const std::string& previewPath);

}  // namespace pm::shell
