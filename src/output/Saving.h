// Building the texts that document output writes: the document with its
// footer, the plain-text form, and the small file-name rules of the save
// commands.
#pragma once

#include <string>
#include <string_view>

#include "config/Settings.h"
#include "document/Templates.h"
#include "document/LineList.h"

namespace pm {

// XmlStandalone and XmlWithStyleSheet: the document of XML description mode
// with its public references ("Save as standalone XML", "Save as XML wint
// xsl link").
enum class SaveFormat { Html, PlainText, XmlStandalone, XmlWithStyleSheet, Epub };

// The dialog filters of the save commands.
// The third filter saves an EPUB book (src/epub).
inline constexpr std::string_view kResultFilter =
    "Save as HTML document|*.html;*.htm|Save as plain text|*.txt|EPUB book|*.epub";
inline constexpr std::string_view kXmlResultFilter = "Save as XML wint xsl link|*.xml|Save as standalone XML|*.xml";
inline constexpr std::string_view kSaveAndReadFilter = "Save as HTML document|*.html;*.htm";
inline constexpr std::string_view kEpubFilter = "EPUB book|*.epub";
inline constexpr std::string_view kSourceFilter =
    "Save file with TXT extention|*.txt|Save file with HTML  extention|*.htm;*html|Enter extention manualy|*.*";
// Shown when the preview file cannot be written.
inline constexpr std::string_view kPreviewWriteFailed = "Status:Error creating file, skipped. Now ready";
// The same with the file and the reason: kPreviewWriteFailed + " (" + why + ")".
inline std::string PreviewWriteFailed(const std::string& why) {
    return std::string(kPreviewWriteFailed) + " (" + why + ")";
}

// The entries joined with CR LF, the footer text inserted (not in XML
// output mode).
std::string DocumentWithFooter(const LineList& result, const Settings& settings, const Templates& templates);

// What a browser shows of the finished document, then LF CR and the
// plain-text credit, then (with "Hyphenate" on) LF CR and the hyphenation
// line. It takes the result itself, not the page with its HTML footer: the
// text carries the plain-text credit and note instead, once each.
std::string PlainTextDocument(const LineList& result, const Settings& settings, const Templates& templates);

// Saving in XML description mode: the first occurrence of the local
// references is replaced by the public ones, and the carriage return that
// ends the line goes with it (the first line then ends with a bare line
// feed). Without local references, or when they are not found, the text
// stays as it is; a character other than a carriage return is never dropped.
std::string SwapXmlReferences(std::string text, std::string_view local, std::string_view publicRefs);

// path with ext appended when its file name has no extension.
std::string WithDefaultExtension(const std::string& path, std::string_view ext);
// The name a save dialog proposes for the result of source: the source's
// name with ext instead of its own extension, beside the source, or the
// bare name when the dialog starts in a folder of its own. Never the source
// itself: "page.html" gives "page.html.html". "" without a source.
std::string ProposedSaveName(const std::string& source, std::string_view ext, bool bare);
// The folder part of a path ("" for a bare name), without a trailing slash.
std::string FolderOf(const std::string& path);

}  // namespace pm
