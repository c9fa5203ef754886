// Stage 26: the user's HTML rule list over the finished document.
#include "pipeline/Stages.h"
#include "regexlists/RuleRun.h"

namespace pm {
namespace {

// Entries at every CR LF, CR or LF; a break at the very end leaves an
// empty last entry, so joining and splitting keeps the entry count.
void SplitInto(LineList& lines, std::string_view text) {
    lines.Clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.Append(std::string(text.substr(start, i - start)));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    lines.Append(std::string(text.substr(start)));
}

}  // namespace

void StageUserRegex(ConversionContext& ctx) {
    if (!ctx.rules || ctx.lines.Empty()) return;
    std::string text = ctx.lines.Join("\r\n");
    ApplyRuleList(*ctx.rules, RuleList::Html, ctx.texts, ctx.status, text);
    SplitInto(ctx.lines, text);
}

}  // namespace pm
