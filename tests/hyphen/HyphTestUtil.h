// Helpers shared by the hyphenation tests.
#pragma once

#include <string>
#include <string_view>

#include "common/Cp1251.h"
#include "common/TextTests.h"
#include "hyphen/FontTables.h"

namespace pm::test {

// Windows-1251 text from a UTF-8 literal.
inline std::string W(std::string_view utf8) { return cp1251::FromUtf8(utf8); }

// A word written with "-" at its breaks, as the soft-hyphen pass writes it.
inline std::string Soft(std::string_view utf8Marked) {
    return text::ReplaceAll(W(utf8Marked), "-", "&shy;");
}

// Every character one unit wide: the line width is then a column count.
inline FontTable MonoFont(int lineWidth) {
    FontTable f;
    f.widths.fill(1);
    f.lineWidth = lineWidth;
    return f;
}

}  // namespace pm::test
