#include "document/LineList.h"
#include "common/LineBreaks.h"

#include <utility>

namespace pm {

LineList LineList::FromText(std::string_view text) {
    LineList list;
    const std::string_view rest =
        text::ForEachLineBreak(text, [&list](std::string_view line) { list.Append(std::string(line)); });
    if (!rest.empty()) list.Append(std::string(rest));
    return list;
}

void LineList::moveGap(size_t i) {
    // An empty gap can sit anywhere; moving it would move entries onto
    // themselves, which empties them.
    if (gapStart_ == gapEnd_) {
        gapStart_ = gapEnd_ = i;
        return;
    }
    while (gapStart_ > i) buf_[--gapEnd_] = std::move(buf_[--gapStart_]);
    while (gapStart_ < i) buf_[gapStart_++] = std::move(buf_[gapEnd_++]);
}

void LineList::grow() {
    const size_t count = Count();
    const size_t extra = count / 2 + 16;
    std::vector<LineEntry> next(count + extra);
    for (size_t i = 0; i < gapStart_; ++i) next[i] = std::move(buf_[i]);
    const size_t tail = buf_.size() - gapEnd_;
    for (size_t k = 0; k < tail; ++k) next[gapStart_ + extra + k] = std::move(buf_[gapEnd_ + k]);
    gapEnd_ = gapStart_ + extra;
    buf_ = std::move(next);
}

void LineList::Insert(size_t i, std::string text, int mark) {
    if (gapLen() == 0) grow();
    moveGap(i);
    buf_[gapStart_++] = LineEntry{std::move(text), mark};
}

void LineList::Append(std::string text, int mark) { Insert(Count(), std::move(text), mark); }

void LineList::Delete(size_t i) {
    moveGap(i);
    // Assigning an empty string would keep the text's buffer in the gap.
    std::string().swap(buf_[gapEnd_].text);
    buf_[gapEnd_++].mark = 0;
}

void LineList::Reserve(size_t count) {
    if (buf_.size() >= count) return;
    moveGap(Count());  // the gap at the end, where the new room joins it
    buf_.resize(count);
    gapEnd_ = buf_.size();
}

void LineList::ShrinkToFit() {
    const size_t count = Count(), room = count / 8 + 16;
    if (gapLen() <= count + room) return;
    std::vector<LineEntry> next(count + room);
    for (size_t i = 0; i < count; ++i) next[i] = std::move(at(i));
    buf_ = std::move(next);
    gapStart_ = count;
    gapEnd_ = buf_.size();
}

void LineList::Clear() {
    buf_.clear();
    gapStart_ = gapEnd_ = 0;
}

std::string LineList::Join(std::string_view sep, size_t spare) const {
    size_t total = 0;
    const size_t n = Count();
    for (size_t i = 0; i < n; ++i) total += at(i).text.size() + sep.size();
    std::string out;
    out.reserve(total + spare);
    for (size_t i = 0; i < n; ++i) {
        if (i) out.append(sep);
        out.append(at(i).text);
    }
    return out;
}

}  // namespace pm
