#include "pipeline/TidyUp.h"
#include "common/Concat.h"

#include <array>

#include "pipeline/ParagraphTags.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

bool EndsWith(const std::string& s, std::string_view tail) {
    return s.size() >= tail.size() && std::string_view(s).substr(s.size() - tail.size()) == tail;
}

constexpr std::array<std::string_view, 10> kSpaceAfter = {"  ",     "< ",     "<I> ",       "<p> ",   "<div> ",
                                                         "<b> ",   "<font> ", "<strong> ", "<sub> ", "<SUP> "};
constexpr std::string_view kSpaceAfterEm = "<em> ";
constexpr std::array<std::string_view, 10> kSpaceBeforeClose = {" >",       " </div>",    " </p>",  " </I>",
                                                                " </b>",    " </font>",   " </strong>",
                                                                " </sub>",  " </SUP>",    " </em>"};

class Tidier {
public:
    explicit Tidier(std::string_view indent) : emptyDivBreak_(Concat({"<div>", indent, "<br>"})) {}

    std::string Run(std::string_view in) {
        out_.clear();
        out_.reserve(in.size());
        pending_.clear();
        for (size_t i = 0;;) {
            char c;
            if (!pending_.empty()) {
                c = pending_.back();
                pending_.pop_back();
            } else if (i < in.size()) {
                c = in[i++];
            } else {
                break;
            }
            out_ += c;
            Resolve();
        }
        return std::move(out_);
    }

private:
    // Deletes n characters at pos; what stood after them is fed again so
    // that patterns across the joint are seen.
    void DeleteAt(size_t pos, size_t n) {
        for (size_t k = out_.size(); k > pos + n; --k) pending_ += out_[k - 1];
        out_.resize(pos);
    }

    // out_ had no pattern before its last character arrived, so only
    // patterns ending there need looking at.
    void Resolve() {
        const size_t n = out_.size();
        switch (out_.back()) {
            case ' ':
                for (std::string_view p : kSpaceAfter)
                    if (EndsWith(out_, p)) return out_.pop_back();
                if (EndsWith(out_, kSpaceAfterEm) || EndsWith(out_, "&nbsp; ")) out_.pop_back();
                return;
            case '<':
                if (EndsWith(out_, "> <")) DeleteAt(n - 2, 1);
                return;
            case '>':
                for (std::string_view p : kSpaceBeforeClose)
                    if (EndsWith(out_, p)) return DeleteAt(n - p.size(), 1);
                if (EndsWith(out_, emptyDivBreak_)) out_.resize(n - 4);
                return;
            case 'h':
            case 'p':
                if (n >= 3 && out_[n - 3] == ' ' && out_[n - 2] == '<') DeleteAt(n - 3, 1);
                return;
            case 'v':
                if (EndsWith(out_, " <div")) DeleteAt(n - 5, 1);
                return;
            case '-':
                if (n >= 2 && out_[n - 2] == '-') out_.pop_back();
                return;
            default:
                return;
        }
    }

    const std::string emptyDivBreak_;
    std::string out_;
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
