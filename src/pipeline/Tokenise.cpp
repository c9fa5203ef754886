// Stage 1: cuts the source lines into tag, text and comment entries.
#include <algorithm>
#include <array>
#include <vector>

#include "common/Cp1251.h"
#include "common/LineBreaks.h"
#include "common/TextTests.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

constexpr size_t npos = std::string::npos;
constexpr std::array<std::string_view, 7> kInlineClosingTags = {"</sub>", "</sup>",    "</i>", "</em>",
                                                                "</strong>", "</font>", "</b>"};
constexpr size_t kLongTagLength = 1024;  // longer unfinished tags get a warning
constexpr size_t kLongTagShown = 100;

// The first occurrence of a needle in a buffer that only grows at its end,
// asked from positions that only move forward. Each byte is looked at about
// once however often the question comes, so a stray "<" that makes every
// following line join the buffer stays linear.
class ForwardFinder {
public:
    explicit ForwardFinder(std::string_view needle) : needle_(needle) {}

    size_t Find(const std::string& buf, size_t from) {
        if (found_ != npos && found_ >= from) return found_;
        const size_t s = std::max(from, checked_);
        const size_t hit = buf.find(needle_, s);
        found_ = hit;
        if (hit != npos) {
            checked_ = hit;
        } else {
            const size_t tailStart = buf.size() + 1 >= needle_.size() ? buf.size() + 1 - needle_.size() : 0;
            checked_ = std::max(s, tailStart);
        }
        return hit;
    }
    void Reset() { found_ = npos, checked_ = 0; }
    // The buffer lost its first n bytes.
    void Shift(size_t n) {
        if (found_ != npos) found_ = found_ >= n ? found_ - n : npos;
        checked_ = checked_ >= n ? checked_ - n : 0;
    }

private:
    std::string_view needle_;
    size_t found_ = npos, checked_ = 0;
};

// Tabs become two spaces, non-breaking spaces plain ones.
std::string CleanSpaces(std::string_view line) {
    std::string out(line);
    std::replace(out.begin(), out.end(), static_cast<char>(text::kNbsp), ' ');
    if (out.find('\t') == std::string::npos) return out;
    std::string widened;
    widened.reserve(out.size() + 16);
    for (char c : out) {
        if (c == '\t') widened += "  ";
        else widened += c;
    }
    return widened;
}

// No spaces before a "<" or after a ">", single spaces elsewhere, ASCII
// letters in lower case (attribute values too).
std::string NormaliseTag(std::string_view tag) {
    std::string out;
    out.reserve(tag.size());
    for (char c : tag) {
        if (c == ' ') {
            if (!out.empty() && (out.back() == ' ' || out.back() == '>')) continue;
            out += ' ';
        } else if (c == '<') {
            while (!out.empty() && out.back() == ' ') out.pop_back();
            out += '<';
        } else {
            out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        }
    }
    return out;
}

class Tokeniser {
public:
    // The source lines are views into text the caller keeps.
    Tokeniser(std::vector<std::string_view> source, ConversionContext& ctx) : src_(std::move(source)), ctx_(ctx) {}

    LineList Run() {
        const size_t n = src_.size();
        if (n == 0) return std::move(out_);
        out_.Reserve(n + n / 16 + 64);  // mostly an entry a line, and the frame
        ReadLine(0);
        for (;;) {
            if (!Step()) continue;
            if (++cur_ >= n) break;
            ReadLine(cur_);
        }
        FlushAtEnd();
        return std::move(out_);
    }

private:
    size_t End() const { return buf_.size(); }
    bool ViewEmpty() const { return start_ >= buf_.size(); }

    void ResetBuffer() {
        buf_.clear();
        start_ = 0;
        comment_.Reset();
        lt_.Reset();
        gt_.Reset();
    }

    // Drops consumed bytes once they are most of the buffer.
    void Compact() {
        if (start_ < 4096 || start_ < buf_.size() / 2) return;
        buf_.erase(0, start_);
        comment_.Shift(start_);
        lt_.Shift(start_);
        gt_.Shift(start_);
        start_ = 0;
    }

    // The consumer reaches source line i: it joins the pending buffer.
    void ReadLine(size_t i) {
        ctx_.ReportProgress(i, src_.size());
        std::string line = CleanSpaces(src_[i]);
        if (ViewEmpty()) ResetBuffer();
        else Compact();
        if (!ViewEmpty() && !line.empty()) buf_ += ' ';
        buf_ += line;
    }

    void EmitText(size_t from, size_t to, bool blankAsEmpty) {
        std::string_view t = std::string_view(buf_).substr(from, to - from);
        if (blankAsEmpty && text::IsBlankLine(t)) t = {};
        out_.Append(std::string(t), kMarkText);
    }

    // The text of the view up to limit ends this round: true when that was
    // the whole buffer (move on to the next line).
    bool EmitRestAsText(size_t limit, bool blankAsEmpty) {
        EmitText(start_, limit, blankAsEmpty);
        if (limit >= End()) {
            ResetBuffer();
            return true;
        }
        start_ = limit;
        return false;
    }

    bool EmitTag(size_t gt) {
        out_.Append(NormaliseTag(std::string_view(buf_).substr(start_, gt + 1 - start_)), kMarkTag);
        start_ = gt + 1;
        while (start_ < End() && buf_[start_] == ' ') ++start_;
        if (!ViewEmpty()) return false;
        ResetBuffer();
        return true;
    }

