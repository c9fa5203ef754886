// Safe formatting of user-supplied templates (skins are installed by users).
// Understands "%%", "%s" and "%d"/"%i"/"%u" with the usual flags, width and
// precision ("%.3d", "%-5s", "%05d"). Anything else ("%n", "%x", a stray "%",
// a directive with no argument left) is copied as written; surplus arguments
// are ignored. A template is never handed to printf.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace pm {

using FormatArg = std::variant<std::string_view, int64_t>;

std::string FormatTemplate(std::string_view tpl, std::initializer_list<FormatArg> args);

}  // namespace pm
