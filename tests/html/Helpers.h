// Shared helpers of the HTML intake tests.
#pragma once

#include <string>
#include <vector>

#include "pipeline/Stages.h"
#include "support/TestContext.h"

namespace pm::test {

inline LineList Lines(const std::vector<std::string>& lines) {
    LineList list;
    for (const auto& l : lines) list.Append(l);
    return list;
}

struct Entry {
    std::string text;
    int mark;
    bool operator==(const Entry&) const = default;
};

inline std::vector<Entry> Entries(const LineList& list) {
    std::vector<Entry> out;
    for (size_t i = 0; i < list.Count(); ++i) out.push_back({list.Text(i), list.Mark(i)});
    return out;
}

inline std::ostream& operator<<(std::ostream& os, const Entry& e) {
    return os << "{\"" << e.text << "\", " << e.mark << "}";
}

// Stage 1 on the given source lines.
inline std::vector<Entry> Tokens(TestContext& t, const std::vector<std::string>& lines) {
    return Entries(StageTokenise(Lines(lines), t.ctx));
}

// Stages 1 and 2 on the given source lines, leaving the list in t.ctx.lines.
inline void Frame(TestContext& t, const std::vector<std::string>& lines) {
    t.ctx.lines = StageTokenise(Lines(lines), t.ctx);
    StageDocumentFrame(t.ctx);
}

// The entries between the frame's two head entries and its tail entry.
inline std::vector<Entry> Content(const TestContext& t) {
    std::vector<Entry> all = Entries(t.ctx.lines);
    if (all.size() < 3) return {};
    return std::vector<Entry>(all.begin() + 2, all.end() - 1);
}

}  // namespace pm::test
