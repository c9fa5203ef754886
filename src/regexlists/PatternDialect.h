// The rule dialect on top of PCRE2. Rules are compiled with PCRE2_UNGREEDY,
// so a bare quantifier is lazy; the rewrite keeps the dialect's meaning of
// everything PCRE2 would read differently:
//  - "*?", "+?", "??" and "{n,m}?" stay lazy (under PCRE2_UNGREEDY the "?"
//    would make them greedy), so the "?" is dropped where greediness is off;
//  - the inline modifier "g" (greedy) becomes PCRE2's "U" inverted;
//  - the inline modifier "r" (Russian ranges, on by default) is consumed:
//    while it is on, a class range covering а..я also takes ё, and one
//    covering А..Я also takes Ё.
// Inline modifiers are scoped as PCRE2 scopes them (to the enclosing group).
#pragma once

#include <string>
#include <string_view>

namespace pm::rx {

// The pattern as PCRE2 should see it. Malformed input is passed on as it
// stands so that PCRE2 reports the error.
std::string TranslatePattern(std::string_view pattern);

}  // namespace pm::rx
