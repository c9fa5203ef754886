// REGEDIT4 text: the file form of the configuration tree. Skins and
// localizations are distributed as such files and the user's own store is
// kept in one.
//
/*
   REGEDIT4

   [HKEY_CURRENT_USER\Software\Vorn Soft\Pellmark\1.00]
   "Name"="text with \\ and \" escaped"
   "Count"=dword:0000004f
   "Blob"=hex:de,ad,\
     be,ef
   @="the key's default value"
   "Gone"=-
   [-HKEY_CURRENT_USER\Software\Old key]
*/
// Text is taken byte for byte (Windows-1251 as stored); a string may run over
// several lines, its line breaks being part of the value. Only the current
// user's hive can be written; the machine-wide hive is read-only.
#pragma once

#include <string>
#include <string_view>

#include "config/ConfigTree.h"

namespace pm {

inline constexpr std::string_view kUserHive = "HKEY_CURRENT_USER";
inline constexpr std::string_view kMachineHive = "HKEY_LOCAL_MACHINE";

// Merges the file's keys and values into tree. On any error (reported as
// "line N: reason" in *error) the tree is left exactly as it was.
bool ImportRegedit(ConfigTree& tree, std::string_view text, std::string* error);

// The key at keyPath (relative to the hive; "" is the whole hive) with all
// its sub-keys, as a REGEDIT4 file with CR LF line ends. A missing key gives
// the header alone.
std::string ExportRegedit(const ConfigTree& tree, std::string_view keyPath);

// Reads a REGEDIT4 file into a fresh, read-only tree: the form used when the
// program runs on a configuration it must not change. *error is one sentence
// naming the file.
bool ReadRegeditFile(const std::string& path, ConfigTree& tree, std::string* error);

}  // namespace pm
