// Loading a source file: the "Load source" command and the file loader.
#include <cstdint>

#include "app/TMain.h"
#include "common/Cp1251.h"
#include "intake/CodePageStep.h"
#include "intake/SourceFiles.h"
#include "intake/TextSniff.h"
#include "output/Footer.h"
#include "pipeline/TextFormat.h"
#include "app/SourceRules.h"
#include "app/TitleStep.h"

namespace pm {
namespace {

constexpr uint64_t kLargeFileBytes = 2097152;  // 2 MB; larger files ask first
constexpr const char* kGeneratorMark = "<meta name=\"Generator\" content=\"Pellmark\">";

void ShowError(TMain& m, const std::string& text) {
    m.ui.questions->ShowMessage(m.texts.Msg("Error"), text, MessageIcon::Error);
}

void ShowCantAccess(TMain& m, const std::string& fileName) {
    ShowError(m, "Unable to acess the file \"" + cp1251::FromUtf8(fileName) + "\"");
}

void SetPreviewFile(TMain& m, const std::string& fileName) {
    const std::string preview =
        intake::PreviewFileFor(fileName, m.settings.UseSystemTemp, m.templates.Get("FileExt"));
    if (preview.empty()) return;
    m.files.previewFile = preview;
    m.files.tempFiles.push_back(preview);
    m.files.previewShown = false;
}

// False when the file does not look like text and the user would rather
// not load it; asked before anything else, so that a binary file brings up
// no other question.
bool ConfirmTextFile(TMain& m, intake::SourceFile& file) {
    std::string head;
    if (!file.ReadHead(intake::kTextSniffBytes, head) || !intake::LooksBinary(head)) return true;
    return m.ui.questions->AskLoadBinary(m.texts.Msg("NotTextFile"));
}

// False when the user declined to load a large file.
bool ConfirmLargeFile(TMain& m, uint64_t size) {
    if (size <= kLargeFileBytes || !m.settings.AskAboutLargeFiles) return true;
    const LargeFileAnswer a = m.ui.questions->AskLargeFile(m.texts.Msg("LargeFile"), m.uiTexts.Control("Cancel"));
    if (!a.proceed) return false;
    m.settings.SetAskAboutLargeFiles(!a.neverAskAgain);
    return true;
}

// What to do with a document this program produced: go on editing it,
// open it in the reader, or nothing.
LoadOutcome ConvertedFileOutcome(TMain& m, const std::string& text) {
    if (text.find(kGeneratorMark) == std::string::npos) return LoadOutcome::Text;
    switch (m.settings.OpenForReadingConverted) {
        case 0: break;
        case 1: return LoadOutcome::OpenInReader;
        default: return LoadOutcome::Text;
    }
    using Choice = FormattingDetectedAnswer::Choice;
    const FormattingDetectedAnswer a = m.ui.questions->AskFormattingDetected(m.texts.Msg("AlreadyCleared"));
    if (a.choice == Choice::Cancel) return LoadOutcome::Nothing;
    const bool reading = a.choice == Choice::OpenForReading;
    // "Never ask me again" remembers the choice that was made.
    if (a.neverAskAgain) m.settings.SetOpenForReadingConverted(reading ? 1 : 2);
    return reading ? LoadOutcome::OpenInReader : LoadOutcome::Text;
}

void RemoveCreditFooter(std::string& text) {
    const std::string footer = CreditFooter();
    if (footer.empty()) return;
    const size_t at = text.find(footer);
    if (at != std::string::npos) text.erase(at, footer.size());
}

void AutoDetectTextFormat(TMain& m, const std::string& text) {
    if (!m.settings.AutoDetectFormat) return;
    const int preset = DetectTextFormatPreset(text);
    ApplyTextFormatPreset(m.settings, preset);
    m.textFormatPreset = preset;
}

void LeaveReaderMode(TMain& m) {
    if (!m.frontEnd().SwitchInterfaceMode(m.settings.PreviousMode))
        m.settings.SetInterfaceMode(m.settings.PreviousMode);
}

}  // namespace

bool TMain::LoadSrc(const std::string& fileName) {
    lastLoadOutcome = LoadOutcome::Nothing;
    if (settings.InterfaceMode == kReaderMode && settings.SaveReaderDocOnExit)
        frontEnd().SaveReaderChanges();
    frontEnd().ForgetReaderChanges();
    if (fileName.empty()) return false;
    openDialogFile = fileName;

    if (!(probeWritable ? probeWritable(fileName) : intake::ProbeWritable(fileName))) {
        ShowError(*this, texts.Msg("CantWorkWithReadOnly"));
        return false;
    }
    LoadResult r = FileLoader(fileName);
    lastLoadOutcome = r.outcome;
    if (r.outcome == LoadOutcome::Nothing) return false;
    if (r.outcome == LoadOutcome::OpenInReader) {
        frontEnd().OpenForReading(fileName);
        return false;
    }

    if (settings.InterfaceMode == kReaderMode) LeaveReaderMode(*this);
    files.sourcePath = fileName;
    StoreSourceText(std::move(r.text));
    if (!InAdvancedSourceEditor()) {
        if (Convert()) RefreshPreview();
    } else if (settings.ActivePage < 2) {  // "Preview" or "HTML" is showing
        TabSheet1Show();
    }
    return true;
}

LoadResult TMain::FileLoader(const std::string& fileName) {
    intake::SourceFile file;
    if (!file.Open(fileName)) {
        ShowCantAccess(*this, fileName);
        return {};
    }
    if (!ConfirmTextFile(*this, file)) return {};
    SetPreviewFile(*this, fileName);
    if (!ConfirmLargeFile(*this, file.Size())) return {};
    doc.title.clear();
    doc.author.clear();

    LoadResult r;
    ui.status->Busy(true);
    const bool read = file.ReadAll(r.text);
    file.Close();
    ui.status->Busy(false);
    if (!read) {
        ShowCantAccess(*this, fileName);
        return {};
    }

    r.outcome = ConvertedFileOutcome(*this, r.text);
    if (r.outcome != LoadOutcome::Text) {
        r.text.clear();
        return r;
    }
    if (!DetectAndConvertCodePage(r.text, openDialogType, texts, *ui.questions)) return {};
    windowCaption = "Pellmark (converter) - " + cp1251::FromUtf8(intake::FileNameOf(fileName));
    ApplySourceRules(*this, r.text);
    RemoveCreditFooter(r.text);
    if (!TitleAndAuthorStep(*this, r.text)) return {};
    AutoDetectTextFormat(*this, r.text);
    xmlButtonsEnabled = xmlDescriptionLoaded;
    return r;
}

void TMain::TabSheet1Show(EmptySource onEmpty) {
    if (!driver.UpToDate() && Convert(onEmpty)) RefreshPreview();
}

void TMain::SrcTextChange() { driver.Invalidate(); }

void TMain::LoadDroppedFiles(const std::vector<std::string>& names) {
    if (names.empty()) return;
    if (names.size() > 1)
        ui.questions->ShowMessage(texts.Msg("Info"), texts.Msg("DropMany"), MessageIcon::Information);
    LoadSrc(names.front());
}

}  // namespace pm
