#include "common/Format.h"

#include <cstdlib>
#include <vector>

namespace pm {
namespace {

struct Spec {
    bool left = false, zero = false, plus = false, space = false;
    int width = -1, precision = -1;
    char conv = 0;
    size_t end = 0;  // index just past the directive
};

// Parses the directive starting at tpl[pos] == '%'. Returns false when it is
// not a directive this formatter knows.
bool ParseSpec(std::string_view tpl, size_t pos, Spec& spec) {
    size_t i = pos + 1;
    for (; i < tpl.size(); ++i) {
        const char c = tpl[i];
        if (c == '-') spec.left = true;
        else if (c == '0') spec.zero = true;
        else if (c == '+') spec.plus = true;
        else if (c == ' ') spec.space = true;
        else break;
    }
    auto number = [&](int& out) {
        int n = 0;
        bool any = false;
        while (i < tpl.size() && tpl[i] >= '0' && tpl[i] <= '9' && n < 10000) {
            n = n * 10 + (tpl[i++] - '0');
            any = true;
        }
        if (any) out = n;
        return any;
    };
    number(spec.width);
    if (i < tpl.size() && tpl[i] == '.') {
        ++i;
        spec.precision = 0;
        number(spec.precision);
    }
    if (i >= tpl.size()) return false;
    const char c = tpl[i];
    if (c != 's' && c != 'd' && c != 'i' && c != 'u') return false;
    spec.conv = c;
    spec.end = i + 1;
    return true;
}

std::string Pad(std::string body, const Spec& spec, bool numeric) {
    if (spec.width < 0 || static_cast<int>(body.size()) >= spec.width) return body;
    const size_t fill = static_cast<size_t>(spec.width) - body.size();
    if (spec.left) return body + std::string(fill, ' ');
    if (numeric && spec.zero && spec.precision < 0) {
        const size_t signLen = (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) ? 1 : 0;
        return body.substr(0, signLen) + std::string(fill, '0') + body.substr(signLen);
    }
    return std::string(fill, ' ') + body;
}

std::string FormatNumber(int64_t v, const Spec& spec) {
    const bool neg = v < 0;
    std::string digits = std::to_string(neg ? -(v + 1) + 1ULL : static_cast<uint64_t>(v));
    if (spec.precision >= 0 && static_cast<int>(digits.size()) < spec.precision)
        digits.insert(0, static_cast<size_t>(spec.precision) - digits.size(), '0');
    if (spec.precision == 0 && v == 0) digits.clear();
    const char* sign = neg ? "-" : spec.plus ? "+" : spec.space ? " " : "";
    return Pad(sign + digits, spec, true);
}

std::string FormatText(std::string_view s, const Spec& spec) {
    if (spec.precision >= 0 && static_cast<size_t>(spec.precision) < s.size())
        s = s.substr(0, static_cast<size_t>(spec.precision));
    return Pad(std::string(s), spec, false);
}

}  // namespace

std::string FormatTemplate(std::string_view tpl, std::initializer_list<FormatArg> args) {
    const std::vector<FormatArg> list(args);
    size_t next = 0;
    std::string out;
    out.reserve(tpl.size() + 32);
    for (size_t i = 0; i < tpl.size();) {
        if (tpl[i] != '%') {
            out += tpl[i++];
            continue;
        }
        if (i + 1 < tpl.size() && tpl[i + 1] == '%') {
            out += '%';
            i += 2;
            continue;
        }
        Spec spec;
        if (!ParseSpec(tpl, i, spec) || next >= list.size()) {
            out += tpl[i++];  // unknown or unsatisfiable: keep as written
            continue;
        }
        const FormatArg& arg = list[next++];
        if (spec.conv == 's') {
            if (const auto* s = std::get_if<std::string_view>(&arg)) out += FormatText(*s, spec);
            else out += FormatText(std::to_string(std::get<int64_t>(arg)), spec);
        } else if (const auto* n = std::get_if<int64_t>(&arg)) {
            out += FormatNumber(*n, spec);
        } else {
            // A text given for a number: its leading integer.
            const std::string_view s = std::get<std::string_view>(arg);
            out += FormatNumber(std::strtoll(std::string(s).c_str(), nullptr, 10), spec);
        }
        i = spec.end;
    }
    return out;
}

}  // namespace pm
