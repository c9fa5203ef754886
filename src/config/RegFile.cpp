#include "config/RegFile.h"
#include "common/Concat.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/AtomicFile.h"
#include "common/Cp1251.h"

namespace pm {
namespace {

// One change the file asks for; a file is parsed into a list of these and
// applied only when the whole file is sound.
struct RegOp {
    enum Kind { CreateKey, DeleteKey, SetValue, DeleteValue } kind = CreateKey;
    std::string path;
    ConfigValue value;  // name and data for SetValue / DeleteValue
};

struct ParseError {
    int line;
    std::string reason;
};

// How many keys deep a path below the hive may go.
constexpr std::ptrdiff_t kMaxKeyDepth = 512;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && cp1251::EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

class RegParser {
public:
    explicit RegParser(std::string_view text) : t_(text) {}

    std::vector<RegOp> Parse() {
        ReadHeader();
        while (!AtEnd()) ParseLine();
        return std::move(ops_);
    }

private:
    std::string_view t_;
    size_t i_ = 0;
    int line_ = 1;
    std::vector<RegOp> ops_;
    bool inSection_ = false;
    bool sectionDeleted_ = false;
    std::string section_;

    [[noreturn]] void Fail(std::string reason) const { throw ParseError{line_, std::move(reason)}; }
    [[noreturn]] void FailAt(int line, std::string reason) const { throw ParseError{line, std::move(reason)}; }

    bool AtEnd() const { return i_ >= t_.size(); }
    bool AtLineEnd() const { return AtEnd() || t_[i_] == '\n' || t_[i_] == '\r'; }
    char Peek() const { return AtEnd() ? '\0' : t_[i_]; }
    // A line ends at LF, CR LF or a lone CR (files from old editors).
    char Get() {
        const char c = t_[i_++];
        if (c == '\n' || (c == '\r' && Peek() != '\n')) ++line_;
        return c;
    }
    void SkipBlanks() {
        while (!AtEnd() && IsBlank(t_[i_])) ++i_;
    }
    // Consumes "\r\n", "\n" or a lone "\r".
    void EndLine() {
        if (Peek() == '\r') Get();
        if (Peek() == '\n') Get();
    }
    std::string_view RestOfLine() {
        const size_t start = i_;
        while (!AtLineEnd()) ++i_;
        return t_.substr(start, i_ - start);
    }
    void ExpectLineEnd() {
        SkipBlanks();
        if (!AtLineEnd()) Fail("unexpected text after the value");
        EndLine();
    }

    void ReadHeader() {
        if (t_.size() >= 2 && static_cast<unsigned char>(t_[0]) == 0xFF && static_cast<unsigned char>(t_[1]) == 0xFE)
            Fail("the file is in UTF-16 (a version 5 export); save it as REGEDIT4 text");
        if (t_.substr(0, 3) == "\xEF\xBB\xBF")
            Fail("the file is saved as UTF-8 with a byte order mark; save it as Windows-1251 text");
        std::string_view first = RestOfLine();
        while (!first.empty() && IsBlank(first.back())) first.remove_suffix(1);
        if (first != "REGEDIT4") {
            if (StartsWithNoCase(first, "Windows Registry Editor"))
                Fail("the file is a version 5 export; save it as REGEDIT4 text");
            Fail("the file does not start with REGEDIT4");
        }
        EndLine();
    }

    void ParseLine() {
        SkipBlanks();
        const char c = Peek();
        if (AtLineEnd()) return EndLine();
        if (c == ';') {
            RestOfLine();
            return EndLine();
        }
        if (c == '[') return ParseSection();
        if (c == '"' || c == '@') return ParseValue();
        Fail("the line is neither a [key] nor a \"value\"");
    }

    void ParseSection() {
        ++i_;  // '['
        std::string_view body = RestOfLine();
        const size_t close = body.rfind(']');
        if (close == std::string_view::npos) Fail("the key name has no closing ]");
        for (char c : body.substr(close + 1))
            if (!IsBlank(c)) Fail("unexpected text after the key name");
        body = body.substr(0, close);
        const bool del = !body.empty() && body.front() == '-';
        if (del) body.remove_prefix(1);
        std::string path = KeyPathOf(body);
        if (del && path.empty()) Fail("the whole hive cannot be deleted");
        ops_.push_back({del ? RegOp::DeleteKey : RegOp::CreateKey, path, {}});
        inSection_ = true;
        sectionDeleted_ = del;
        section_ = std::move(path);
        EndLine();
    }

