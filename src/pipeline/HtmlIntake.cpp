// Placeholder bodies until these stages are written.
#include "pipeline/Stages.h"

namespace pm {

LineList StageTokenise(const LineList& source, ConversionContext&) {
    LineList out;
    for (size_t i = 0; i < source.Count(); ++i) out.Append(source.Text(i), kMarkText);
    return out;
}

void StageDocumentFrame(ConversionContext& ctx) {
    ctx.lines.Insert(0, ctx.templates.Get("Header"), kMarkBlock);
    ctx.lines.Insert(1, ctx.templates.Get("TitleNoImage"), kMarkBlock);
    ctx.lines.Append(ctx.templates.Get("lEnd"), kMarkBlock);
}

void StageStripAllHtml(ConversionContext&) {}
void StageRemoveFormsScripts(ConversionContext&) {}
void StageRemoveImages(ConversionContext&) {}
void StageRemoveLinks(ConversionContext&) {}
void StageRemovePre(ConversionContext&) {}
void StageRemoveSpan(ConversionContext&) {}
void StageRemoveFont(ConversionContext&) {}
void StageRemoveStyles(ConversionContext&) {}
void StageXmlEntities(ConversionContext&) {}

}  // namespace pm
