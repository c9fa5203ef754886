// Stage 26: the user's HTML rule list over the finished document.
#include <algorithm>

#include "common/LineBreaks.h"
#include "pipeline/Stages.h"
#include "regexlists/RuleRun.h"

namespace pm {
namespace {

// Appends the pieces of text between its CR LF, CR or LF breaks; a break
// at the very end leaves an empty last piece.
void AppendPieces(LineList& lines, std::string_view text) {
    const auto append = [&lines](std::string_view line) { lines.Append(std::string(line)); };
    append(text::ForEachLineBreak(text, append));
}

bool HasCheckedRule(const RegexRuleLists& rules, RuleList list) {
    const auto& items = rules.Items(list);
    return std::any_of(items.begin(), items.end(), [](const RuleListItem& item) { return item.checked; });
}

// The entries as joining them with CR LF and breaking them again would
// leave them: a break inside an entry starts a new one (the separator
// pairs its own CR with its own LF, so no break spans two entries), and
// every entry is plain text again.
void BreakEntries(LineList& lines) {
    LineList out;
    for (size_t i = 0; i < lines.Count(); ++i) {
        std::string& t = lines.MutableText(i);
        if (t.find('\r') == std::string::npos && t.find('\n') == std::string::npos) out.Append(std::move(t));
        else AppendPieces(out, t);
    }
    lines = std::move(out);
}

}  // namespace

void StageUserRegex(ConversionContext& ctx) {
    if (!ctx.rules || ctx.lines.Empty()) return;
    if (!HasCheckedRule(*ctx.rules, RuleList::Html)) return BreakEntries(ctx.lines);
    std::string text = ctx.lines.Join("\r\n");
    ApplyRuleList(*ctx.rules, RuleList::Html, ctx.texts, ctx.status, text);
    ctx.lines.Clear();
    AppendPieces(ctx.lines, text);
}

}  // namespace pm
