// Typewriter conventions to the typographic characters of the working code
// page: guillemets, en dashes and the ellipsis.
#include <string_view>

#include "common/TextTests.h"
#include "pipeline/ParagraphTags.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

constexpr char kOpenQuote = static_cast<char>(text::kLaquo);
constexpr char kCloseQuote = static_cast<char>(text::kRaquo);
constexpr char kDash = static_cast<char>(text::kEnDash);
constexpr char kDots = static_cast<char>(text::kEllipsis);

// A double quote after one of these opens, before one of these closes;
// opening is tried first.
constexpr std::string_view kOpensAfter = " -(;";
constexpr std::string_view kClosesBefore = " <&.,;:?!)-";

void ConvertQuotes(std::string& s) {
    for (size_t k = s.find('"', 1); k != std::string::npos; k = s.find('"', k + 1)) {
        if (kOpensAfter.find(s[k - 1]) != std::string_view::npos) s[k] = kOpenQuote;
        else if (k + 1 < s.size() && kClosesBefore.find(s[k + 1]) != std::string_view::npos) s[k] = kCloseQuote;
    }
    if (s.front() == '"' && s.size() > 1 && kClosesBefore.find(s[1]) != std::string_view::npos) s.front() = kCloseQuote;
    if (s.back() == '"') s.back() = kCloseQuote;
    if (s.front() == '"') s.front() = kOpenQuote;
}

void ConvertDashes(std::string& s, const std::string& dialogueStart) {
    for (size_t k = s.find("- "); k != std::string::npos; k = s.find("- ", k + 1)) s[k] = kDash;
    for (size_t k = s.find(" -"); k != std::string::npos; k = s.find(" -", k + 1)) s[k + 1] = kDash;
    // The space after a dialogue dash becomes non-breaking, so the dash is
    // never left alone at the end of a line.
    const size_t at = s.find(dialogueStart);
    if (at != std::string::npos) s.replace(at + dialogueStart.size() - 1, 1, "&nbsp;");
}

}  // namespace

void StageQuotes(ConversionContext& ctx) {
    LineList& l = ctx.lines;
    if (!ctx.settings.ConvertQuotes || l.Count() <= 6) return;
    for (size_t i = 6; i < l.Count(); ++i) {
        ctx.ReportProgress(i, l.Count());
        if (l.Mark(i) == kMarkComment || l.Mark(i) == kMarkTag || l.Text(i).empty()) continue;
        ConvertQuotes(l.MutableText(i));
    }
}

void StageDashes(ConversionContext& ctx) {
    LineList& l = ctx.lines;
    const std::string dialogueStart = ParagraphIndent(ctx.settings) + kDash + ' ';
    if (!ctx.settings.ConvertDashes) return;
    for (size_t i = 1; i < l.Count(); ++i) {
        ctx.ReportProgress(i, l.Count());
        if (l.Mark(i) != kMarkComment) ConvertDashes(l.MutableText(i), dialogueStart);
    }
}

void StageEllipses(ConversionContext& ctx) {
    LineList& l = ctx.lines;
    if (!ctx.settings.ConvertThreePoints || l.Count() <= 6) return;
    for (size_t i = 6; i < l.Count(); ++i) {
        ctx.ReportProgress(i, l.Count());
        if (l.Text(i).find("...") != std::string::npos)
            l.SetText(i, text::ReplaceAll(l.Text(i), "...", std::string_view(&kDots, 1)));
    }
}

}  // namespace pm
