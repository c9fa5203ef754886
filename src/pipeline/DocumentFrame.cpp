// Stage 2: the source's own head and tail give way to the document frame.
#include "common/Format.h"
#include "pipeline/Stages.h"

namespace pm {
namespace {

// In XML description mode the head is the local DTD and style-sheet
// references, and the title entry carries the book description.
std::string HeadEntry(const ConversionContext& ctx) {
    if (ctx.xmlDescriptionLoaded) return ctx.xmlReferences;
    const std::string& header = ctx.templates.Get("Header");
    if (ctx.templates.XmlOutputMode())
        return FormatTemplate(header, {ctx.doc.firstName, ctx.doc.middleName, ctx.doc.lastName});
    return FormatTemplate(header, {ctx.doc.author});
}

std::string TitleEntry(const ConversionContext& ctx) {
    if (ctx.xmlDescriptionLoaded) return FormatTemplate(ctx.templates.Get("TitleNoImage"), {ctx.doc.bookDescription});
    if (!ctx.doc.coverImage.empty())
        return FormatTemplate(ctx.templates.Get("TitleImage"), {ctx.doc.shortTitle, ctx.doc.coverImage});
    return FormatTemplate(ctx.templates.Get("TitleNoImage"), {ctx.doc.shortTitle});
}

// Everything up to and including the source's body tag goes.
void DropSourceHead(LineList& lines) {
    const size_t n = lines.Count();
    for (size_t i = 0; i + 2 < n; ++i) {
        if (lines.Text(i).find("<body") == std::string::npos) continue;
        for (size_t k = 0; k <= i; ++k) lines.Delete(0);
        return;
    }
}

// The source's last "</body>" and everything after it go.
void DropSourceTail(LineList& lines) {
    for (size_t i = lines.Count(); i-- > 4;) {
        if (lines.Text(i) != "</body>") continue;
        while (lines.Count() > i) lines.Delete(lines.Count() - 1);
        return;
    }
}

}  // namespace

void StageDocumentFrame(ConversionContext& ctx) {
    DropSourceHead(ctx.lines);
    ctx.lines.Insert(0, TitleEntry(ctx), kMarkBlock);
    ctx.lines.Insert(0, HeadEntry(ctx), kMarkBlock);
    ctx.BeginStage("AddingCorrectEnd");
    DropSourceTail(ctx.lines);
    ctx.lines.Append(ctx.templates.Get("lEnd"), kMarkBlock);
}

}  // namespace pm
