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

}  // namespace pm::cli
