#include "pipeline/TidyUp.h"
#include "common/Concat.h"

#include <array>

#include "pipeline/ParagraphTags.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

constexpr std::array<std::string_view, 10> kSpaceAfter = {"  ",     "< ",     "<I> ",       "<p> ",   "<div> ",
                                                         "<b> ",   "<font> ", "<strong> ", "<sub> ", "<SUP> "};
constexpr std::string_view kSpaceAfterEm = "<em> ";
constexpr std::array<std::string_view, 10> kSpaceBeforeClose = {" >",       " </div>",    " </p>",  " </I>",
                                                                " </b>",    " </font>",   " </strong>",
                                                                " </sub>",  " </SUP>",    " </em>"};

// The last characters of the patterns below: only these need a look back.
constexpr std::array<bool, 256> kPatternEnd = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : std::string_view(" <>hpv-")) t[c] = true;
    return t;
}();

// What stands before the space of every space pattern.
bool IsSpacePatternJoint(char c) { return c == ' ' || c == '<' || c == '>' || c == ';'; }

class Tidier {
public:
    explicit Tidier(std::string_view indent) : emptyDivBreak_(Concat({"<div>", indent, "<br>"})) {}

    // Output never outgrows the input (characters are only dropped or fed
    // again), so it is written into a buffer of the input's size.
    std::string Run(std::string_view in) {
        out_.resize(in.size());
        char* const out = out_.data();
        n_ = 0;
        pending_.clear();
        for (size_t i = 0; i < in.size() || !pending_.empty();) {
            char c;
            if (pending_.empty()) {
                // Straight copying up to a character that may end a pattern
                // (locals: stores through a char pointer may touch members).
                size_t n = n_;
                do {
                    c = in[i++];
                    out[n++] = c;
                } while (!kPatternEnd[static_cast<unsigned char>(c)] && i < in.size());
                n_ = n;
            } else {
                c = pending_.back();
                pending_.pop_back();
                out[n_++] = c;
            }
            if (kPatternEnd[static_cast<unsigned char>(c)]) Resolve();
        }
        out_.resize(n_);
        return std::move(out_);
    }

private:
    // Deletes n characters at pos; what stood after them is fed again so
    // that patterns across the joint are seen.
    void DeleteAt(size_t pos, size_t n) {
        for (size_t k = n_; k > pos + n; --k) pending_ += out_[k - 1];
        n_ = pos;
    }

    std::string_view Out() const { return {out_.data(), n_}; }

    // out_ had no pattern before its last character arrived, so only
    // patterns ending there need looking at.
    void Resolve() {
        const size_t n = n_;
        const std::string_view out = Out();
        switch (out.back()) {
            case ' ':
                // Every pattern ends in one of these before its space.
                if (n < 2 || !IsSpacePatternJoint(out_[n - 2])) return;
                for (std::string_view p : kSpaceAfter)
                    if (EndsWith(out, p)) return void(--n_);
                if (EndsWith(out, kSpaceAfterEm) || EndsWith(out, "&nbsp; ")) --n_;
                return;
            case '<':
                if (EndsWith(out, "> <")) DeleteAt(n - 2, 1);
                return;
            case '>':
                for (std::string_view p : kSpaceBeforeClose)
                    if (EndsWith(out, p)) return DeleteAt(n - p.size(), 1);
                if (EndsWith(out, emptyDivBreak_)) n_ = n - 4;
                return;
            case 'h':
            case 'p':
                if (n >= 3 && out_[n - 3] == ' ' && out_[n - 2] == '<') DeleteAt(n - 3, 1);
                return;
            case 'v':
                if (EndsWith(out, " <div")) DeleteAt(n - 5, 1);
                return;
            case '-':
                if (n >= 2 && out_[n - 2] == '-') --n_;
                return;
            default:
                return;
        }
    }

    const std::string emptyDivBreak_;
    std::string out_;
    size_t n_ = 0;  // the length of the output so far
    std::string pending_;  // characters to feed again, the next one last
};

}  // namespace

std::string TidyEntry(std::string_view in, std::string_view indent) { return Tidier(indent).Run(in); }

void StageTidyUp(ConversionContext& ctx) {
    LineList& l = ctx.lines;
    Tidier tidier(ParagraphIndent(ctx.settings));
    const std::string empty = EmptyParagraph(ctx.settings);
    for (size_t i = 0; i < l.Count();) {
        ctx.ReportProgress(i, l.Count());
        if (l.Mark(i) == kMarkComment) {
            ++i;
            continue;
        }
        std::string t = tidier.Run(l.Text(i));
        if (t.empty() || t == empty || t == " ") {
            l.Delete(i);
            continue;
        }
        l.SetText(i, std::move(t));
        ++i;
    }
}

}  // namespace pm
