// The XML check: every preview of an XML result is parsed with validation
// against the DTD its head names, and the first error is reported in the
// terms of the report window (code, reason, line, column, position in the
// file and the faulty line's text).
//
// The document is untrusted text, so the parser is fenced in: it never
// reaches the network, reads no external entity except the document's own
// DTD (a local regular file of bounded size, without external entities of
// its own), and keeps libxml2's bounds on entity expansion and nesting
// depth (no XML_PARSE_HUGE, entities are not substituted).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pm {

// The parse error as the report shows it. Texts are Windows-1251 and safe to
// show: no control characters, nothing outside the code page.
struct XmlParseError {
    int errorCode = 0;     // libxml2's error number
    std::string reason;    // what the parser says
    std::string srcText;   // the faulty line of the file the error is in
    int64_t line = 0;      // counted from 1
    int64_t linepos = 0;   // column, counted from 1
    int64_t filepos = 0;   // character position in that file, counted from 1
};

struct XmlCheckResult {
    enum class Status { Valid, Invalid, NotChecked };
    Status status = Status::NotChecked;
    XmlParseError error;  // Invalid: the first error
    std::string why;      // NotChecked: why the file was not read (UTF-8)
};

// The largest DTD the check reads.
inline constexpr int64_t kMaxDtdBytes = 1 << 20;

// Parses the file at path (a file name, UTF-8 on this system) with DTD
// validation.
XmlCheckResult CheckXmlPreview(const std::string& path);
// The same against the DTD file dtdPath, whatever DOCTYPE the document has
// or lacks (a saved book carries only the public references).
XmlCheckResult CheckXmlAgainstDtd(const std::string& path, const std::string& dtdPath);

// The report's seven lines, in the working code page: the heading, a rule,
// the code, the reason and the source text between guillemets, the position,
// a rule.
std::vector<std::string> XmlReportLines(const XmlParseError& error);

// Bytes of a document in its encoding ("windows-1251", "utf-8"; empty means
// UTF-8) as text of the working code page that is safe to show: a control
// character or one the code page lacks becomes "&#N;", a byte that is not
// valid in the encoding becomes "\xHH".
std::string SafeReportText(std::string_view bytes, std::string_view encoding);

}  // namespace pm
