// Breaking text into lines at CR LF, CR or LF.
#pragma once

#include <algorithm>
#include <string_view>

namespace pm::text {

// Calls piece(line) for the text before every line break and returns the
// text after the last one. Each kind of break is searched for once over
// the whole text, so long texts and long lines cost the same.
template <class Piece>
std::string_view ForEachLineBreak(std::string_view text, Piece&& piece) {
    size_t start = 0, cr = text.find('\r'), lf = text.find('\n');
    for (;;) {
        const size_t at = std::min(cr, lf);
        if (at == std::string_view::npos) break;
        piece(text.substr(start, at - start));
        start = at + (text[at] == '\r' && lf == at + 1 ? 2 : 1);
        if (cr < start) cr = text.find('\r', start);
        if (lf < start) lf = text.find('\n', start);
    }
    return text.substr(start);
}

}  // namespace pm::text
