#include "document/LineList.h"

#include <utility>

namespace pm {

LineList LineList::FromText(std::string_view text) {
    LineList list;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        list.Append(std::string(text.substr(start, i - start)));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) list.Append(std::string(text.substr(start)));
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
    buf_[gapEnd_++] = LineEntry{};
}

void LineList::Clear() {
    buf_.clear();
    gapStart_ = gapEnd_ = 0;
}

std::string LineList::Join(std::string_view sep) const {
    size_t total = 0;
    const size_t n = Count();
    for (size_t i = 0; i < n; ++i) total += at(i).text.size() + sep.size();
    std::string out;
    out.reserve(total);
    for (size_t i = 0; i < n; ++i) {
        if (i) out.append(sep);
        out.append(at(i).text);
    }
    return out;
}

}  // namespace pm
