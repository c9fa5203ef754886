#include "xml/XMLState.h"

#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/uri.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlerror.h>
#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <mutex>
#include <optional>

#include "common/AtomicFile.h"
#include "common/Cp1251.h"

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

// Characters of bytes[0, end) in the encoding.
int64_t CharactersBefore(std::string_view bytes, size_t end, std::string_view encoding) {
    end = std::min(end, bytes.size());
    if (!IsUtf8Name(encoding)) return static_cast<int64_t>(end);
    size_t from = bytes.starts_with("\xEF\xBB\xBF") ? std::min<size_t>(3, end) : 0;
    int64_t n = 0;
    for (size_t i = from; i < end; ++i) n += (static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80;
    return n;
}

// ---- the parse

// An error the check itself raises (a refused load), or the parser's first.
struct FirstError {
    int code = 0;
    std::string message;  // UTF-8
    int64_t line = 0, column = 0;
    std::string file;
};

struct CheckState {
    xmlParserCtxtPtr ctxt = nullptr;
    std::string docPath;
    std::optional<std::string> forcedDtd;  // read in place of the DTD the document names
    bool inExternalSubset = false;
    std::string systemId;  // the DTD as the DOCTYPE names it
    bool dtdRequested = false;
    std::string dtdPath, dtdBytes;
    std::optional<FirstError> error;

    void Record(FirstError e) {
        if (error) return;
        error = std::move(e);
        if (ctxt) xmlStopParser(ctxt);
    }
    // A load the check refuses, placed where the parser stands.
    void Refuse(int code, std::string message) {
        FirstError e;
        e.code = code;
        e.message = std::move(message);
        if (ctxt && ctxt->input) {
            e.line = ctxt->input->line;
            e.column = ctxt->input->col;
            if (ctxt->input->filename) e.file = ctxt->input->filename;
        }
        Record(std::move(e));
    }
};

thread_local CheckState* tCheck = nullptr;
// The loader libxml2 had before the check's own was installed; parses that
// are no check (none so far) keep using it.
xmlExternalEntityLoader gOtherLoader = nullptr;

void OnStructuredError(void*, xmlErrorPtr e) {
    CheckState* s = tCheck;
    if (!s || !e || e->level < XML_ERR_ERROR) return;  // warnings are not errors
    FirstError f;
    f.code = e->code;
    f.message = e->message ? e->message : "";
    while (!f.message.empty() && (f.message.back() == '\n' || f.message.back() == ' ')) f.message.pop_back();
    f.line = e->line;
    f.column = e->int2;
    if (e->file) f.file = e->file;
    s->Record(std::move(f));
}

// A URL the DTD may be read from as a local file: a path, or a file: URL.
// Empty for anything with another scheme.
std::string LocalPathOf(const std::string& url) {
    size_t i = 0;
    while (i < url.size() && (std::isalnum(static_cast<unsigned char>(url[i])) || url[i] == '+' || url[i] == '-' ||
                              url[i] == '.'))
        ++i;
    const bool hasScheme = i > 1 && i < url.size() && url[i] == ':' && std::isalpha(static_cast<unsigned char>(url[0]));
    if (!hasScheme) return url;
    std::string rest;
    if (LowerAscii(url.substr(0, i)) != "file") return {};
    rest = url.substr(i + 1);
    if (rest.starts_with("//localhost/")) rest = rest.substr(11);
    else if (rest.starts_with("///")) rest = rest.substr(2);
    else if (rest.starts_with("//")) return {};  // a file on another host
    char* plain = xmlURIUnescapeString(rest.c_str(), 0, nullptr);
    if (!plain) return {};
    std::string path = plain;
    xmlFree(plain);
    return path;
}

// Reads a regular file of at most kMaxDtdBytes. Empty why on success.
std::string ReadDtdFile(const std::string& path, std::string& bytes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::strerror(errno);
    if (!S_ISREG(st.st_mode)) return "it is not a regular file";
    if (st.st_size > kMaxDtdBytes) return "it is larger than " + std::to_string(kMaxDtdBytes) + " bytes";
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::strerror(errno);
    bytes.assign(static_cast<size_t>(kMaxDtdBytes) + 1, '\0');
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    if (got > static_cast<size_t>(kMaxDtdBytes)) return "it is larger than " + std::to_string(kMaxDtdBytes) + " bytes";
    bytes.resize(got);
    return {};
}

// Every external load of a check passes here: the document's own DTD is
// read from a local file, everything else is refused.
xmlParserInputPtr LoadExternal(const char* url, const char* id, xmlParserCtxtPtr ctxt) {
    CheckState* s = tCheck;
    if (!s) return gOtherLoader ? gOtherLoader(url, id, ctxt) : nullptr;
    if (!ctxt) return nullptr;
    std::string address = url ? url : "";
    if (address.empty() && s->inExternalSubset && !s->systemId.empty()) {
        // The parser makes no URL of a path with spaces; such a path is
        // taken as written, beside the document when relative.
        address = s->systemId;
        if (address[0] != '/' && LocalPathOf(address) == address) {
            const size_t slash = s->docPath.rfind('/');
            if (slash != std::string::npos) address = s->docPath.substr(0, slash + 1) + address;
        }
    }
    if (!s->inExternalSubset || s->dtdRequested) {
        s->Refuse(XML_IO_LOAD_ERROR,
                  "The external entity \"" + address + "\" was not read: the check reads the document's own DTD only");
        return nullptr;
    }
    s->dtdRequested = true;
    const std::string path = s->forcedDtd ? *s->forcedDtd : LocalPathOf(address);
    if (path.empty()) {
        s->Refuse(XML_IO_NETWORK_ATTEMPT,
                  "The DTD \"" + address + "\" is not a local file: the check reads nothing from the network");
        return nullptr;
    }
    std::string bytes;
    if (const std::string why = ReadDtdFile(path, bytes); !why.empty()) {
        s->Refuse(XML_IO_LOAD_ERROR, "The DTD \"" + path + "\" could not be read: " + why);
        return nullptr;
    }
    s->dtdPath = path;
    s->dtdBytes = std::move(bytes);
    xmlParserInputBufferPtr buffer = xmlParserInputBufferCreateMem(s->dtdBytes.data(),
                                                                   static_cast<int>(s->dtdBytes.size()),
                                                                   XML_CHAR_ENCODING_NONE);
    if (!buffer) return nullptr;
    xmlParserInputPtr input = xmlNewIOInputStream(ctxt, buffer, XML_CHAR_ENCODING_NONE);
    if (!input) {
        xmlFreeParserInputBuffer(buffer);
        return nullptr;
    }
    input->filename = reinterpret_cast<char*>(xmlStrdup(reinterpret_cast<const xmlChar*>(path.c_str())));
    return input;
}

// The DTD named by the DOCTYPE is loaded from inside this callback; the
// loader lets exactly that one load through.
void ExternalSubset(void* ctx, const xmlChar* name, const xmlChar* externalId, const xmlChar* systemId) {
    CheckState* s = tCheck;
    if (s) {
        s->inExternalSubset = true;
        s->systemId = systemId ? reinterpret_cast<const char*>(systemId) : "";
    }
    xmlSAX2ExternalSubset(ctx, name, externalId, systemId);
    if (s) s->inExternalSubset = false;
}

// The hooks of libxml2 for one check. The entity loader is process-wide: it
// is installed once and tells the checks (of any thread) by their state;
// the error handler is the thread's own and is put back afterwards.
class ParserHooks {
public:
    explicit ParserHooks(CheckState& s) {
        static std::once_flag once;
        std::call_once(once, [] {
            xmlInitParser();
            gOtherLoader = xmlGetExternalEntityLoader();
            xmlSetExternalEntityLoader(LoadExternal);
        });
        errorContext_ = xmlStructuredErrorContext;
        errorFunc_ = xmlStructuredError;
        xmlSetStructuredErrorFunc(nullptr, OnStructuredError);
        tCheck = &s;
    }
    ~ParserHooks() {
        tCheck = nullptr;
        xmlSetStructuredErrorFunc(errorContext_, errorFunc_);
    }
    ParserHooks(const ParserHooks&) = delete;
    ParserHooks& operator=(const ParserHooks&) = delete;

private:
    void* errorContext_;
    xmlStructuredErrorFunc errorFunc_;
};

// Validation with DTD loading; no network, no entity substitution, no
// lifting of the parser's size and depth limits.
constexpr int kParseOptions = XML_PARSE_DTDLOAD | XML_PARSE_DTDVALID | XML_PARSE_NONET;

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

    CheckState state;
    state.docPath = path;
    state.forcedDtd = std::move(forcedDtd);
    xmlDocPtr doc = nullptr;
    {
        ParserHooks hooks(state);
        state.ctxt = xmlNewParserCtxt();
        if (!state.ctxt) {
            result.why = "the XML parser could not start";
            return result;
        }
        state.ctxt->sax->externalSubset = ExternalSubset;
        doc = xmlCtxtReadMemory(state.ctxt, parsed.data(), static_cast<int>(parsed.size()), path.c_str(), nullptr,
                                kParseOptions);
        if (!state.error && (!doc || !state.ctxt->wellFormed || !state.ctxt->valid))
            state.Record({XML_ERR_INTERNAL_ERROR, "The document is not valid", 1, 1, path});
        xmlFreeDoc(doc);
        xmlFreeParserCtxt(state.ctxt);
        state.ctxt = nullptr;
    }
    if (!state.error) {
        result.status = XmlCheckResult::Status::Valid;
        return result;
    }

    FirstError& f = *state.error;
    const bool inDtd = !state.dtdPath.empty() && f.file == state.dtdPath;
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
    const std::string& bytes = inDtd ? state.dtdBytes : original;
    const std::string encoding = DeclaredEncoding(bytes);
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
