// The generated book the conversion benchmarks share.
#pragma once

#include <string>

namespace pm::bench {

// A Russian-looking book in Windows-1251: fixed-width lines of about 70
// characters, indented paragraph starts, dialogue lines and chapter headers.
inline std::string MakeBook(size_t bytes) {
    static const char* words[] = {"\xEE\xED", "\xF1\xEA\xE0\xE7\xE0\xEB", "\xE4\xEE\xEC",
                                  "\xE2\xE5\xF7\xE5\xF0\xEE\xEC", "\xEF\xF0\xE8\xF8\xB8\xEB",
                                  "\xF2\xE8\xF5\xEE", "\"\xE4\xE0\"", "-", "\xF0\xE5\xEA\xE0...",
                                  "\xEF\xEE\xE4\xEE\xEA\xED\xEE\xEC"};
    std::string book;
    book.reserve(bytes + 200);
    size_t w = 0, line = 0;
    while (book.size() < bytes) {
        if (line % 400 == 0) book += "\r\n\xC3\xCB\xC0\xC2\xC0 " + std::to_string(line / 400 + 1) + "\r\n\r\n";
        std::string l = line % 7 == 0 ? "   " : (line % 11 == 0 ? "- " : "");
        while (l.size() < 68) {
            l += words[w++ % 10];
            l += ' ';
        }
        book += l + "\r\n";
        ++line;
    }
    return book;
}

}  // namespace pm::bench
