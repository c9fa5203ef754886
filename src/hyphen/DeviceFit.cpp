// The device-fitted pass. The text is laid out line by line on an imaginary
// device line; where a character runs past the end, the word holding the
// character before it is hyphenated at its best break, broken after its own
// hyphen, or moved to the next line. A word that starts its line and still
// does not fit is longer than a line: the line breaks inside it without a
// hyphen. Every step starts the next line further on, so the pass always
// ends, and text before the current line start is never touched again, so
// insertions are appended to the output as the layout walks forward.
#include <string>

#include "hyphen/FontTables.h"
#include "hyphen/Hyphenate.h"

namespace pm::hyph {
namespace {

constexpr size_t npos = std::string_view::npos;

bool IsWhite(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
// Punctuation that ends a word and belongs to it.
bool IsTrailingMark(unsigned char c) {
    switch (c) {
    case '!': case ',': case '.': case '/': case ':': case ';': case '=': case '?':
        return true;
    default:
        return false;
    }
}
bool IsWordSeparator(unsigned char c) { return IsWhite(c) || IsTrailingMark(c); }

// The first position at or after a start where a test holds, remembering the
// last answer: asking again from anywhere inside the range already searched
// costs nothing, so a forward walk stays linear.
template <class Test>
class NextFinder {
public:
    NextFinder(std::string_view t, Test test) : text_(t), test_(test) {}
    size_t From(size_t pos) {
        if (pos < from_ || pos > found_) {
            from_ = pos;
            found_ = pos;
            while (found_ < text_.size() && !test_(static_cast<unsigned char>(text_[found_]))) ++found_;
        }
        return found_ < text_.size() ? found_ : npos;
    }

private:
    std::string_view text_;
    Test test_;
    size_t from_ = 1, found_ = 0;  // nothing searched yet
};

class DeviceFitter {
public:
    DeviceFitter(std::string_view text, const DeviceLine& line) : t_(text), line_(line) {}

    std::string Run() {
        out_.reserve(t_.size() + t_.size() / 16);
        size_t lineStart = 0;
        for (size_t o = Overflow(lineStart); o != npos; o = Overflow(lineStart))
            lineStart = NextLineStart(lineStart, o);
        out_.append(t_.substr(copied_));
        return std::move(out_);
    }

private:
    struct Unit {
        size_t next;
        int width;
    };

    // One measured unit: a character, or an entity from "&" to its ";" or
    // space (the terminator is skipped and not measured).
    Unit MeasureAt(size_t j) {
        if (t_[j] != '&') return {j + 1, line_.font.Width(static_cast<unsigned char>(t_[j]))};
        const size_t end = entityEnds_.From(j + 1);
        const std::string_view name = t_.substr(j, (end == npos ? t_.size() : end) - j);
        return {end == npos ? t_.size() : end + 1, line_.font.Width(EntityStandIn(name))};
    }

    // The position of the unit that runs past the end of the line starting
    // at lineStart, or npos when the text ends first. The first unit of a
    // line always stays on it, however wide.
    size_t Overflow(size_t lineStart) {
        int sum = 0;
        for (size_t j = lineStart; j < t_.size();) {
            const Unit u = MeasureAt(j);
            if (sum + u.width > line_.font.lineWidth && j > lineStart) return j;
            sum += u.width;
            j = u.next;
        }
        return npos;
    }

    // End (exclusive) of the word holding position c.
    size_t WordEnd(size_t c) {
        const size_t sep = separators_.From(c);
        if (sep == npos) return t_.size();
        return IsTrailingMark(static_cast<unsigned char>(t_[sep])) ? sep + 1 : sep;
    }

    // Start of the word holding position c, never before the line start.
    size_t WordStart(size_t lineStart, size_t c) const {
        size_t b = c;
        while (b > lineStart && !IsWordSeparator(static_cast<unsigned char>(t_[b - 1]))) --b;
        return b;
    }

    void InsertAt(size_t pos, std::string_view s) {
        out_.append(t_.substr(copied_, pos - copied_));
        out_.append(s);
        copied_ = pos;
    }

    // Decides where the next line starts when the unit at o does not fit.
    size_t NextLineStart(size_t lineStart, size_t o) {
        if (IsWhite(static_cast<unsigned char>(t_[o - 1]))) return o;
        if (IsWhite(static_cast<unsigned char>(t_[o]))) return o + 1;
        const size_t c = o - 1;
        const size_t e = WordEnd(c);
        const size_t b = WordStart(lineStart, c);
        // A word that starts the line (or began on an earlier one) is longer
        // than a line: break inside it. Otherwise it moves to the next line.
        const size_t moveOrBreak = b > lineStart ? b : o;
        const size_t room = o - b - 1;  // one character is kept for the hyphen
        const size_t amp = ampersands_.From(b);
        if (amp != npos && amp < e) return moveOrBreak;
        const size_t dash = hyphens_.From(b);
        if (dash != npos && dash < e) {
            if (dash - b + 1 > room) return moveOrBreak;
            InsertAt(dash + 1, " ");  // the compound breaks after its own hyphen
            return dash + 1;
        }
        const size_t k = FindBreak(t_.substr(b, e - b), room);
        if (k == 0) return moveOrBreak;
        InsertAt(b + k, line_.hyphen);
        return b + k;
    }

    std::string_view t_;
    const DeviceLine& line_;
    std::string out_;
    size_t copied_ = 0;
    using Finder = NextFinder<bool (*)(unsigned char)>;
    Finder separators_{t_, IsWordSeparator};
    Finder entityEnds_{t_, [](unsigned char ch) { return ch == ';' || ch == ' '; }};
    Finder ampersands_{t_, [](unsigned char ch) { return ch == '&'; }};
    Finder hyphens_{t_, [](unsigned char ch) { return ch == '-'; }};
};

}  // namespace

std::string DeviceFit(std::string_view text, const DeviceLine& line) {
    return DeviceFitter(text, line).Run();
}

}  // namespace pm::hyph
