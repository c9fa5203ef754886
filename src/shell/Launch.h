// Starting other programs: the external tools, the device command and the
// desktop's helpers. A command line is split into arguments the way a POSIX
// shell splits words, but no shell ever sees it: nothing in it is expanded
// or run ("$HOME", "~", ";", "|" and "`" are plain characters), so a book's
// title cannot turn into a command.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pm::shell {

// Words separated by blanks (space, tab, CR, LF); single quotes keep
// everything up to the next single quote; double quotes keep everything up
// to the next unescaped double quote, a backslash there escaping only
// '"', '\\', '$' and '`'; outside quotes a backslash escapes the next
// character. Quotes may join parts into one word ("a"'b'c is abc) and an
// empty pair makes an empty word. An unterminated quote runs to the end.
// Works on bytes: the text may be Windows-1251 or UTF-8.
std::vector<std::string> SplitArguments(std::string_view commandLine);

// The file a program name stands for: a name with a slash as it is, other
// names looked up in $PATH. Empty when there is no such executable file.
std::string FindProgram(const std::string& program);

// Starts the program with the arguments, detached from this process (its
// own session; it outlives the program and is never waited for), stdin
// from /dev/null. False with one sentence in *error when the program cannot
// be found or executed; what it does once running is not followed.
bool StartDetached(const std::string& program, const std::vector<std::string>& args, std::string* error = nullptr);

// Runs the program to its end, its output discarded. False when it could
// not be started or did not exit with 0.
bool RunAndWait(const std::string& program, const std::vector<std::string>& args);

}  // namespace pm::shell
