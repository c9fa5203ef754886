#include "intake/TextSniff.h"

namespace pm::intake {
namespace {

bool IsLayoutControl(unsigned char c) { return c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

}  // namespace

bool LooksBinary(std::string_view head) {
    head = head.substr(0, kTextSniffBytes);
    size_t controls = 0;
    for (const char ch : head) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == 0) return true;  // no text in any of our code pages holds one
        if ((c < 0x20 || c == 0x7F) && !IsLayoutControl(c)) ++controls;
    }
    return controls * 100 > head.size() * kMaxControlPercent;
}

}  // namespace pm::intake
