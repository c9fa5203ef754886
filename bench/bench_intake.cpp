// Loading speed: generates 10 MB and 20 MB books (Windows-1251, KOI8-R and
// UTF-8) as temporary files and loads each through TMain::FileLoader.
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/TMain.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "intake/CodePages.h"
#include "platform/ScriptedQuestions.h"

namespace {

// A Windows-1251 book of about the given size: Russian sentences in lines
// of fixed width, with blank lines between paragraphs.
std::string MakeBook(size_t bytes) {
    const std::string sentence =
        "\xD5\xEE\xE4\xE8\xEB\xE8 \xEC\xFB \xF1 \xEE\xF2\xF6\xEE\xEC \xED\xE0 \xF0\xE5\xEA\xF3 "
        "\xEA\xE0\xE6\xE4\xF3\xFE \xEE\xF1\xE5\xED\xFC, \xEA\xEE\xE3\xE4\xE0 \xEB\xE8\xF1\xF2\xFC\xFF "
        "\xF1\xF2\xE0\xED\xEE\xE2\xE8\xEB\xE8\xF1\xFC \xE6\xB8\xEB\xF2\xFB\xEC\xE8. ";
    std::string book;
    book.reserve(bytes + 256);
    size_t line = 0, lines = 0;
    while (book.size() < bytes) {
        for (char c : sentence) {
            book += c;
            if (++line >= 72 && c == ' ') {
                book += (++lines % 12 == 0) ? "\r\n\r\n" : "\r\n";
                line = 0;
            }
        }
    }
    return book;
}

// The KOI8-R form of a Windows-1251 text, by inverting the loader's table.
std::string ToKoi8(const std::string& text) {
    unsigned char inverse[256];
    for (int c = 0; c < 256; ++c) inverse[c] = static_cast<unsigned char>(c);
    for (int c = 0xA0; c < 256; ++c) {
        std::string one(1, static_cast<char>(c));
        pm::codepages::ConvertFromKoi8(one);
        if (static_cast<unsigned char>(one[0]) != c) inverse[static_cast<unsigned char>(one[0])] = static_cast<unsigned char>(c);
    }
    std::string out(text);
    for (char& ch : out) ch = static_cast<char>(inverse[static_cast<unsigned char>(ch)]);
    return out;
}

double LoadSeconds(pm::TMain& main, const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    const pm::LoadResult r = main.FileLoader(path);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (r.outcome != pm::LoadOutcome::Text) std::fprintf(stderr, "load of %s failed\n", path.c_str());
    return took.count();
}

}  // namespace

int main() {
    char tmpl[] = "/tmp/pm-bench-intake-XXXXXX";
    if (!::mkdtemp(tmpl)) return 1;
    const std::string dir = tmpl;
    pm::ConfigTree tree;
    pm::ScriptedQuestions questions;  // proceeds past the large-file question, converts
    pm::TMain main(tree, pm::MainUi{&questions}, ".");
    main.settings.AskAboutTitle = false;

    for (size_t mb : {10u, 20u}) {
        const std::string book = MakeBook(mb << 20);
        const struct {
            const char* name;
            std::string bytes;
        } forms[] = {{"cp1251", book}, {"koi8-r", ToKoi8(book)}, {"utf-8", pm::cp1251::ToUtf8(book)}};
        for (const auto& form : forms) {
            const std::string path = dir + "/book-" + form.name + ".txt";
            if (!pm::WriteFileAtomic(path, form.bytes)) return 1;
            const double s = LoadSeconds(main, path);
            std::printf("%2zu MB book, %-6s: %7.3f s, %8.1f MB/s\n", mb, form.name, s,
                        static_cast<double>(form.bytes.size()) / (1 << 20) / s);
        }
    }
    std::filesystem::remove_all(dir);
    return 0;
}
