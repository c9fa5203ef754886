// Document output of the main window: the preview file and the save
// commands.
#include <filesystem>
#include <string>
#include <vector>

#include "app/EpubExport.h"
#include "app/TMain.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "output/Footer.h"
#include "output/Utf8Output.h"
#include "platform/FileDialogs.h"
#include "platform/HtmlView.h"
#include "platform/SourceEditor.h"

namespace pm {
namespace {

std::string FileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

// The general error handler of the commands: the failure in a message box.
// The errors name files in UTF-8; messages are in the working code page.
void ReportFailure(TMain& m, const std::string& error) {
    m.ui.questions->ShowMessage(m.texts.Msg("Error"), cp1251::FromUtf8(error), MessageIcon::Error);
}

// Asks for the name to save under. extensions holds the extension of each
// filter: the dialog proposes the source's name with the preselected one,
// and a proposal kept while another filter was chosen takes that filter's
// extension (so it is not saved as an EPUB book named ".html"). No proposal
// without extensions.
std::optional<FileDialogAnswer> AskSavePath(TMain& m, std::string_view filter, int filterIndex,
                                            std::string& rememberedDir, std::string& dialogFile,
                                            const std::vector<std::string>& extensions = {}) {
    if (!m.ui.dialogs) return std::nullopt;
    auto extensionOf = [&](int index) {
        return index >= 1 && index <= static_cast<int>(extensions.size()) ? extensions[index - 1] : std::string();
    };
    FileDialogRequest request;
    request.filter = std::string(filter);
    request.filterIndex = filterIndex;
    request.initialDir = rememberedDir;
    const std::string proposedExt = extensionOf(filterIndex);
    if (!proposedExt.empty())
        request.fileName = ProposedSaveName(m.files.sourcePath, proposedExt, !rememberedDir.empty());
    std::optional<FileDialogAnswer> answer = m.ui.dialogs->SaveFile(request);
    if (!answer) return answer;
    const std::string chosenExt = extensionOf(answer->filterIndex);
    if (!request.fileName.empty() && !chosenExt.empty() && chosenExt != proposedExt &&
        FileNameOf(answer->path) == FileNameOf(request.fileName))
        answer->path = std::filesystem::path(answer->path).replace_extension(chosenExt).string();
    rememberedDir = FolderOf(answer->path);
    dialogFile = answer->path;
    return answer;
}

// The split case of "Save the result": the part files go into a chosen
// folder. True when the folder was confirmed and every file copied.
bool SaveSplitDocument(TMain& m) {
    const std::string start = m.settings.SaveMultipleLastFolder;
    m.settings.SaveMultipleLastFolder.clear();
    const std::string& prompt = m.uiTexts.Control("SaveMultiple");
    std::optional<std::string> folder = m.ui.dialogs->ChooseFolder(prompt, prompt, start);
    if (!folder) return false;
    std::string chosen = *folder;
    while (chosen.size() > 1 && (chosen.back() == '/' || chosen.back() == '\\')) chosen.pop_back();
    m.settings.SaveMultipleLastFolder = chosen;
    std::string error;
    if (m.CopyPartFilesTo(chosen, &error)) return true;
    ReportFailure(m, error);
    return false;
}

// The result is a set of part files. A split that could not write its
// files left one document, which is saved as one.
bool SplitResult(const TMain& m) { return m.settings.BreakTextApartByToc && !m.files.partFiles.empty(); }

}  // namespace

void TMain::Publish(LineList result) {
    if (InAdvancedHtmlEditor() && ui.htmlEditor) {
        ui.status->Status(texts.Task("HTMLPrepare"));
        SourceEditor& editor = *ui.htmlEditor;
        const SourceEditor::Selection caret = editor.GetSelection();
        editor.SetText(result.Join("\r\n"));
        editor.SetSelection(caret);
        editor.SetModified(false);
    }
    // Kept in the editor mode too, so that "is there a result" stays true.
    result_ = std::move(result);
}

LineList TMain::Result() const {
    if (InAdvancedHtmlEditor() && ui.htmlEditor) return LineList::FromText(ui.htmlEditor->Text());
    return result_ ? *result_ : LineList();
}

std::string TMain::DocumentText() const {
    // The kept result is read where it is: a long book is not copied.
    if (result_ && !(InAdvancedHtmlEditor() && ui.htmlEditor)) return DocumentWithFooter(*result_, settings, templates);
    return DocumentWithFooter(Result(), settings, templates);
}

void TMain::RefreshPreview() {
    if (files.previewFile.empty()) {
        if (ui.preview) ui.preview->Navigate("about:blank");
        return;
    }
    if (!writePreviewFile && !templates.XmlOutputMode()) return;
    ui.status->Status(texts.Task("SavingToFileForBrowser"));
    ui.status->Busy(true);
    std::string why;
    if (!WriteFileAtomic(files.previewFile, DocumentText(), &why)) {
        ui.status->Busy(false);
        ui.status->Status(PreviewWriteFailed(cp1251::FromUtf8(why)));
        return;
    }
    if (ui.preview) {
        if (files.previewShown) {
            ui.preview->Reload();
        } else {
            ui.preview->Navigate(files.previewFile);
            files.previewShown = true;
        }
    }
    ui.status->Busy(false);
    ui.status->Status(texts.Proc("Ready"));
    if (templates.XmlOutputMode()) frontEnd().CheckXmlOutput();
    if (ui.preview) ui.preview->Focus();
}

bool TMain::SaveResultAs(const std::string& path, SaveFormat format, std::string* error) {
    if (!HasResult()) {
        if (error) *error = "There is no converted document to save as \"" + path + "\".";
        return false;
    }
    if (format == SaveFormat::Epub) return SaveEpubAs(*this, path, error);
    return WriteFileAtomic(
        path, InOutputCodePage(SavedDocumentText(format), format == SaveFormat::PlainText, settings.OutputUtf8), error);
}

std::string TMain::SavedDocumentText(SaveFormat format) const {
    if (format == SaveFormat::PlainText) return PlainTextDocument(Result(), settings, templates);
    if (format == SaveFormat::Html || !xmlDescriptionLoaded) return DocumentText();
    return SwapXmlReferences(DocumentText(), xml.LocalReferences(),
                             xml.PublicReferences(format == SaveFormat::XmlWithStyleSheet));
}

// All the parts or none: a full disk halfway leaves the folder as it was.
bool TMain::CopyPartFilesTo(const std::string& folder, std::string* error) {
    AtomicFileSet copies;
    for (const std::string& part : files.partFiles) {
        std::string bytes;
        if (!ReadWholeFile(part, bytes, error)) return false;
        if (settings.OutputUtf8) bytes = Utf8Document(bytes);
        const std::string target = (std::filesystem::path(folder) / FileNameOf(part)).string();
        if (!copies.Add(target, bytes, error)) return false;
    }
    return copies.Commit(error);
}

bool TMain::SaveSourceAs(const std::string& path, std::string* error) {
    return WriteFileAtomic(path, GetSourceLines().Join("\r\n"), error);
}

void TMain::SaveHTML() {
    if (!HasResult() || !ui.dialogs) return;
    if (SplitResult(*this)) {
        SaveSplitDocument(*this);
        return;
    }
    std::string error;
    const bool xml = xmlDescriptionLoaded;
    std::optional<FileDialogAnswer> answer =
        AskSavePath(*this, xml ? kXmlResultFilter : kResultFilter, xml ? 2 : 1, settings.LastEditSaveDir,
                    saveDialogFile,
                    xml ? std::vector<std::string>{".xml", ".xml"}
                        : std::vector<std::string>{templates.Get("FileExt"), ".txt", ".epub"});
    if (!answer) return;
    const bool epub = !xml && answer->filterIndex == 3;
    const bool markup = xml || answer->filterIndex != 2;
    const std::string path =
        WithDefaultExtension(answer->path, epub ? ".epub" : markup ? templates.Get("FileExt") : ".txt");
    SaveFormat format = epub ? SaveFormat::Epub : markup ? SaveFormat::Html : SaveFormat::PlainText;
    if (xml) format = answer->filterIndex == 1 ? SaveFormat::XmlWithStyleSheet : SaveFormat::XmlStandalone;
    if (!SaveResultAs(path, format, &error)) ReportFailure(*this, error);
}

void TMain::SaveEpub() {
    if (!HasResult() || !ui.dialogs) return;
    std::optional<FileDialogAnswer> answer =
        AskSavePath(*this, kEpubFilter, 1, settings.LastEditSaveDir, saveDialogFile, {".epub"});
    if (!answer) return;
    std::string error;
    if (!SaveResultAs(WithDefaultExtension(answer->path, ".epub"), SaveFormat::Epub, &error))
        ReportFailure(*this, error);
}

void TMain::ToolButton68Click() {
    if (!HasResult() || !ui.dialogs) return;
    if (SplitResult(*this)) {
        if (SaveSplitDocument(*this) && !files.partFiles.empty()) {
            const std::filesystem::path last = std::filesystem::path(files.partFiles.back()).filename();
            frontEnd().OpenForReading((std::filesystem::path(settings.SaveMultipleLastFolder) / last).string());
        }
        return;
    }
    std::optional<FileDialogAnswer> answer =
        AskSavePath(*this, kSaveAndReadFilter, 1, settings.LastEditSaveAndReadDir, saveAndReadDialogFile,
                    {templates.Get("FileExt")});
    if (!answer) return;
    const std::string path = WithDefaultExtension(answer->path, templates.Get("FileExt"));
    std::string error;
    if (!SaveResultAs(path, SaveFormat::Html, &error)) {
        ReportFailure(*this, error);
        return;
    }
    frontEnd().OpenForReading(path);
}

void TMain::SaveSrc() {
    if (!ui.dialogs) return;
    std::optional<FileDialogAnswer> answer =
        AskSavePath(*this, kSourceFilter, 1, settings.LastEditSaveSrcDir, saveSrcDialogFile);
    if (!answer) return;
    std::string path = answer->path;
    if (answer->filterIndex == 1) path = WithDefaultExtension(path, ".txt");
    else if (answer->filterIndex == 2) path = WithDefaultExtension(path, templates.Get("FileExt"));
    std::string error;
    if (!SaveSourceAs(path, &error)) ReportFailure(*this, error);
}

}  // namespace pm
