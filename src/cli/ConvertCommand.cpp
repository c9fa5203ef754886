// Placeholder until this command lands.
#include <cstdio>

#include "cli/Commands.h"

namespace pm::cli {
int RunConvert(const Args&) {
    std::fputs("pellmark-cli: convert is not built yet\n", stderr);
    return 2;
}
}  // namespace pm::cli
