// The "pellmark-xmlcheck" module: the validating parse of the XML check,
// loaded only when a check runs (common/Module.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pm {

// What the parse of a document found.
struct DtdParseResult {
    bool started = false;  // false: the parser could not start
    bool failed = false;   // the first error follows
    int code = 0;          // libxml2's error number
    std::string message;   // UTF-8
    int64_t line = 0, column = 0;
    std::string file;               // the file the error is in
    std::string dtdPath, dtdBytes;  // the DTD that was read, if any
};

}  // namespace pm

// Parses bytes (the document at docPath, a DOCTYPE put in when needed) with
// validation, reading forcedDtd (when given) in place of the DTD the
// document names.
using PmDtdParseFn = void (*)(const std::string* bytes, const std::string* docPath, const std::string* forcedDtd,
                              pm::DtdParseResult* out);
inline constexpr char kPmXmlCheckModule[] = "pellmark-xmlcheck";
inline constexpr char kPmDtdParse[] = "pm_dtd_parse";
