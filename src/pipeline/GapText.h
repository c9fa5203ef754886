// The text of one entry as a gap buffer, for stages that make many small
// edits while walking a long entry: an edit costs only the distance from
// the previous one, not a shift of everything after it.
#pragma once

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace pm {

class GapText {
public:
    static constexpr size_t npos = std::string::npos;

    explicit GapText(std::string_view text)
        : buf_(text.begin(), text.end()), gapStart_(text.size()), gapEnd_(text.size()) {}

    size_t Size() const { return buf_.size() - (gapEnd_ - gapStart_); }
    char At(size_t i) const { return buf_[i < gapStart_ ? i : i + (gapEnd_ - gapStart_)]; }

    // The first c at or after from, or npos.
    size_t Find(char c, size_t from) const {
        const size_t gap = gapEnd_ - gapStart_;
        if (from < gapStart_) {
            if (const void* hit = std::memchr(buf_.data() + from, c, gapStart_ - from))
                return static_cast<size_t>(static_cast<const char*>(hit) - buf_.data());
            from = gapStart_;
        }
        const size_t phys = from + gap;
        if (phys >= buf_.size()) return npos;
        const void* hit = std::memchr(buf_.data() + phys, c, buf_.size() - phys);
        return hit ? static_cast<size_t>(static_cast<const char*>(hit) - buf_.data()) - gap : npos;
    }

    void Erase(size_t pos, size_t n) {
        MoveGap(pos);
        gapEnd_ += n;
    }

    void Insert(size_t pos, std::string_view text) {
        MoveGap(pos);
        if (gapEnd_ - gapStart_ < text.size()) Grow(text.size());
        std::memcpy(buf_.data() + gapStart_, text.data(), text.size());
        gapStart_ += text.size();
    }

    void Append(std::string_view text) { Insert(Size(), text); }

    std::string Str() const {
        std::string out(buf_.data(), gapStart_);
        out.append(buf_.data() + gapEnd_, buf_.size() - gapEnd_);
        return out;
    }

private:
    void MoveGap(size_t pos) {
        if (pos < gapStart_) {
            const size_t n = gapStart_ - pos;
            std::memmove(buf_.data() + gapEnd_ - n, buf_.data() + pos, n);
            gapStart_ -= n;
            gapEnd_ -= n;
        } else if (pos > gapStart_) {
            const size_t n = pos - gapStart_;
            std::memmove(buf_.data() + gapStart_, buf_.data() + gapEnd_, n);
            gapStart_ += n;
            gapEnd_ += n;
        }
    }

    void Grow(size_t need) {
        const size_t extra = need + buf_.size() / 2 + 64;
        const size_t tail = buf_.size() - gapEnd_;
        buf_.resize(buf_.size() + extra);
        std::memmove(buf_.data() + buf_.size() - tail, buf_.data() + gapEnd_, tail);
        gapEnd_ = buf_.size() - tail;
    }

    std::vector<char> buf_;
    size_t gapStart_, gapEnd_;
};

}  // namespace pm
