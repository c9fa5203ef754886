#include "config/Commands.h"

#include <array>

namespace pm {
namespace {

constexpr CommandRow kRows[] = {
#define PM_COMMAND(id, menu, hint, shortcut, picture, flags, built) \
    {Cmd::id, #id, menu, hint, shortcut, picture, flags, built},
#include "config/Commands.inc"
#undef PM_COMMAND
};

// Rows stand in the order of the enumeration, so a command is found by index.
constexpr bool InEnumOrder() {
    for (size_t i = 0; i < std::size(kRows); ++i)
        if (static_cast<size_t>(kRows[i].id) != i) return false;
    return true;
}
static_assert(InEnumOrder());

}  // namespace

std::span<const CommandRow> CommandTable() { return kRows; }

const CommandRow& Command(Cmd id) { return kRows[static_cast<size_t>(id)]; }

unsigned ModeFlag(int mode) {
    if (mode == 1) return kInAdvanced;
    if (mode == 2) return kInReader;
    return kInSimple;
}

bool CommandEnabled(const CommandRow& row, int mode, bool hasSource, bool hasResult) {
    if (!row.built || !(row.flags & ModeFlag(mode))) return false;
    if ((row.flags & kNeedsResult) && !hasResult) return false;
    return !(row.flags & kNeedsSource) || hasSource;
}

}  // namespace pm