    // A tag without its ">" yet: the next line joins it.
    bool UnfinishedTag() {
        if (!ctx_.longTagWarned && End() - start_ > kLongTagLength) {
            ctx_.longTagWarned = true;
            ctx_.questions.ShowMessage(ctx_.texts.Msg("Error"),
                                       ctx_.texts.Msg("Very long tag") + "\r" + buf_.substr(start_, kLongTagShown) + "...",
                                       MessageIcon::Error);
        }
        return true;
    }

    // One step on the pending buffer; true to move on to the next line.
    bool Step() {
        if (ViewEmpty()) return EmitRestAsText(End(), true);
        const size_t comment = comment_.Find(buf_, start_);
        if (comment == start_) return CommentAtStart();
        // Text before a comment is treated on its own first.
        const size_t limit = comment == npos ? End() : comment;
        if (buf_[start_] != '<') {
            const size_t lt = lt_.Find(buf_, start_ + 1);
            if (lt == npos || lt >= limit) return EmitRestAsText(limit, true);
            EmitText(start_, lt, false);
            start_ = lt;
            return false;
        }
        const size_t gt = gt_.Find(buf_, start_);
        if (gt == npos) return UnfinishedTag();
        // A comment opening inside an unfinished tag is taken into the tag,
        // which ends at the first ">" that comes.
        if (gt > limit) return EmitTag(gt);
        if (!ctx_.settings.RemoveAllHtml && EndsInlineClosingTag(gt)) {
            // The closing tag stays at the head of the text it precedes.
            const size_t lt = lt_.Find(buf_, start_ + 1);
            return EmitRestAsText(lt == npos ? limit : std::min(lt, limit), false);
        }
        return EmitTag(gt);
    }

    // The first ">" of the buffer ends an inline closing tag.
    bool EndsInlineClosingTag(size_t gt) const {
        for (std::string_view tag : kInlineClosingTags) {
            if (gt + 1 < start_ + tag.size()) continue;
            if (cp1251::EqualsNoCase(std::string_view(buf_).substr(gt + 1 - tag.size(), tag.size()), tag)) return true;
        }
        return false;
    }

    // The buffer starts with "<!--".
    bool CommentAtStart() {
        const size_t close = buf_.find("-->", start_);
        if (close != npos) {
            out_.Append(buf_.substr(start_, close + 3 - start_), kMarkComment);
            start_ = close + 3;
            if (!ViewEmpty()) return false;
            ResetBuffer();
            return true;
        }
        return CommentOverLines();
    }

    // A comment that does not close on its first line: the following lines
    // join it after line feeds until one holds "-->" (or the input ends).
    bool CommentOverLines() {
        std::string comment = buf_.substr(start_);
        ResetBuffer();
        const size_t n = src_.size();
        size_t j = cur_ + 1;
        if (j >= n) {  // unclosed at the end of the input
            out_.Append(std::move(comment), kMarkComment);
            return true;
        }
        for (; j + 1 < n && src_[j].find("-->") == npos; ++j) {
            ctx_.ReportProgress(j, n);
            comment += '\n';
            comment += src_[j];
        }
        cur_ = j;
        ctx_.ReportProgress(j, n);
        const std::string_view line = src_[j];
        const size_t close = line.find("-->");
        comment += '\n';
        if (close == npos || close + 3 == line.size()) {
            comment += line;
            out_.Append(std::move(comment), kMarkComment);
            return true;
        }
        comment.append(line, 0, close + 3);
        out_.Append(std::move(comment), kMarkComment);
        buf_ = CleanSpaces(std::string_view(line).substr(close + 3));
        // With a next line, it joins the rest; the last line's rest is
        // tokenised as it is.
        return j + 1 < n;
    }

    void FlushAtEnd() {
        if (ViewEmpty()) return;
        std::string rest = buf_.substr(start_);
        if (rest[0] == '<') rest.replace(0, 1, "&lt;");
        out_.Append(std::move(rest), kMarkText);
    }

    const std::vector<std::string_view> src_;
    ConversionContext& ctx_;
    LineList out_;
    std::string buf_;   // the pending text from start_ on
    size_t start_ = 0;  // bytes before it are consumed
    size_t cur_ = 0;    // the source line being consumed
    ForwardFinder comment_{"<!--"}, lt_{"<"}, gt_{">"};
};

}  // namespace

LineList StageTokenise(const LineList& source, ConversionContext& ctx) {
    std::vector<std::string_view> lines;
    lines.reserve(source.Count());
    for (size_t i = 0; i < source.Count(); ++i) lines.push_back(source.Text(i));
    return Tokeniser(std::move(lines), ctx).Run();
}

LineList StageTokeniseText(std::string_view text, ConversionContext& ctx) {
    std::vector<std::string_view> lines;
    size_t feeds = 0;  // room for the lines up front: a long book's views are megabytes
    for (size_t k = text.find('\n'); k != std::string_view::npos; k = text.find('\n', k + 1)) ++feeds;
    lines.reserve(feeds + 1);
    const std::string_view rest = text::ForEachLineBreak(text, [&lines](std::string_view line) { lines.push_back(line); });
    if (!rest.empty()) lines.push_back(rest);
    return Tokeniser(std::move(lines), ctx).Run();
}

}  // namespace pm
