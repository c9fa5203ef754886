#include "pipeline/Driver.h"

#include <array>

#include "pipeline/Stages.h"

namespace pm {
namespace {

bool Always(const ConversionContext&) { return true; }
bool HtmlKept(const ConversionContext& c) { return !c.settings.RemoveAllHtml; }
bool HtmlStripped(const ConversionContext& c) { return c.settings.RemoveAllHtml; }

#define PM_WHEN_HTML_KEPT_AND(field) \
    [](const ConversionContext& c) { return !c.settings.RemoveAllHtml && c.settings.field; }
#define PM_WHEN(field) [](const ConversionContext& c) { return static_cast<bool>(c.settings.field); }

const std::array<StageInfo, 26> kStages = {{
    {1, "SimplyfyHTML", Always, nullptr},
    {2, "AddingNewHeader", Always, StageDocumentFrame},
    {3, "", HtmlStripped, StageStripAllHtml},
    {4, "RemovingFormsAndScripts", HtmlKept, StageRemoveFormsScripts},
    {5, "RemovingImages", PM_WHEN_HTML_KEPT_AND(KillGraph), StageRemoveImages},
    {6, "RemovingLinks", PM_WHEN_HTML_KEPT_AND(KillLinks), StageRemoveLinks},
    {7, "RemovingPre", PM_WHEN_HTML_KEPT_AND(KillPreTags), StageRemovePre},
    {8, "RemovingSpan", PM_WHEN_HTML_KEPT_AND(KillSpanTags), StageRemoveSpan},
    {9, "RemovingFont", PM_WHEN_HTML_KEPT_AND(KillFontTags), StageRemoveFont},
    {10, "RemovingStylesheets", PM_WHEN_HTML_KEPT_AND(KillStylesAndClasses), StageRemoveStyles},
    {11, "DetectingItalic", PM_WHEN(UnderscoreToItalic), StageUnderscoreItalics},
    {12, "DetectingUpperText", PM_WHEN(ConvertBrackets), StageBracketSuperscripts},
    {13, "SearchingForQuotes", PM_WHEN(ConvertQuotes), StageQuotes},
    {14, "DetectingHeaders", PM_WHEN(DetectHeaders), StageDetectHeaders},
    {15, "DetectingEpigraphs", PM_WHEN(DetectEpigraphs), StageDetectEpigraphs},
    {16, "DetectingParagraphs", HtmlKept, StageExistingParagraphs},
    {17, "CreatingParagraphs", Always, StageCreateParagraphs},
    {18, "RemovingUnneededText", Always, StageTidyUp},
    {19, "SearchingForLines", PM_WHEN(ConvertDashes), StageDashes, true},
    {20, "SearchingForPoints", PM_WHEN(ConvertThreePoints), StageEllipses, true},
    {21, "InsertingHR", PM_WHEN(InsertHr), StageHeaderRules},
    {22, "InsertingHyphenation", PM_WHEN(Hyphenate), StageHyphenate},
    {23, "CreatingTOC", Always, StageTableOfContents},
    {24, "", [](const ConversionContext& c) { return !c.doc.comment.empty(); }, StageDocumentComment},
    {25, "", [](const ConversionContext& c) { return c.xmlDescriptionLoaded; }, StageXmlEntities},
    {26, "", Always, StageUserRegex},
}};

#undef PM_WHEN
#undef PM_WHEN_HTML_KEPT_AND

}  // namespace

const StageInfo* StageTable(size_t& count) {
    count = kStages.size();
    return kStages.data();
}

bool PipelineDriver::Convert(LineList source, ConversionContext& ctx) {
    if (!Begin(ctx)) return false;
    ctx.lines = lastStage_ < 1 ? std::move(source) : StageTokenise(source, ctx);
    source = LineList();
    return RunStages(ctx);
}

bool PipelineDriver::Convert(std::string_view sourceText, ConversionContext& ctx) {
    if (!Begin(ctx)) return false;
    ctx.lines = lastStage_ < 1 ? LineList::FromText(sourceText) : StageTokeniseText(sourceText, ctx);
    return RunStages(ctx);
}

// False while the result is up to date; otherwise the conversion starts,
// the first stage's status shown when it runs.
bool PipelineDriver::Begin(ConversionContext& ctx) {
    if (upToDate_) return false;
    ctx.status.Busy(true);
    ctx.longTagWarned = false;
    ctx.cancelled = false;
    if (lastStage_ >= 1) ctx.BeginStage(std::string(kStages[0].processKey));
    return true;
}

// The stages after the first, on ctx.lines.
bool PipelineDriver::RunStages(ConversionContext& ctx) {
    for (size_t k = 1; lastStage_ >= 1 && k < kStages.size() && kStages[k].number <= lastStage_; ++k) {
        const StageInfo& st = kStages[k];
        const bool runs = st.runs(ctx);
        if (!runs && !st.announceWhenSkipped) continue;
        if (!st.processKey.empty()) ctx.BeginStage(std::string(st.processKey));
        if (runs) st.run(ctx);
        ctx.lines.ShrinkToFit();
        if (ctx.cancelled) {
            ctx.status.Busy(false);
            ctx.status.Status(ctx.texts.Proc("Ready"));
            return false;
        }
    }
    ctx.status.Busy(false);
    upToDate_ = true;
    ctx.status.Status(ctx.texts.Proc("Ready"));
    return true;
}

}  // namespace pm
