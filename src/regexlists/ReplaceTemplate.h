// The replacement template of a rule: "$0" is the whole match, "$1".."$9"
// a group, "${NN}" a group of any number. A group that does not exist or
// did not take part in the match gives nothing; every other character,
// a "$" not followed by a group reference included, is copied as written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pm::rx {

class ReplaceTemplate {
public:
    explicit ReplaceTemplate(std::string_view tpl);

    // Appends the expansion for one match. groups holds start/end offsets
    // into subject, two per group, for `count` groups; an unset group has
    // an offset of SIZE_MAX.
    void AppendTo(std::string& out, std::string_view subject, const size_t* groups, size_t count) const;

private:
    struct Piece {
        std::string literal;  // copied as is
        long group = -1;      // then this group, when >= 0
    };
    std::vector<Piece> pieces_;
};

}  // namespace pm::rx