    // "HKEY_CURRENT_USER\A\B" -> "A\B", refusing other hives and empty names.
    std::string KeyPathOf(std::string_view full) const {
        const size_t slash = full.find('\\');
        const std::string_view hive = full.substr(0, slash);
        std::string_view rest = slash == std::string_view::npos ? std::string_view() : full.substr(slash + 1);
        if (cp1251::EqualsNoCase(hive, kMachineHive))
            Fail("the machine-wide hive HKEY_LOCAL_MACHINE is read-only; only HKEY_CURRENT_USER can be imported");
        if (!cp1251::EqualsNoCase(hive, kUserHive))
            Fail(Concat({"unknown hive \"", hive, "\"; only HKEY_CURRENT_USER can be imported"}));
        while (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
        if (!rest.empty() && (rest.front() == '\\' || rest.find("\\\\") != std::string_view::npos))
            Fail("the key path has an empty key name");
        // The registry's own limit; a tree nested deeper than the stack
        // can walk would bring the program down when it is written or freed.
        if (!rest.empty() && std::count(rest.begin(), rest.end(), '\\') + 1 > kMaxKeyDepth)
            Fail("the key path is nested more than " + std::to_string(kMaxKeyDepth) + " keys deep");
        return std::string(rest);
    }

    // A double-quoted text; may run over several lines (the line breaks are
    // part of it). Only \\ and \" are escapes; any other backslash is kept.
    std::string ReadQuoted() {
        const int startLine = line_;
        ++i_;  // opening quote
        std::string out;
        while (true) {
            if (AtEnd()) FailAt(startLine, "the text has no closing double quote");
            const char c = Get();
            if (c == '"') return out;
            if (c == '\\' && (Peek() == '\\' || Peek() == '"')) {
                out.push_back(Get());
                continue;
            }
            out.push_back(c);
        }
    }

    void ParseValue() {
        if (!inSection_) Fail("a value comes before any [key] line");
        if (sectionDeleted_) Fail("a value is given under a key that is being deleted");
        RegOp op;
        op.path = section_;
        if (Peek() == '@') {
            ++i_;
        } else {
            op.value.name = ReadQuoted();
        }
        SkipBlanks();
        if (Peek() != '=') Fail("expected = after the value name");
        ++i_;
        SkipBlanks();
        ParseData(op);
        ops_.push_back(std::move(op));
    }

    void ParseData(RegOp& op) {
        op.kind = RegOp::SetValue;
        const std::string_view rest = t_.substr(i_);
        if (Peek() == '"') {
            op.value.type = ValueType::String;
            op.value.text = ReadQuoted();
        } else if (Peek() == '-') {
            ++i_;
            op.kind = RegOp::DeleteValue;
        } else if (StartsWithNoCase(rest, "dword:")) {
            i_ += 6;
            op.value.type = ValueType::DWord;
            op.value.number = ReadDWord();
        } else if (StartsWithNoCase(rest, "hex:")) {
            i_ += 4;
            op.value.type = ValueType::Binary;
            op.value.bytes = ReadHexBytes();
            return;  // the list consumed its line end
        } else if (StartsWithNoCase(rest, "hex(")) {
            Fail("typed hex(...) values are not supported; use a string, dword: or hex: value");
        } else {
            Fail("the value data is not a \"text\", dword:, hex: or -");
        }
        ExpectLineEnd();
    }

    int32_t ReadDWord() {
        uint32_t n = 0;
        int digits = 0;
        for (int d; (d = HexDigit(Peek())) >= 0; ++i_, ++digits) n = n * 16 + static_cast<uint32_t>(d);
        if (digits == 0) Fail("dword: needs hexadecimal digits");
        if (digits > 8) Fail("dword: has more than 8 hexadecimal digits");
        return static_cast<int32_t>(n);
    }

    // "de,ad,\" + line break + "  be,ef": bytes separated by commas, a
    // backslash at the end of a line continuing the list.
    std::vector<uint8_t> ReadHexBytes() {
        std::vector<uint8_t> out;
        while (true) {
            SkipBlanks();
            if (AtLineEnd()) break;
            if (Peek() == '\\') {
                ++i_;
                SkipBlanks();
                if (!AtLineEnd()) Fail("a backslash in hex: data must end its line");
                if (AtEnd()) Fail("hex: data continues past the end of the file");
                EndLine();
                continue;
            }
            const int hi = HexDigit(Peek());
            if (hi < 0) Fail("hex: data holds a character that is not a hexadecimal byte");
            ++i_;
            int value = hi;
            if (const int lo = HexDigit(Peek()); lo >= 0) {
                value = hi * 16 + lo;
                ++i_;
            }
            out.push_back(static_cast<uint8_t>(value));
            SkipBlanks();
            if (Peek() == ',') ++i_;
            else if (!AtLineEnd() && Peek() != '\\') Fail("hex: bytes must be separated by commas");
        }
        EndLine();
        return out;
    }
};

void Apply(ConfigTree& tree, const std::vector<RegOp>& ops) {
    for (const RegOp& op : ops) {
        switch (op.kind) {
            case RegOp::CreateKey: tree.CreateKey(op.path); break;
            case RegOp::DeleteKey: tree.DeleteKey(op.path); break;
            case RegOp::DeleteValue: tree.DeleteValue(op.path, op.value.name); break;
            case RegOp::SetValue:
                if (op.value.type == ValueType::String) tree.SetString(op.path, op.value.name, op.value.text);
                else if (op.value.type == ValueType::DWord) tree.SetDWord(op.path, op.value.name, op.value.number);
                else tree.SetBinary(op.path, op.value.name, op.value.bytes);
                break;
        }
    }
}

// ---- export

void AppendQuoted(std::string& out, std::string_view text) {
    out.push_back('"');
    for (char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
}

void AppendHex(std::string& out, const std::vector<uint8_t>& bytes) {
    static const char kDigits[] = "0123456789abcdef";
    out += "hex:";
    size_t lineStart = out.rfind('\n') + 1;  // npos + 1 == 0
    for (size_t k = 0; k < bytes.size(); ++k) {
        out.push_back(kDigits[bytes[k] >> 4]);
        out.push_back(kDigits[bytes[k] & 15]);
        if (k + 1 == bytes.size()) break;
        out.push_back(',');
        if (out.size() - lineStart > 75) {
            out += "\\\r\n  ";
            lineStart = out.size() - 2;
        }
    }
}

void AppendValue(std::string& out, const ConfigValue& v) {
    if (v.name.empty()) out.push_back('@');
    else AppendQuoted(out, v.name);
    out.push_back('=');
    if (v.type == ValueType::String) {
        AppendQuoted(out, v.text);
    } else if (v.type == ValueType::DWord) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "dword:%08x", static_cast<uint32_t>(v.number));
        out += buf;
    } else {
        AppendHex(out, v.bytes);
    }
    out += "\r\n";
}

void AppendKey(std::string& out, const ConfigTree& tree, const std::string& path, bool writeHeader) {
    const std::vector<ConfigValue> values = tree.Values(path);
    const std::vector<std::string> subKeys = tree.SubKeys(path);
    // A key with neither values nor sub-keys needs its own line to exist;
    // one with sub-keys only is implied by theirs.
    if (writeHeader && (!values.empty() || subKeys.empty())) {
        out += "[";
        out += kUserHive;
        if (!path.empty()) out += "\\" + path;
        out += "]\r\n";
        for (const ConfigValue& v : values) AppendValue(out, v);
        out += "\r\n";
    }
    for (const std::string& sub : subKeys)
        AppendKey(out, tree, path.empty() ? sub : path + "\\" + sub, true);
}

}  // namespace

bool ImportRegedit(ConfigTree& tree, std::string_view text, std::string* error) {
    if (tree.ReadOnly()) {
        if (error) *error = "the configuration is read-only";
        return false;
    }
    std::vector<RegOp> ops;
    try {
        ops = RegParser(text).Parse();
    } catch (const ParseError& e) {
        if (error) *error = "line " + std::to_string(e.line) + ": " + e.reason;
        return false;
    }
    Apply(tree, ops);
    return true;
}

std::string ExportRegedit(const ConfigTree& tree, std::string_view keyPath) {
    std::string out = "REGEDIT4\r\n\r\n";
    const std::optional<std::string> path = tree.StoredPath(keyPath);
    if (!path) return out;
    // The hive itself gets a section only when values sit directly in it.
    const bool header = !path->empty() || !tree.Values("").empty();
    AppendKey(out, tree, *path, header);
    return out;
}

bool ReadRegeditFile(const std::string& path, ConfigTree& tree, std::string* error) {
    std::string text, why;
    if (!ReadWholeFile(path, text, &why)) {
        if (error) *error = why + ".";
        return false;
    }
    ConfigTree fresh;
    if (!ImportRegedit(fresh, text, &why)) {
        if (error) *error = "The configuration file \"" + path + "\" could not be read (" + why + ").";
        return false;
    }
    fresh.MarkClean();
    fresh.SetReadOnly(true);
    tree = std::move(fresh);
    return true;
}

}  // namespace pm
