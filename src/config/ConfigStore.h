// The user's configuration on disk: the current user's hive kept as one
// REGEDIT4 file, loaded at start and written back (atomically, only when
// something changed) at exit.
#pragma once

#include <string>

#include "config/ConfigTree.h"

namespace pm {

// $PELLMARK_CONFIG when set, else $XDG_CONFIG_HOME/pellmark/pellmark.reg,
// else ~/.config/pellmark/pellmark.reg.
std::string DefaultConfigPath();

struct ConfigStore {
    ConfigTree user;    // the current user's hive
    std::string path;   // the file behind it (DefaultConfigPath() when empty at Load)
    // After Load: one sentence for the user when the file could not be used
    // (Windows-1251 text, like every message), else empty.
    std::string warning;

    // Reads the file into user. A missing file is an empty hive. A file that
    // cannot be parsed is renamed aside and never overwritten; the hive
    // starts empty and warning explains. A device named as the file
    // (/dev/null) is an empty hive, without a warning, that is never saved;
    // a pipe or socket is not read. Returns false when warning is set.
    bool Load();
    // Writes the hive when it changed since Load (or the last save); creates
    // the folder when missing. The changes made here go over the file as it
    // is now, so that what another copy of the program wrote since Load
    // stays; user then holds the file as written. False with one sentence
    // in *err on failure, the old file then being intact.
    bool SaveIfChanged(std::string* err);
    // The file could not be used at start (warning told so); saving refuses.
    bool SaveBlocked() const { return saveBlocked_; }

private:
    bool saveBlocked_ = false;  // the old file could be neither read nor moved aside
};

}  // namespace pm
