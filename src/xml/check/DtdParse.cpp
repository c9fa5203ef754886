// The parse of the XML check: libxml2 with DTD validation, fenced in (see
// xml/XMLState.h). Built as the "pellmark-xmlcheck" module, so that the
// parser and the libraries it needs are loaded only when a check runs.
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
#include <mutex>
#include <optional>

#include "xml/XMLState.h"
#include "xml/check/DtdParseModule.h"

namespace pm {
namespace {

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

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

    // Only the first error counts; the parser is left to finish on its own.
    // Halting it from inside an error report is not safe: an error raised
    // while the input is being converted from its encoding (a byte the code
    // page lacks) comes from a caller that goes on using the input that
    // halting frees.
    void Record(FirstError e) {
        if (error) return;
        error = std::move(e);
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

void Parse(const std::string& bytes, const std::string& docPath, const std::string* forcedDtd, DtdParseResult& out) {
    CheckState state;
    state.docPath = docPath;
    if (forcedDtd) state.forcedDtd = *forcedDtd;
    {
        ParserHooks hooks(state);
        state.ctxt = xmlNewParserCtxt();
        if (!state.ctxt) return;
        out.started = true;
        state.ctxt->sax->externalSubset = ExternalSubset;
        xmlDocPtr doc = xmlCtxtReadMemory(state.ctxt, bytes.data(), static_cast<int>(bytes.size()), docPath.c_str(),
                                          nullptr, kParseOptions);
        if (!state.error && (!doc || !state.ctxt->wellFormed || !state.ctxt->valid))
            state.Record({XML_ERR_INTERNAL_ERROR, "The document is not valid", 1, 1, docPath});
        xmlFreeDoc(doc);
        xmlFreeParserCtxt(state.ctxt);
        state.ctxt = nullptr;
    }
    out.dtdPath = std::move(state.dtdPath);
    out.dtdBytes = std::move(state.dtdBytes);
    if (!state.error) return;
    out.failed = true;
    out.code = state.error->code;
    out.message = std::move(state.error->message);
    out.line = state.error->line;
    out.column = state.error->column;
    out.file = std::move(state.error->file);
}

}  // namespace
}  // namespace pm

extern "C" __attribute__((visibility("default"))) void pm_dtd_parse(const std::string* bytes,
                                                                    const std::string* docPath,
                                                                    const std::string* forcedDtd,
                                                                    pm::DtdParseResult* out) {
    pm::Parse(*bytes, *docPath, forcedDtd, *out);
}
