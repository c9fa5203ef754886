// Takes the options of a fuzz run from the front of its input, so that
// the fuzzer explores option sets and text together and any input
// replays the same run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pm::fuzz {

class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}

    // The next byte, or 0 once the input is used up.
    uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto b = static_cast<uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // The next four bytes, little-endian.
    uint32_t Bits32() {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Byte()) << (8 * i);
        return v;
    }
    // Up to the next NUL byte (taken, not returned), or all that is left.
    std::string_view Part() {
        const size_t end = rest_.find('\0');
        const std::string_view part = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return part;
    }
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

}  // namespace pm::fuzz
