// Throughput of the hyphenation stage: 10 MB and 20 MB of paragraph lines
// in soft-hyphen mode and in device-fitted mode (built-in font). Linear
// passes make the 20 MB run take about twice as long as the 10 MB one.
#include <chrono>
#include <cstdio>
#include <string>

#include "support/TestContext.h"
#include "hyphen/FontTables.h"
#include "pipeline/ConversionContext.h"
#include "pipeline/Stages.h"
#include "platform/ScriptedQuestions.h"

namespace {

// Russian-looking paragraphs in Windows-1251, a few hundred characters each,
// with an occasional compound word and entity.
pm::LineList MakeParagraphs(size_t bytes) {
    static const char* words[] = {
        "\xEF\xF3\xF2\xE5\xF8\xE5\xF1\xF2\xE2\xE5\xED\xED\xE8\xEA\xE8",  // путешественники
        "\xEE\xF2\xEF\xF0\xE0\xE2\xE8\xEB\xE8\xF1\xFC",                  // отправились
        "\xF7\xE5\xF0\xE5\xE7", "\xEF\xE5\xF0\xE5\xE2\xE0\xEB,",         // через перевал,
        "\xEC\xED\xEE\xE3\xEE\xF7\xE8\xF1\xEB\xE5\xED\xED\xFB\xE5",      // многочисленные
        "\xE8", "\xF1\xE5\xE2\xE5\xF0\xEE-\xE7\xE0\xEF\xE0\xE4\xED\xFB\xE9",  // и северо-западный
        "&laquo;\xE4\xEE\xEC&raquo;", "information", "communication."};
    pm::LineList lines;
    lines.Append("<html><head>", pm::kMarkBlock);
    lines.Append("<title>t</title></head><body>", pm::kMarkBlock);
    lines.Append("<h1>t</h1>", pm::kMarkBlock);
    size_t total = 0, w = 0;
    while (total < bytes) {
        std::string p = "<div align=\"justify\">";
        for (int i = 0; i < 40; ++i) {
            p += words[w++ % 10];
            p += ' ';
        }
        p += "</div>";
        total += p.size();
        lines.Append(std::move(p), pm::kMarkBlock);
    }
    lines.Append("</body></html>", pm::kMarkBlock);
    return lines;
}

// One line holding a single paragraph of the given body.
pm::LineList OneParagraph(const std::string& body) {
    pm::LineList lines;
    for (int i = 0; i < 3; ++i) lines.Append("<html>", pm::kMarkBlock);
    lines.Append("<div>" + body + "</div>", pm::kMarkBlock);
    lines.Append("</html>", pm::kMarkBlock);
    return lines;
}

double Run(const pm::LineList& lines, const std::string& font) {
    pm::test::QuietContext b;
    b.settings.Hyphenate = true;
    b.settings.HyphFont = font;
    pm::FontTable table;
    pm::ConversionContext& ctx = b.ctx;
    ctx.font = &table;
    ctx.lines = lines;
    const auto start = std::chrono::steady_clock::now();
    pm::StageHyphenate(ctx);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
    for (size_t mb : {10, 20}) {
        const pm::LineList lines = MakeParagraphs(mb << 20);
        for (const char* font : {"totaly &shy;", "BrannVerdana 1.2 small"}) {
            const double s = Run(lines, font);
            std::printf("hyphenation %-24s %2zu MB: %6.3f s, %7.1f MB/s\n", font, mb, s,
                        static_cast<double>(mb) / s);
        }
    }
    // Worst cases: one 20 MB paragraph, one 20 MB word, 20 MB of "<" without ">".
    std::string paragraph;
    while (paragraph.size() < (20u << 20)) paragraph += "information communication &nbsp; sea-side ";
    const std::pair<const char*, std::string> cases[] = {
        {"one paragraph", paragraph},
        {"one word", std::string(20u << 20, 'x')},
        {"unclosed tags", std::string(20u << 20, '<')},
    };
    for (const auto& [name, body] : cases) {
        const pm::LineList lines = OneParagraph(body);
        for (const char* font : {"totaly &shy;", "BrannVerdana 1.2 small"}) {
            const double s = Run(lines, font);
            std::printf("%-14s %-24s 20 MB: %6.3f s, %7.1f MB/s\n", name, font, s, 20.0 / s);
        }
    }
    return 0;
}
