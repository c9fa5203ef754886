#include "app/CommandLine.h"

#include "common/Cp1251.h"

namespace pm {

namespace {
std::string Join(std::vector<std::string>::const_iterator first, std::vector<std::string>::const_iterator last) {
    std::string path;
    for (auto it = first; it != last; ++it) {
        if (it != first) path += ' ';
        path += *it;
    }
    return path;
}
}  // namespace

StartCommand ParseCommandLine(const std::vector<std::string>& args) {
    StartCommand cmd;
    if (args.empty()) return cmd;
    const std::string& first = args.front();
    if (cp1251::EqualsNoCase(first, "/UNINSTALL")) {
        cmd.kind = StartCommand::Kind::Uninstall;
    } else if (cp1251::EqualsNoCase(first, "/UNINSTALLMUTE")) {
        cmd.kind = StartCommand::Kind::UninstallMute;
    } else if (first == "--version" && args.size() == 1) {
        cmd.kind = StartCommand::Kind::Version;
    } else if (cp1251::EqualsNoCase(first, "-r")) {
        cmd.kind = StartCommand::Kind::Read;
        cmd.path = Join(args.begin() + 1, args.end());
    } else {
        cmd.kind = StartCommand::Kind::Edit;
        cmd.path = Join(args.begin(), args.end());
    }
    return cmd;
}

std::string IncorrectFileNameMessage(const std::string& path1251) {
    return "Incorrect filename in parameters:\n\"" + path1251 + "\":\nFile does not exists";
}

}  // namespace pm
