// The parameters an external tool is started with: its parameter text with
// the macros of the current book filled in.
#pragma once

#include <string>
#include <string_view>

#include "document/DocValues.h"

namespace pm {

// Replaces every "%shortitle%" (short title), "%longtitle%" (title),
// "%bookauthor%" (author), "%shortfilename%" (file name of the preview path)
// and "%fullfilename%" (the preview path). params and the document values
// are Windows-1251, previewPath a file-system path; the result is UTF-8,
// ready for the command line. Inserted texts are never expanded again.
std::string ToolParametersUtf8(std::string_view params, const DocValues& doc, const std::string& previewPath);

}  // namespace pm
