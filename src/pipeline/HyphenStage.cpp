// The hyphenation stage: the text of every paragraph or division line goes
// through the soft-hyphen pass, or, for a real device font, through the
// device-fitted pass when it holds no inner markup. The document frame
// (entries 0 to 2 and the last one) and comment lines are left alone.
#include <optional>

#include "hyphen/FontTables.h"
#include "hyphen/Hyphenate.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

constexpr size_t kFirstContentLine = 3;

struct LineParts {
    std::string_view head, body, tail;
};

// Head: up to and including the ">" closing the first open tag; body: up to
// the close tag; tail: the rest. Nothing when the line has no such element
// or its element is not closed on the line.
std::optional<LineParts> SplitAt(std::string_view line, std::string_view open, std::string_view close) {
    const size_t start = line.find(open);
    if (start == std::string_view::npos) return std::nullopt;
    const size_t headEnd = line.find('>', start);
    if (headEnd == std::string_view::npos) return std::nullopt;
    const size_t tail = line.find(close, headEnd + 1);
    if (tail == std::string_view::npos) return std::nullopt;
    return LineParts{line.substr(0, headEnd + 1), line.substr(headEnd + 1, tail - headEnd - 1), line.substr(tail)};
}

std::optional<LineParts> SplitLine(std::string_view line) {
    if (line.find("<div") != std::string_view::npos) return SplitAt(line, "<div", "</div>");
    if (line.find("<p") != std::string_view::npos) return SplitAt(line, "<p", "</p>");
    return std::nullopt;
}

class Hyphenator {
public:
    explicit Hyphenator(const ConversionContext& ctx)
        : soft_(ctx.settings.HyphFont == kSoftHyphenFont),
          line_{ctx.font ? *ctx.font : builtin_, ctx.settings.HyphString} {}

    // The new body, or nothing when the line stays as it is.
    std::optional<std::string> Body(std::string_view body) const {
        if (body.empty()) return std::nullopt;
        if (soft_) return hyph::SoftHyphenate(body);
        if (body.find('<') != std::string_view::npos) return std::nullopt;
        return hyph::DeviceFit(body, line_);
    }

private:
    FontTable builtin_;
    bool soft_;
    hyph::DeviceLine line_;
};

}  // namespace

void StageHyphenate(ConversionContext& ctx) {
    if (!ctx.settings.Hyphenate) return;
    const Hyphenator hyphenator(ctx);
    LineList& lines = ctx.lines;
    for (size_t i = kFirstContentLine; i + 1 < lines.Count(); ++i) {
        ctx.ReportProgress(i, lines.Count());
        const std::string& text = lines.Text(i);
        if (text.find("<!--") != std::string::npos) continue;
        const std::optional<LineParts> parts = SplitLine(text);
        if (!parts) continue;
        std::optional<std::string> body = hyphenator.Body(parts->body);
        if (!body) continue;
        std::string joined;
        joined.reserve(parts->head.size() + body->size() + parts->tail.size());
        joined.append(parts->head).append(*body).append(parts->tail);
        lines.SetText(i, std::move(joined));
    }
}

}  // namespace pm
