#include "app/TMain.h"

#include "common/LineBreaks.h"

#include "hyphen/FontTables.h"
#include "platform/SourceEditor.h"
#include "platform/ScriptedQuestions.h"
#include "regexlists/RegExprList.h"

namespace pm {

namespace {
// Nothing a reader would see: no lines, or lines of spaces, tabs and form
// feeds only. Such a source would make a book of a title and a footer.
bool HoldsNoText(std::string_view text) { return text.find_first_not_of(" \t\f\r\n") == std::string_view::npos; }

// True when text already holds its lines each ended by CR LF.
bool IsEntriesText(std::string_view t) {
    if (t.empty()) return true;
    if (t.size() < 2 || t.substr(t.size() - 2) != "\r\n") return false;
    for (size_t k = t.find('\r'); k != std::string_view::npos; k = t.find('\r', k + 1))
        if (t[k + 1] != '\n') return false;
    for (size_t k = t.find('\n'); k != std::string_view::npos; k = t.find('\n', k + 1))
        if (k == 0 || t[k - 1] != '\r') return false;
    return true;
}

// The lines LineList::FromText would make of text, each ended by CR LF, so
// that FromText gives them back as they were (an empty last line too).
std::string EntriesText(std::string text) {
    if (IsEntriesText(text)) return text;
    std::string out;
    out.reserve(text.size() + 2);
    const auto add = [&out](std::string_view line) { out.append(line).append("\r\n"); };
    const std::string_view rest = text::ForEachLineBreak(text, add);
    if (!rest.empty()) add(rest);
    return out;
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

void TMain::StoreSourceText(std::string text) {
    if (InAdvancedSourceEditor()) {
        ui.sourceEditor->SetText(text);
        sourceText_.reset();  // the editor holds the source now
    } else {
        sourceText_ = EntriesText(std::move(text));
    }
    driver.Invalidate();
}

void TMain::KeepSourceFromEditor() {
    if (!InAdvancedSourceEditor()) return;
    const std::string text = ui.sourceEditor->Text();
    if (!text.empty()) sourceText_ = EntriesText(text);
}

// Reading the editor's text leaves its selection and modified mark alone.
std::string TMain::SourceEditorText() {
    SourceEditor& editor = *ui.sourceEditor;
    const SourceEditor::Selection selection = editor.GetSelection();
    const bool modified = editor.Modified();
    ui.status->Status(texts.Task("GetText"));
    std::string text = editor.Text();
    editor.SetSelection(selection);
    editor.SetModified(modified);
    return text;
}

LineList TMain::GetSourceLines() {
    if (!InAdvancedSourceEditor()) return sourceText_ ? LineList::FromText(*sourceText_) : LineList();
    return LineList::FromText(SourceEditorText());
}

bool TMain::Convert(EmptySource onEmpty) {
    if (driver.UpToDate()) return false;
    // The kept source is converted where it is: a long book is not copied.
    std::string editorText;
    std::string_view source;
    if (InAdvancedSourceEditor()) source = editorText = SourceEditorText();
    else if (sourceText_) source = *sourceText_;
    if (HoldsNoText(source)) {
        // The result of the last conversion stays as it was.
        ui.status->Status(texts.Proc("Ready"));
        if (onEmpty == EmptySource::Tell)
            ui.questions->ShowMessage(texts.Msg("Info"), texts.Msg("NothingToConvert"), MessageIcon::Information);
        return false;
    }
    ConversionContext ctx = MakeContext();
    if (!driver.Convert(source, ctx)) return false;
    Publish(std::move(ctx.lines));
    return true;
}

}  // namespace pm
