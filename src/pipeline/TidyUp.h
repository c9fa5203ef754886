// The whitespace tidy-up of finished entries: spaces around tags, doubled
// spaces and hyphens, and the "<br>" after an empty indented <div>.
#pragma once

#include <string>
#include <string_view>

namespace pm {

// Deletes, until none is left: the first of two spaces; the space in "> <",
// after "<" and before ">"; the space before " </div>", " </p>", " <h",
// " <p", " </I>", " </b>", " </font>", " </strong>", " </sub>", " </SUP>",
// " </em>" and " <div"; the space after "<I>", "<p>", "<div>", "<b>",
// "<font>", "<strong>", "<sub>", "<SUP>", "<em>" and "&nbsp;"; the first of
// two hyphens; the "<br>" of "<div>" + indent + "<br>". Case-sensitive. One
// left-to-right pass: every deletion only ever enables others, so the result
// does not depend on the order in which they are made.
std::string TidyEntry(std::string_view in, std::string_view indent);

}  // namespace pm
