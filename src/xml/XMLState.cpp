#include "xml/XMLState.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <mutex>
#include <optional>

#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "common/Module.h"
#include "xml/check/DtdParseModule.h"

namespace pm {
namespace {

constexpr std::string_view kRule = "=========================================";  // 41

// ---- reading the file the error is in

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool IsUtf8Name(std::string_view enc) {
    const std::string e = LowerAscii(enc);
    return e.empty() || e == "utf-8" || e == "utf8";
}

bool IsCp1251Name(std::string_view enc) {
    const std::string e = LowerAscii(enc);
    return e == "windows-1251" || e == "cp1251" || e == "x-cp1251";
}

// The encoding an XML or text declaration at the start of bytes names, or "".
std::string DeclaredEncoding(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return "utf-8";
    if (!bytes.starts_with("<?xml")) return {};
    const size_t end = bytes.find("?>");
    const std::string_view decl = bytes.substr(0, end);
    const size_t at = decl.find("encoding");
    if (at == std::string_view::npos) return {};
    const size_t q = decl.find_first_of("\"'", at);
    if (q == std::string_view::npos) return {};
    const size_t close = decl.find(decl[q], q + 1);
    if (close == std::string_view::npos) return {};
    return std::string(decl.substr(q + 1, close - q - 1));
}

struct LineSpan {
    size_t start = 0, length = 0;
    bool found = false;
};

// Line n (from 1) of bytes; CR LF, LF and a lone CR end a line, as they do
// for the parser.
LineSpan FindLine(std::string_view bytes, int64_t n) {
    LineSpan span;
    if (n < 1) return span;
    size_t pos = 0;
    for (int64_t line = 1; line < n; ++line) {
        const size_t brk = bytes.find_first_of("\r\n", pos);
        if (brk == std::string_view::npos) return span;
        pos = brk + 1;
        if (bytes[brk] == '\r' && pos < bytes.size() && bytes[pos] == '\n') ++pos;
    }
    const size_t brk = bytes.find_first_of("\r\n", pos);
    span.start = pos;
    span.length = (brk == std::string_view::npos ? bytes.size() : brk) - pos;
    span.found = true;
    return span;
}

// The line and column (from 1) of the byte at offset at, line breaks
// counted as FindLine counts them. For single-byte text only.
void PlaceOfByte(std::string_view bytes, size_t at, int64_t& line, int64_t& column) {
    line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < at; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        if (bytes[i] == '\r' && i + 1 < at && bytes[i + 1] == '\n') ++i;
        ++line;
        lineStart = i + 1;
    }
    column = static_cast<int64_t>(at - lineStart) + 1;
}

// Characters of bytes[0, end) in the encoding.
int64_t CharactersBefore(std::string_view bytes, size_t end, std::string_view encoding) {
    end = std::min(end, bytes.size());
    if (!IsUtf8Name(encoding)) return static_cast<int64_t>(end);
    size_t from = bytes.starts_with("\xEF\xBB\xBF") ? std::min<size_t>(3, end) : 0;
    int64_t n = 0;
    for (size_t i = from; i < end; ++i) n += (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80;
    return n;
}

// Where a DOCTYPE naming the chosen DTD goes into a document without one:
// after the XML declaration. Empty when the document has a DOCTYPE.
struct Injection {
    size_t at = 0;
    std::string text;
};

bool IsNameStart(unsigned char c) { return std::isalpha(c) || c == '_' || c == ':' || c >= 0x80; }

std::optional<Injection> DoctypeFor(std::string_view doc) {
    size_t p = doc.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    std::optional<size_t> afterDecl;
    for (;;) {
        while (p < doc.size() && std::isspace(static_cast<unsigned char>(doc[p]))) ++p;
        if (doc.substr(p).starts_with("<?")) {
            const size_t end = doc.find("?>", p);
            if (end == std::string_view::npos) return std::nullopt;
            if (doc.substr(p).starts_with("<?xml") && !afterDecl) afterDecl = end + 2;
            p = end + 2;
        } else if (doc.substr(p).starts_with("<!--")) {
            const size_t end = doc.find("-->", p);
            if (end == std::string_view::npos) return std::nullopt;
            p = end + 3;
        } else {
            break;
        }
    }
    if (doc.substr(p).starts_with("<!DOCTYPE")) return Injection{};
    if (p + 1 >= doc.size() || doc[p] != '<' || !IsNameStart(static_cast<unsigned char>(doc[p + 1]))) return std::nullopt;
    size_t e = p + 1;
    while (e < doc.size() && !std::isspace(static_cast<unsigned char>(doc[e])) && doc[e] != '>' && doc[e] != '/') ++e;
    Injection in;
    in.at = afterDecl.value_or(0);
    in.text = "<!DOCTYPE " + std::string(doc.substr(p + 1, e - p - 1)) + " SYSTEM \"pellmark-check.dtd\">";
    return in;
}

XmlCheckResult Check(const std::string& path, std::optional<std::string> forcedDtd) {
    XmlCheckResult result;
    std::string original;
    std::string why;
    if (!ReadWholeFile(path, original, &why)) {
        result.why = why;
        return result;
    }
    if (original.size() > static_cast<size_t>(std::numeric_limits<int>::max())) {
        result.why = "the file is too large to check";
        return result;
    }
    Injection injection;
    if (forcedDtd)
        if (std::optional<Injection> in = DoctypeFor(original)) injection = *in;
    std::string withDoctype;
    if (!injection.text.empty()) withDoctype = std::string(original).insert(injection.at, injection.text);
    const std::string& parsed = injection.text.empty() ? original : withDoctype;

    const auto parse = ModuleFunction<PmDtdParseFn>(kPmXmlCheckModule, kPmDtdParse, &why);
    if (!parse) {
        result.why = "the XML parser cannot be loaded: " + why;
        return result;
    }
    DtdParseResult f;
    parse(&parsed, &path, forcedDtd ? &*forcedDtd : nullptr, &f);
    if (!f.started) {
        result.why = "the XML parser could not start";
        return result;
    }
    if (!f.failed) {
        result.status = XmlCheckResult::Status::Valid;
        return result;
    }

    const bool inDtd = !f.dtdPath.empty() && f.file == f.dtdPath;
    if (!inDtd && !injection.text.empty()) {
        // Positions as in the file, without the DOCTYPE put in for the check.
        const LineSpan line = FindLine(parsed, f.line);
        const int64_t at = static_cast<int64_t>(injection.at);
        const int64_t lineStart = static_cast<int64_t>(line.start);
        const int64_t len = static_cast<int64_t>(injection.text.size());
        if (line.found && at >= lineStart && at <= lineStart + static_cast<int64_t>(line.length)) {
            const int64_t col0 = at - lineStart;  // characters before the insertion on that line
            if (f.column > col0 + len) f.column -= len;
            else if (f.column > col0) f.column = col0 + 1;
        }
    }
    const std::string& bytes = inDtd ? f.dtdBytes : original;
    const std::string encoding = DeclaredEncoding(bytes);
    if (f.line < 1 && !inDtd && IsCp1251Name(encoding)) {
        // A failed conversion from the encoding comes without a place: it is
        // the first byte that Windows-1251 leaves undefined.
        if (const size_t at = bytes.find('\x98'); at != std::string::npos) PlaceOfByte(bytes, at, f.line, f.column);
    }
    const LineSpan line = FindLine(bytes, f.line);

    XmlParseError& e = result.error;
    e.errorCode = f.code;
    e.reason = SafeReportText(f.message, "utf-8");
    e.line = f.line;
    e.linepos = f.column;
    if (line.found) {
        e.srcText = SafeReportText(std::string_view(bytes).substr(line.start, line.length), encoding);
        e.filepos = CharactersBefore(bytes, line.start, encoding) + std::max<int64_t>(f.column, 1);
    }
    result.status = XmlCheckResult::Status::Invalid;
    return result;
}

// ---- safe text

void AppendReference(std::string& out, char32_t cp) { out += "&#" + std::to_string(static_cast<uint32_t>(cp)) + ";"; }

void AppendHexByte(std::string& out, unsigned char b) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[b >> 4];
    out += kHex[b & 15];
}

bool IsControl(char32_t cp) { return (cp < 0x20 && cp != '\t') || (cp >= 0x7F && cp <= 0x9F); }

void AppendCodePoint(std::string& out, char32_t cp) {
    const int b = IsControl(cp) ? -1 : cp1251::FromUnicode(cp);
    if (b >= 0) out += static_cast<char>(b);
    else AppendReference(out, cp);
}

// Length of the UTF-8 sequence at s[i] and its code point; 0 when malformed.
size_t DecodeUtf8At(std::string_view s, size_t i, char32_t& cp) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t len = 0;
    if (c < 0x80) {
        cp = c;
        return 1;
    }
    if ((c & 0xE0) == 0xC0) len = 2, cp = c & 0x1F;
    else if ((c & 0xF0) == 0xE0) len = 3, cp = c & 0x0F;
    else if ((c & 0xF8) == 0xF0) len = 4, cp = c & 0x07;
    else return 0;
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const unsigned char t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (t & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

}  // namespace

std::string SafeReportText(std::string_view bytes, std::string_view encoding) {
    std::string out;
    out.reserve(bytes.size());
    if (IsCp1251Name(encoding)) {
        for (char c : bytes) AppendCodePoint(out, cp1251::ToUnicode(static_cast<unsigned char>(c)));
        return out;
    }
    const bool utf8 = IsUtf8Name(encoding);
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (!utf8) {
            // Another single-byte or unknown encoding: ASCII as it is.
            if (c < 0x80) AppendCodePoint(out, c);
            else AppendHexByte(out, c);
            ++i;
            continue;
        }
        char32_t cp = 0;
        const size_t len = DecodeUtf8At(bytes, i, cp);
        if (len == 0) {
            AppendHexByte(out, c);
            ++i;
            continue;
        }
        if (cp != 0xFEFF || i != 0) AppendCodePoint(out, cp);
        i += len;
    }
    return out;
}

XmlCheckResult CheckXmlPreview(const std::string& path) { return Check(path, std::nullopt); }

XmlCheckResult CheckXmlAgainstDtd(const std::string& path, const std::string& dtdPath) { return Check(path, dtdPath); }

std::vector<std::string> XmlReportLines(const XmlParseError& e) {
    const std::string open(1, static_cast<char>(171)), close(1, static_cast<char>(187));
    return {
        "Folowing error found while checking XML:",
        std::string(kRule),
        "Error ID:" + std::to_string(e.errorCode),
        "Error description:" + open + e.reason + close,
        "Error position: String=" + std::to_string(e.line) + ", Position=" + std::to_string(e.linepos) +
            ", position in file=" + std::to_string(e.filepos) + ";",
        "Error in text:" + open + e.srcText + close,
        std::string(kRule),
    };
}

}  // namespace pm
