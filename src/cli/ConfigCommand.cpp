// Placeholder until this command lands.
#include <cstdio>

#include "cli/Commands.h"

namespace pm::cli {
int RunConfig(const Args&) {
    std::fputs("pellmark-cli: this command is not built yet\n", stderr);
    return 2;
}
}  // namespace pm::cli
