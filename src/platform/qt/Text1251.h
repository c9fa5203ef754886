// The one boundary between the core's Windows-1251 text and Qt's Unicode
// strings. A character the code page lacks becomes a numeric character
// reference ("&#8364;") on the way in, so nothing typed is lost.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace pm::gui {

QString FromCp1251(std::string_view text1251);
std::string ToCp1251(const QString& text);

// File names stay as the file system spells them (UTF-8 bytes on Linux).
QString FromFileName(const std::string& name);
std::string ToFileName(const QString& name);

// A caption without its mnemonic marks, for places that are not menu or
// button captions (tool tips, file-type lists): "&Open" -> "Open", "&&" -> "&".
QString StripMnemonic(const QString& caption);

}  // namespace pm::gui
