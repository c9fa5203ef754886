// The line list: the working document of a conversion. An ordered list of
// 8-bit entries in the working code page, each with a line mark. It is a gap
// buffer, so index access stays O(1) and a stage that walks the list and
// inserts or deletes near its position pays only for the distance moved.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pm {

enum LineMark : int {
    kMarkText = 0,      // text still to be treated
    kMarkTag = 1,       // one HTML tag
    kMarkBlock = 100,   // finished block or document frame entry
    kMarkComment = 101  // HTML comment
};

struct LineEntry {
    std::string text;
    int mark = kMarkText;
};

class LineList {
public:
    LineList() = default;
    // Splits text at CR LF, CR or LF; every entry gets mark 0.
    static LineList FromText(std::string_view text);

    size_t Count() const { return buf_.size() - gapLen(); }
    bool Empty() const { return Count() == 0; }

    const std::string& Text(size_t i) const { return at(i).text; }
    std::string& MutableText(size_t i) { return at(i).text; }
    void SetText(size_t i, std::string text) { at(i).text = std::move(text); }
    int Mark(size_t i) const { return at(i).mark; }
    void SetMark(size_t i, int mark) { at(i).mark = mark; }
    const LineEntry& Entry(size_t i) const { return at(i); }

    void Insert(size_t i, std::string text, int mark = kMarkText);
    void Append(std::string text, int mark = kMarkText);
    void Delete(size_t i);
    void Clear();
    // Gives back the room of deleted entries once it is most of the list.
    void ShrinkToFit();
    void Reserve(size_t count);

    // The entries joined with sep (CR LF for files).
    // The entries between separators; spare reserves room for that many
    // more bytes, so that a later insertion does not copy the text again.
    std::string Join(std::string_view sep = "\r\n", size_t spare = 0) const;

private:
    size_t gapLen() const { return gapEnd_ - gapStart_; }
    size_t phys(size_t i) const { return i < gapStart_ ? i : i + gapLen(); }
    LineEntry& at(size_t i) { return buf_[phys(i)]; }
    const LineEntry& at(size_t i) const { return buf_[phys(i)]; }
    void moveGap(size_t i);
    void grow();

    std::vector<LineEntry> buf_;
    size_t gapStart_ = 0, gapEnd_ = 0;
};

}  // namespace pm
