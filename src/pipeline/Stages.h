// The conversion stages, in the order the driver runs them. Each works on
// ctx.lines in place; the tokeniser alone builds a new list from the source.
#pragma once

#include "pipeline/ConversionContext.h"

namespace pm {

LineList StageTokenise(const LineList& source, ConversionContext& ctx);  // 1
LineList StageTokeniseText(std::string_view text, ConversionContext& ctx);  // 1, on lines as LineList::FromText breaks them
void StageDocumentFrame(ConversionContext& ctx);        // 2
void StageStripAllHtml(ConversionContext& ctx);         // 3
void StageRemoveFormsScripts(ConversionContext& ctx);   // 4
void StageRemoveImages(ConversionContext& ctx);         // 5
void StageRemoveLinks(ConversionContext& ctx);          // 6
void StageRemovePre(ConversionContext& ctx);            // 7
void StageRemoveSpan(ConversionContext& ctx);           // 8
void StageRemoveFont(ConversionContext& ctx);           // 9
void StageRemoveStyles(ConversionContext& ctx);         // 10
void StageUnderscoreItalics(ConversionContext& ctx);    // 11
void StageBracketSuperscripts(ConversionContext& ctx);  // 12
void StageQuotes(ConversionContext& ctx);               // 13
void StageDetectHeaders(ConversionContext& ctx);        // 14
void StageDetectEpigraphs(ConversionContext& ctx);      // 15
void StageExistingParagraphs(ConversionContext& ctx);   // 16
void StageCreateParagraphs(ConversionContext& ctx);     // 17
void StageTidyUp(ConversionContext& ctx);               // 18
void StageDashes(ConversionContext& ctx);               // 19
void StageEllipses(ConversionContext& ctx);             // 20
void StageHeaderRules(ConversionContext& ctx);          // 21
void StageHyphenate(ConversionContext& ctx);            // 22
void StageTableOfContents(ConversionContext& ctx);      // 23
void StageDocumentComment(ConversionContext& ctx);      // 24
void StageXmlEntities(ConversionContext& ctx);          // 25
void StageUserRegex(ConversionContext& ctx);            // 26

}  // namespace pm
