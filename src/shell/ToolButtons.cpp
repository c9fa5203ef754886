#include "shell/ToolButtons.h"

#include "common/Cp1251.h"
#include "config/TMyReg.h"
#include "output/ToolParameters.h"
#include "shell/Launch.h"

namespace pm::shell {

namespace {

std::string ToolKey(int n) { return std::string(kRootKey) + "\\Ext\\Btn" + std::to_string(n); }

}  // namespace

std::vector<ToolButton> LoadToolButtons(const ConfigTree& tree) {
    std::vector<ToolButton> tools;
    if (!tree.KeyExists(ToolKey(0))) return tools;
    for (int n = 0; n < kToolButtonCount; ++n) {
        const TMyReg reg(tree, ToolKey(n));
        if (!reg.Exists()) continue;
        ToolButton tool;
        tool.number = n;
        tool.iconFile = cp1251::ToUtf8(reg.ReadString("IconFile", ""));
        tool.iconNumber = reg.ReadInteger("IconNumber", 0);
        tool.hint = reg.ReadString("Hint", "");
        tool.cmdLine = reg.ReadString("CmdLine", "");
        tool.exeFile = cp1251::ToUtf8(reg.ReadString("exefile", ""));
        tools.push_back(std::move(tool));
    }
    return tools;
}

std::vector<std::string> ToolArguments(std::string_view template1251, const DocValues& doc,
                                       const std::string& previewPath) {
    std::vector<std::string> args = SplitArguments(template1251);
    for (std::string& arg : args) arg = ToolParametersUtf8(arg, doc, previewPath);
    return args;
}

ToolLaunch ToolCommand(const ToolButton& tool, const DocValues& doc, const std::string& previewPath) {
    return ToolLaunch{tool.exeFile, ToolArguments(tool.cmdLine, doc, previewPath)};
}

}  // namespace pm::shell
