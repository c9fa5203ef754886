// The reader's bookmark block and position comment: whatever a book holds,
// reading it is safe, and what the reader writes back reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "reader/BookMarkers.h"

using namespace pm::reader;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view book(reinterpret_cast<const char*>(data), size);
    // A scroll offset and page height of some sort for a book without a position.
    const auto height = static_cast<int>(size * 977);
    const auto scroll = static_cast<int>(book.empty() ? 0 : static_cast<uint8_t>(book.back()) * size);

    ProducedByPellmark(book);
    DeclaresUtf8(book);
    const std::string head = HeadText(book), tail = TailText(book);
    const std::vector<Bookmark> marks = ReadBookmarks(book);
    const StoredPosition stored = ReadPosition(book);
    const int32_t position = stored.value.value_or(RelativePosition(scroll, height));
    PixelsOf(position, height);

    // The body as the view gives it back: the book's own, closing tag included.
    const std::string body = "<body>" + std::string(book) + "</body>";
    if (!ComposeBook(head, body, marks, position, tail)) std::abort();

    // A saved block over a plain page reads back as written, comment marks
    // in the names made harmless.
    std::vector<Bookmark> written = marks;
    for (Bookmark& b : written) b.name = CommentSafeName(b.name);
    const std::optional<std::string> saved = ComposeBook("<html>", "<body>text</body>", marks, position, "</html>");
    if (!saved || ReadBookmarks(*saved) != written || ReadPosition(*saved).value != position) std::abort();
    return 0;
}
