// The sub-commands of pellmark-cli. Each gets the arguments after its name
// and returns the process exit code.
#pragma once

#include <string>
#include <vector>

namespace pm::cli {

using Args = std::vector<std::string>;

int RunConvert(const Args& args);  // convert INPUT [options]
int RunConfig(const Args& args);   // config import|export ...
int RunRules(const Args& args);    // rules list|apply ...
int RunBook(const Args& args);     // book info FILE
int RunCheckXml(const Args& args); // check-xml [--dtd DTD] FILE

}  // namespace pm::cli
