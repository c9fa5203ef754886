#include "common/Format.h"

#include <cstdlib>
#include <vector>

namespace pm {
namespace {

struct Directive {
    bool left = false, zero = false, plus = false, space = false;
    int width = -1, precision = -1;
    char conv = 0;
    size_t end = 0;  // index just past the directive
};

// Parses the directive starting at tpl[pos] == '%'. Returns false when it is
// not a directive this formatter knows.
bool ParseDirective(std::string_view tpl, size_t pos, Directive& dir) {
    size_t i = pos + 1;
    for (; i < tpl.size(); ++i) {
        const char c = tpl[i];
        if (c == '-') dir.left = true;
        else if (c == '0') dir.zero = true;
        else if (c == '+') dir.plus = true;
        else if (c == ' ') dir.space = true;
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
    number(dir.width);
    if (i < tpl.size() && tpl[i] == '.') {
        ++i;
        dir.precision = 0;
        number(dir.precision);
    }
    if (i >= tpl.size()) return false;
    const char c = tpl[i];
    if (c != 's' && c != 'd' && c != 'i' && c != 'u') return false;
    dir.conv = c;
    dir.end = i + 1;
    return true;
}

std::string Pad(std::string body, const Directive& dir, bool numeric) {
    if (dir.width < 0 || static_cast<int>(body.size()) >= dir.width) return body;
    const size_t fill = static_cast<size_t>(dir.width) - body.size();
    if (dir.left) return body + std::string(fill, ' ');
    if (numeric && dir.zero && dir.precision < 0) {
        const size_t signLen = (!body.empty() && (body[0] == '-' || body[0] == '+' || body[0] == ' ')) ? 1 : 0;
        return body.substr(0, signLen) + std::string(fill, '0') + body.substr(signLen);
    }
    return std::string(fill, ' ') + body;
}

std::string FormatNumber(int64_t v, const Directive& dir) {
    const bool neg = v < 0;
    std::string digits = std::to_string(neg ? -(v + 1) + 1ULL : static_cast<uint64_t>(v));
    if (dir.precision >= 0 && static_cast<int>(digits.size()) < dir.precision)
        digits.insert(0, static_cast<size_t>(dir.precision) - digits.size(), '0');
    if (dir.precision == 0 && v == 0) digits.clear();
    const char* sign = neg ? "-" : dir.plus ? "+" : dir.space ? " " : "";
    return Pad(sign + digits, dir, true);
}

std::string FormatText(std::string_view s, const Directive& dir) {
    if (dir.precision >= 0 && static_cast<size_t>(dir.precision) < s.size())
        s = s.substr(0, static_cast<size_t>(dir.precision));
    return Pad(std::string(s), dir, false);
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
        Directive dir;
        if (!ParseDirective(tpl, i, dir) || next >= list.size()) {
            out += tpl[i++];  // unknown or unsatisfiable: keep as written
            continue;
        }
        const FormatArg& arg = list[next++];
        if (dir.conv == 's') {
            if (const auto* s = std::get_if<std::string_view>(&arg)) out += FormatText(*s, dir);
            else out += FormatText(std::to_string(std::get<int64_t>(arg)), dir);
        } else if (const auto* n = std::get_if<int64_t>(&arg)) {
            out += FormatNumber(*n, dir);
        } else {
            // A text given for a number: its leading integer.
            const std::string_view s = std::get<std::string_view>(arg);
            out += FormatNumber(std::strtoll(std::string(s).c_str(), nullptr, 10), dir);
        }
        i = dir.end;
    }
    return out;
}

}  // namespace pm
