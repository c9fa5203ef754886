// The one-time warning about an old browser engine: the engine's version
// string begins with its major version; 3 or less is too old for the
// program's pages. The warning is remembered under the root
// ("WarningShown") so that each user sees it once.
#pragma once

#include <string>

#include "config/ConfigTree.h"
#include "platform/Questions.h"

namespace pm {

// True when the warning was shown now.
bool OldBrowserCheck(ConfigTree& user, const std::string& version, Questions& questions);

// The message shown when the browser engine cannot be started at all.
std::string NoBrowserMessage();

}  // namespace pm
