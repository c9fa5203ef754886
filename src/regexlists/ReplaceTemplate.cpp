#include "regexlists/ReplaceTemplate.h"

namespace pm::rx {
namespace {

constexpr size_t kMaxGroupDigits = 6;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Length of "${digits}" at i and its group number, or 0.
size_t BracedGroup(std::string_view tpl, size_t i, long& group) {
    size_t k = i + 2;
    long n = 0;
    while (k < tpl.size() && IsDigit(tpl[k]) && k - i - 2 < kMaxGroupDigits) n = n * 10 + (tpl[k++] - '0');
    if (k == i + 2 || k >= tpl.size() || tpl[k] != '}') return 0;
    group = n;
    return k - i + 1;
}

}  // namespace

ReplaceTemplate::ReplaceTemplate(std::string_view tpl) {
    Piece cur;
    for (size_t i = 0; i < tpl.size();) {
        long group = -1;
        size_t len = 0;
        if (tpl[i] == '$' && i + 1 < tpl.size()) {
            if (IsDigit(tpl[i + 1])) {
                group = tpl[i + 1] - '0';
                len = 2;
            } else if (tpl[i + 1] == '{') {
                len = BracedGroup(tpl, i, group);
            }
        }
        if (len == 0) {
            cur.literal += tpl[i++];
            continue;
        }
        cur.group = group;
        pieces_.push_back(std::move(cur));
        cur = Piece{};
        i += len;
    }
    if (!cur.literal.empty()) pieces_.push_back(std::move(cur));
}

void ReplaceTemplate::AppendTo(std::string& out, std::string_view subject, const size_t* groups,
                               size_t count) const {
    for (const Piece& p : pieces_) {
        out += p.literal;
        if (p.group < 0 || static_cast<size_t>(p.group) >= count) continue;
        const size_t from = groups[2 * p.group], to = groups[2 * p.group + 1];
        if (from == SIZE_MAX || to == SIZE_MAX || from > to || to > subject.size()) continue;
        out.append(subject.substr(from, to - from));
    }
}

}  // namespace pm::rx
