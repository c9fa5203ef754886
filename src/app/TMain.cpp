#include "app/TMain.h"

#include "hyphen/FontTables.h"
#include "platform/SourceEditor.h"
#include "platform/ScriptedQuestions.h"
#include "regexlists/RegExprList.h"

namespace pm {

namespace {
// Nothing a reader would see: no lines, or lines of spaces, tabs and form
// feeds only. Such a source would make a book of a title and a footer.
bool HoldsNoText(const LineList& lines) {
    for (size_t i = 0; i < lines.Count(); ++i)
        if (lines.Text(i).find_first_not_of(" \t\f\r") != std::string::npos) return false;
    return true;
}
}  // namespace

TMain::TMain(ConfigTree& userHive, MainUi uiIn, std::string dir)
    : config(userHive), ui(uiIn), programDir(std::move(dir)) {
    if (!ui.status) ui.status = &nullStatus_;
    if (!ui.questions) {
        silentQuestions_ = std::make_unique<ScriptedQuestions>();
        ui.questions = silentQuestions_.get();
    }
}

TMain::~TMain() = default;

bool TMain::InAdvancedSourceEditor() const {
    return settings.InterfaceMode == kAdvancedMode && settings.UseSourceEditor && ui.sourceEditor;
}

bool TMain::InAdvancedHtmlEditor() const {
    return settings.InterfaceMode == kAdvancedMode && settings.ShowHtml;
}

ConversionContext TMain::MakeContext() {
    ConversionContext ctx(settings, doc, templates, texts, *ui.status, *ui.questions, files);
    ctx.xmlDescriptionLoaded = xmlDescriptionLoaded;
    ctx.xmlReferences = xml.LocalReferences();
    ctx.font = font.get();
    ctx.rules = rules.get();
    return ctx;
}

void TMain::StoreSourceText(const std::string& text) {
    if (InAdvancedSourceEditor()) {
        ui.sourceEditor->SetText(text);
        sourceLines_.reset();  // the editor holds the source now
    } else {
        sourceLines_ = LineList::FromText(text);
    }
    driver.Invalidate();
}

void TMain::KeepSourceFromEditor() {
    if (!InAdvancedSourceEditor()) return;
    const std::string text = ui.sourceEditor->Text();
    if (!text.empty()) sourceLines_ = LineList::FromText(text);
}

LineList TMain::GetSourceLines() {
    if (!InAdvancedSourceEditor()) return sourceLines_ ? *sourceLines_ : LineList();
    SourceEditor& editor = *ui.sourceEditor;
    const SourceEditor::Selection selection = editor.GetSelection();
    const bool modified = editor.Modified();
    ui.status->Status(texts.Task("GetText"));
    LineList lines = LineList::FromText(editor.Text());
    editor.SetSelection(selection);
    editor.SetModified(modified);
    return lines;
}

bool TMain::Convert(EmptySource onEmpty) {
    if (driver.UpToDate()) return false;
    LineList source = GetSourceLines();
    if (HoldsNoText(source)) {
        // The result of the last conversion stays as it was.
        ui.status->Status(texts.Proc("Ready"));
        if (onEmpty == EmptySource::Tell)
            ui.questions->ShowMessage(texts.Msg("Info"), texts.Msg("NothingToConvert"), MessageIcon::Information);
        return false;
    }
    ConversionContext ctx = MakeContext();
    if (!driver.Convert(std::move(source), ctx)) return false;
    Publish(std::move(ctx.lines));
    return true;
}

}  // namespace pm
