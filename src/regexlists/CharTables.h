// PCRE2 character tables for Windows-1251: case folding, letters and word
// characters know the Cyrillic alphabet, so "(?i)я" finds "Я" and "\w"
// covers Russian words.
#pragma once

#include <cstdint>

namespace pm::rx {

// Tables in PCRE2's layout, built once and kept for the life of the program.
const uint8_t* Cp1251Tables();

}  // namespace pm::rx
