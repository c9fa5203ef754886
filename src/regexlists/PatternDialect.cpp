#include "regexlists/PatternDialect.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace pm::rx {
namespace {

// а..я and А..Я; ё is 0xB8 and Ё 0xA8, outside both runs.
constexpr unsigned kLowerA = 0xE0, kLowerYa = 0xFF;
constexpr unsigned kUpperA = 0xC0, kUpperYa = 0xDF;

struct Modes {
    bool ungreedy = true;  // greedy off
    bool russian = true;
    bool extended = false;
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Translator {
public:
    explicit Translator(std::string_view p) : p_(p) { out_.reserve(p.size() + 16); }

    std::string Run() {
        while (i_ < p_.size()) Step();
        return std::move(out_);
    }

private:
    char Peek(size_t ahead = 0) const { return i_ + ahead < p_.size() ? p_[i_ + ahead] : '\0'; }
    void Copy(size_t n = 1) {
        n = std::min(n, p_.size() - i_);
        out_.append(p_.substr(i_, n));
        i_ += n;
    }
    // Copies up to and including the first `close` at or after the cursor.
    void CopyThrough(char close) {
        const size_t end = p_.find(close, i_);
        Copy(end == std::string_view::npos ? p_.size() - i_ : end - i_ + 1);
    }

    void Step() {
        const char c = Peek();
        switch (c) {
            case '\\': Escape(); break;
            case '[': Class(); break;
            case '(': OpenGroup(); break;
            case ')': CloseGroup(); break;
            case '*': case '+': case '?': Copy(); AfterQuantifier(); break;
            case '{':
                if (CountedQuantifierLength()) {
                    Copy(CountedQuantifierLength());
                    AfterQuantifier();
                } else {
                    Copy();
                }
                break;
            case '#':
                if (modes_.extended) Copy(CommentEnd(i_) - i_);
                else Copy();
                break;
            default: Copy();
        }
    }

    // "\Q...\E" and escapes with a braced or following argument are copied
    // whole, so their insides are never read as pattern syntax.
    void Escape() {
        const char e = Peek(1);
        if (e == 'Q') {
            const size_t end = p_.find("\\E", i_ + 2);
            Copy(end == std::string_view::npos ? p_.size() - i_ : end - i_ + 2);
        } else if (e == 'c') {
            Copy(3);
        } else if (std::string_view("xogkpPN").find(e) != std::string_view::npos && e && Peek(2) == '{') {
            CopyThrough('}');
        } else {
            Copy(2);
        }
    }

    // Length of "{n}", "{n,}" or "{n,m}" at the cursor, 0 when it is a literal.
    size_t CountedQuantifierLength() const {
        size_t k = i_ + 1;
        const size_t digitsFrom = k;
        while (k < p_.size() && IsDigit(p_[k])) ++k;
        if (k == digitsFrom) return 0;
        if (k < p_.size() && p_[k] == ',') {
            ++k;
            while (k < p_.size() && IsDigit(p_[k])) ++k;
        }
        return k < p_.size() && p_[k] == '}' ? k - i_ + 1 : 0;
    }

    // A "#" comment of extended mode runs to the end of its line (CR or LF).
    size_t CommentEnd(size_t k) const {
        while (k < p_.size() && p_[k] != '\n' && p_[k] != '\r') ++k;
        return k;
    }

    // In extended mode white space and comments may stand between a
    // quantifier and its "?" or "+", as PCRE2 reads them.
    size_t SkipSpaceAndComments(size_t k) const {
        while (k < p_.size()) {
            const char c = p_[k];
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') ++k;
            else if (c == '#') k = CommentEnd(k);
            else break;
        }
        return k;
    }

    // A "?" after a quantifier marks it lazy. Where greediness is off PCRE2
    // would read that as greedy, so the mark is dropped: the bare quantifier
    // already is lazy. A "+" (possessive) is kept.
    void AfterQuantifier() {
        const size_t mark = modes_.extended ? SkipSpaceAndComments(i_) : i_;
        const char m = mark < p_.size() ? p_[mark] : '\0';
        if (m != '?' && m != '+') return;
        Copy(mark - i_);  // the space and comments between, as written
        if (m == '?' && modes_.ungreedy) ++i_;
        else Copy();
    }

    void OpenGroup() {
        if (Peek(1) == '?' && Peek(2) == '#') {
            CopyThrough(')');
            return;
        }
        if (Peek(1) == '*' && !std::islower(static_cast<unsigned char>(Peek(2)))) {
            CopyThrough(')');  // a verb or a start-of-pattern option
            return;
        }
        if (Peek(1) == '?' && ModifierGroup()) return;
        stack_.push_back(modes_);
        Copy();
        if (Peek() == '?') Copy();  // "(?:", "(?=", "(?<name>" ... are not quantifiers
    }

    void CloseGroup() {
        if (!stack_.empty()) {
            modes_ = stack_.back();
            stack_.pop_back();
        }
        Copy();
    }

    // "(?flags)" or "(?flags:" with the dialect's letters translated.
    bool ModifierGroup() {
        size_t k = i_ + 2;
        while (k < p_.size() && std::string_view("imnsxUJgr-").find(p_[k]) != std::string_view::npos) ++k;
        if (k >= p_.size() || (p_[k] != ')' && p_[k] != ':')) return false;
        const std::string_view letters = p_.substr(i_ + 2, k - i_ - 2);
        const bool scoped = p_[k] == ':';
        if (scoped) stack_.push_back(modes_);
        std::string on, off;
        if (!ApplyModifiers(letters, on, off)) {
            if (scoped) stack_.pop_back();
            return false;
        }
        i_ = k + 1;
        if (on.empty() && off.empty()) {
            if (scoped) out_ += "(?:";
            return true;
        }
        out_ += "(?" + on + (off.empty() ? "" : "-" + off) + (scoped ? ":" : ")");
        return true;
    }

    bool ApplyModifiers(std::string_view letters, std::string& on, std::string& off) {
        bool negate = false, greedSet = false;
        for (char l : letters) {
            if (l == '-') {
                if (negate) return false;
                negate = true;
            } else if (l == 'g' || l == 'U') {
                modes_.ungreedy = (l == 'U') != negate;
                greedSet = true;
            } else if (l == 'r') {
                modes_.russian = !negate;
            } else {
                if (l == 'x') modes_.extended = !negate;
                (negate ? off : on) += l;
            }
        }
        if (greedSet) (modes_.ungreedy ? on : off) += 'U';
        return true;
    }

    // ---- bracketed classes

    // The code of a single-character class member at k (advancing k), or
    // nothing for a class escape such as \d or a POSIX class.
    std::optional<unsigned> ClassMember(size_t& k) const {
        if (p_[k] == '[' && k + 1 < p_.size() && (p_[k + 1] == ':' || p_[k + 1] == '.' || p_[k + 1] == '=')) {
            const char close[2] = {p_[k + 1], ']'};
            const size_t end = p_.find(std::string_view(close, 2), k + 2);
            k = end == std::string_view::npos ? p_.size() : end + 2;
            return std::nullopt;
        }
        if (p_[k] != '\\') return static_cast<unsigned char>(p_[k++]);
        return EscapedMember(k);
    }

    std::optional<unsigned> EscapedMember(size_t& k) const {
        ++k;  // the backslash
        if (k >= p_.size()) return std::nullopt;
        const char e = p_[k++];
        switch (e) {
            case 'x': return HexMember(k);
            case 'n': return '\n';
            case 'r': return '\r';
            case 't': return '\t';
            case 'f': return '\f';
            case 'e': return 27;
            case 'a': return 7;
            case 'b': return 8;
            default: break;
        }
        if (e >= '0' && e <= '7') {
            unsigned v = static_cast<unsigned>(e - '0');
            for (int n = 0; n < 2 && k < p_.size() && p_[k] >= '0' && p_[k] <= '7'; ++n)
                v = v * 8 + static_cast<unsigned>(p_[k++] - '0');
            return v;
        }
        if (e == 'p' || e == 'P' || e == 'o' || e == 'N') {
            if (k < p_.size() && p_[k] == '{') {
                const size_t end = p_.find('}', k);
                k = end == std::string_view::npos ? p_.size() : end + 1;
            }
            return std::nullopt;
        }
        if (std::isalnum(static_cast<unsigned char>(e))) return std::nullopt;
        return static_cast<unsigned char>(e);
    }

    std::optional<unsigned> HexMember(size_t& k) const {
        unsigned v = 0;
        if (k < p_.size() && p_[k] == '{') {
            const size_t end = p_.find('}', k);
            if (end == std::string_view::npos) return std::nullopt;
            for (size_t j = k + 1; j < end; ++j) {
                const int h = HexValue(p_[j]);
                if (h < 0) return std::nullopt;
                v = std::min(v * 16 + static_cast<unsigned>(h), 0x10FFFFu);
            }
            k = end + 1;
            return v;
        }
        for (int n = 0; n < 2 && k < p_.size() && HexValue(p_[k]) >= 0; ++n)
            v = v * 16 + static_cast<unsigned>(HexValue(p_[k++]));
        return v;
    }

    // Copies a class, adding ё/Ё when one of its ranges spans the whole
    // lower or upper Cyrillic alphabet and Russian ranges are on.
    void Class() {
        size_t k = i_ + 1;
        if (k < p_.size() && p_[k] == '^') ++k;
        if (k < p_.size() && p_[k] == ']') ++k;  // a leading "]" is a member
        bool lowerYo = false, upperYo = false;
        while (k < p_.size() && p_[k] != ']') {
            const std::optional<unsigned> lo = ClassMember(k);
            if (!lo || k + 1 >= p_.size() || p_[k] != '-' || p_[k + 1] == ']') continue;
            ++k;  // the "-"
            const std::optional<unsigned> hi = ClassMember(k);
            if (!hi) continue;
            lowerYo |= *lo <= kLowerA && *hi >= kLowerYa;
            upperYo |= *lo <= kUpperA && *hi >= kUpperYa;
        }
        if (k >= p_.size()) {  // unterminated: PCRE2 will say so
            Copy(p_.size() - i_);
            return;
        }
        Copy(k - i_);
        if (modes_.russian && lowerYo) out_ += "\\xb8";
        if (modes_.russian && upperYo) out_ += "\\xa8";
        Copy();  // "]"
    }

    std::string_view p_;
    size_t i_ = 0;
    std::string out_;
    Modes modes_;
    std::vector<Modes> stack_;
};

}  // namespace

std::string TranslatePattern(std::string_view pattern) { return Translator(pattern).Run(); }

}  // namespace pm::rx
