// The markup of a finished book (what the conversion writes, and what a
// loosely formatted HTML source leaves in it) as well-formed XHTML for the
// content documents of an EPUB: the Windows-1251 text becomes UTF-8 with
// every character reference resolved, tags are lower-cased and balanced,
// presentational attributes become classes of the book's style sheet, runs
// of nested <blockquote> (how epigraphs are pushed to the right) become one
// epigraph block, the reader's note links become EPUB footnotes, and what an
// e-book cannot hold (scripts, forms, links out of the book, pictures other
// than the cover) is dropped while its text stays.
#pragma once

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace pm::epub {

// A header of the converted text, for the navigation documents.
struct Heading {
    int level = 1;      // 1 to 6
    std::string id;     // its id in the content document
    std::string label;  // its text in UTF-8, without soft hyphens, spaces collapsed
};

struct XhtmlOptions {
    // Where a link of the text goes inside the book: gets the href as
    // written (Windows-1251) and returns the one to write, or "" to drop the
    // link and keep its text. Without it every link is dropped.
    std::function<std::string(std::string_view href)> resolveLink;
    // The picture that becomes the cover: its src as the text writes it and
    // its place inside the book. Any other picture is dropped.
    std::string coverSrc;
    std::string coverHref;
    // The ids already given in the same content document; new ones are
    // added. Without it the fragment is checked against itself only.
    std::set<std::string>* usedIds = nullptr;
};

struct XhtmlFragment {
    std::string xhtml;              // body content, UTF-8
    std::vector<std::string> ids;   // the ids it gives, in order
    std::vector<Heading> headings;  // its headers with text, in order
};

XhtmlFragment ToXhtml(std::string_view html, const XhtmlOptions& options = {});

// & < > and " as references, for text and attribute values in UTF-8.
std::string EscapeXml(std::string_view utf8);
// An anchor name (Windows-1251) as an XML id: letters, digits, "-", "_" and
// "." are kept, other bytes written as "_xx"; a name that does not start
// with a letter or "_" gets "id-" in front.
std::string XmlId(std::string_view name);

}  // namespace pm::epub
