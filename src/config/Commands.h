// The main window's commands (Commands.inc) as an enumeration and a table:
// a command is named by Cmd::LoadSrc, so a misspelt name fails to compile.
#pragma once

#include <span>
#include <string_view>

namespace pm {

enum CommandFlags : unsigned {
    kInSimple = 1,
    kInAdvanced = 2,
    kInReader = 4,
    kEditing = kInSimple | kInAdvanced,
    kReader = kInReader,
    kAnyMode = kEditing | kReader,
    kCheckable = 8,
    kNeedsResult = 16,
    kNeedsSource = 32,
};

enum class Cmd : int {
#define PM_COMMAND(id, menu, hint, shortcut, picture, flags, built) id,
#include "config/Commands.inc"
#undef PM_COMMAND
};

struct CommandRow {
    Cmd id;
    std::string_view name;  // the identifier as text (object names, tests)
    std::string_view menuKey, hintKey, shortcut, picture;
    unsigned flags;
    bool built;
};

std::span<const CommandRow> CommandTable();
const CommandRow& Command(Cmd id);

// The mode bit of interface mode 0, 1 or 2.
unsigned ModeFlag(int mode);

// Whether a built command is enabled in an interface mode with or without
// a source and a result. Commands not built yet are never enabled.
bool CommandEnabled(const CommandRow& row, int mode, bool hasSource, bool hasResult);

}  // namespace pm
