// The soft-hyphen pass: the text is cut into separator runs and word runs;
// word runs longer than 6 characters get "&shy;" at every permissible break.
// A tag (from "<" to its ">") is never cut, so attribute values such as file
// names stay whole, and the run holding it is left alone; the name after "&"
// up to ";" is an entity name and is left alone too.
#include <string>

#include "hyphen/Hyphenate.h"

namespace pm::hyph {
namespace {

constexpr size_t kMinWordLength = 7;

bool IsSeparator(unsigned char c) {
    switch (c) {
    case '\t': case '\n': case '\r': case ' ':
    case '!': case '&': case ',': case '.': case '/': case ':': case ';': case '=': case '?':
        return true;
    default:
        return false;
    }
}

// Finds the next ">" at or after a position, remembering the answer so a
// text full of "<" without ">" is still scanned only once.
class CloseFinder {
public:
    explicit CloseFinder(std::string_view t) : text_(t) {}
    size_t From(size_t pos) {
        if (!known_ || (next_ != std::string_view::npos && next_ < pos)) {
            next_ = text_.find('>', pos);
            known_ = true;
        }
        return next_;
    }

private:
    std::string_view text_;
    size_t next_ = std::string_view::npos;
    bool known_ = false;
};

void AppendWithSoftHyphens(std::string& out, std::string_view run) {
    size_t copied = 0;
    for (size_t k = 3; k + 4 <= run.size(); ++k) {
        if (!IsPermissibleBreak(run, k)) continue;
        out.append(run.substr(copied, k - copied));
        out.append(kSoftHyphen);
        copied = k;
    }
    out.append(run.substr(copied));
}

}  // namespace

std::string SoftHyphenate(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    CloseFinder closes(text);
    size_t i = 0;
    while (i < text.size()) {
        if (IsSeparator(text[i])) {
            out.push_back(text[i++]);
            continue;
        }
        const size_t start = i;
        bool markup = false;
        while (i < text.size() && !IsSeparator(text[i])) {
            const char c = text[i];
            if (c == '<' || c == '>') markup = true;
            const size_t close = c == '<' ? closes.From(i) : std::string_view::npos;
            i = close != std::string_view::npos ? close + 1 : i + 1;
        }
        const std::string_view run = text.substr(start, i - start);
        const bool entityName = start > 0 && text[start - 1] == '&' && i < text.size() && text[i] == ';';
        if (markup || entityName || run.size() < kMinWordLength)
            out.append(run);
        else
            AppendWithSoftHyphens(out, run);
    }
    return out;
}

}  // namespace pm::hyph
