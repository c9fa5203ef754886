// The program's command line: the uninstall switches, "-r" and a path for
// reading, or a path for editing. The shell verbs pass the path unquoted, so
// a path with spaces arrives split into several arguments and is joined
// back with one space between each.
#pragma once

#include <string>
#include <vector>

namespace pm {

struct StartCommand {
    enum class Kind { Normal, Uninstall, UninstallMute, Read, Edit, Version };
    Kind kind = Kind::Normal;
    // The joined path, as the file system spells it (bytes of the argument).
    std::string path;
};

// args: the arguments after the program name. "--version" alone asks for
// the program's version and nothing else.
StartCommand ParseCommandLine(const std::vector<std::string>& args);

// The message shown when the named file does not exist (path in
// Windows-1251).
std::string IncorrectFileNameMessage(const std::string& path1251);

}  // namespace pm
