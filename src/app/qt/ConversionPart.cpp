#include "app/qt/ConversionPart.h"

#include <QAction>

#include "app/TMain.h"
#include "pipeline/TextFormat.h"
#include "platform/FileDialogs.h"
#include "platform/qt/Text1251.h"
#include "platform/qt/TextEditor.h"

namespace pm::gui {
namespace {
const char* kOpenForEditingFilter =
    "Open as Windows file (&autodetect)|*.txt;*.htm;*.html;*.*|Open as MS DOS file|*.txt;*.*|Open as KOI8-RU|*.txt;*.*";

// The text-format commands and the preset each one stands for.
constexpr std::pair<Cmd, int> kFormats[] = {
    {Cmd::FixedWidth, kPresetFixedWidth}, {Cmd::LineToParagraph, kPresetLinePerParagraph}, {Cmd::HtmlFormat, kPresetHtml}};
}  // namespace

ConversionPart::ConversionPart(Frame& frame, TMain& main, TextEditor& srcText, TextEditor& htmText)
    : frame_(frame), main_(main), srcText_(srcText), htmText_(htmText) {}

void ConversionPart::BindCommands() {
    auto bind = [this](Cmd id, void (ConversionPart::*slot)()) {
        connect(frame_.Action(id), &QAction::triggered, this, slot);
    };
    bind(Cmd::LoadSrc, &ConversionPart::LoadSrcClick);
    bind(Cmd::AutodetectFormat, &ConversionPart::AutodetectFormatClick);
    bind(Cmd::Refresh, &ConversionPart::RefreshClick);
    for (const auto& [id, preset] : kFormats) {
        frame_.Action(id)->setData(preset);
        bind(id, &ConversionPart::FormatClick);
    }
    connect(frame_.Action(Cmd::SaveResult), &QAction::triggered, this, [this] { main_.SaveHTML(); });
    connect(frame_.Action(Cmd::SaveAndRead), &QAction::triggered, this, [this] { main_.ToolButton68Click(); });
    connect(frame_.Action(Cmd::SaveEpub), &QAction::triggered, this, [this] { main_.SaveEpub(); });
    connect(frame_.Action(Cmd::SaveSrc), &QAction::triggered, this, [this] { main_.SaveSrc(); });

    connect(&srcText_, &QPlainTextEdit::textChanged, this, &ConversionPart::SrcTextChange);
    connect(frame_.Action(Cmd::Cut), &QAction::triggered, &srcText_, &TextEditor::cut);
    connect(frame_.Action(Cmd::Copy), &QAction::triggered, &srcText_, &QPlainTextEdit::copy);
    connect(frame_.Action(Cmd::Paste), &QAction::triggered, &srcText_, &TextEditor::paste);
    // The hints name the next step once the editor has moved its step over.
    connect(frame_.Action(Cmd::Undo), &QAction::triggered, this, [this] {
        srcText_.undo();
        UpdateUndoRedo();
    });
    connect(frame_.Action(Cmd::Redo), &QAction::triggered, this, [this] {
        srcText_.redo();
        UpdateUndoRedo();
    });
    connect(&srcText_, &QPlainTextEdit::copyAvailable, frame_.Action(Cmd::Copy), &QAction::setEnabled);
    connect(&srcText_, &QPlainTextEdit::copyAvailable, frame_.Action(Cmd::Cut), &QAction::setEnabled);
    connect(&srcText_, &QPlainTextEdit::undoAvailable, this, &ConversionPart::UpdateUndoRedo);
    connect(&srcText_, &QPlainTextEdit::redoAvailable, this, &ConversionPart::UpdateUndoRedo);
}

void ConversionPart::ModeChanged(int) {
    UpdateFormatChecks();
    UpdateUndoRedo();
    frame_.Action(Cmd::Copy)->setEnabled(frame_.Action(Cmd::Copy)->isEnabled() && srcText_.textCursor().hasSelection());
    frame_.Action(Cmd::Cut)->setEnabled(frame_.Action(Cmd::Cut)->isEnabled() && srcText_.textCursor().hasSelection());
}

void ConversionPart::LoadSrcClick() {
    FileDialogRequest r;
    r.caption = main_.uiTexts.Control("Open for edit head");
    r.filter = kOpenForEditingFilter;
    r.filterIndex = main_.openDialogType;
    r.initialDir = main_.settings.LastEditOpenDir;
    const auto answer = main_.ui.dialogs->OpenFile(r);
    if (!answer) return;
    main_.openDialogFile = answer->path;
    main_.openDialogType = answer->filterIndex;
    main_.LoadSrc(answer->path);
    AfterLoad();
}

bool ConversionPart::LoadWithoutDialog(const std::string& path) {
    main_.openDialogFile = path;
    const bool loaded = main_.LoadSrc(path);
    AfterLoad();
    return loaded;
}

void ConversionPart::LoadDroppedFiles(const std::vector<std::string>& names) {
    main_.LoadDroppedFiles(names);
    AfterLoad();
}

// The loader names the window after the file and may have chosen a format.
void ConversionPart::AfterLoad() {
    emit CaptionChanged();
    UpdateFormatChecks();
    frame_.UpdateCommands();
}

void ConversionPart::RefreshClick() {
    main_.driver.Invalidate();
    ConvertAndShow(EmptySource::Tell);
}

void ConversionPart::ConvertAndShow(EmptySource onEmpty) {
    const bool converts = !main_.driver.UpToDate();
    main_.TabSheet1Show(onEmpty);
    if (!converts && main_.InAdvancedHtmlEditor() && htmText_.Modified()) main_.RefreshPreview();
    frame_.UpdateCommands();
}

void ConversionPart::FormatClick() {
    auto* item = qobject_cast<QAction*>(sender());
    if (!item) return;
    main_.textFormatPreset = item->data().toInt();
    ApplyTextFormatPreset(main_.settings, main_.textFormatPreset);
    UpdateFormatChecks();
    main_.driver.Invalidate();
    ConvertAndShow();
}

void ConversionPart::AutodetectFormatClick() {
    main_.settings.SetAutoDetectFormat(!main_.settings.AutoDetectFormat);
    UpdateFormatChecks();
}

void ConversionPart::UpdateFormatChecks() {
    const bool autodetect = main_.settings.AutoDetectFormat;
    frame_.Action(Cmd::AutodetectFormat)->setChecked(autodetect);
    const bool editing = frame_.Mode() != 2;
    for (const auto& [id, preset] : kFormats) {
        QAction* a = frame_.Action(id);
        a->setEnabled(editing && !autodetect);
        a->setChecked(preset == main_.textFormatPreset);
    }
}

void ConversionPart::SrcTextChange() {
    main_.SrcTextChange();
    UpdateUndoRedo();
}

void ConversionPart::UpdateUndoRedo() {
    const InterfaceTexts& t = main_.uiTexts;
    const bool editing = frame_.Mode() != 2;
    QAction* undo = frame_.Action(Cmd::Undo);
    QAction* redo = frame_.Action(Cmd::Redo);
    undo->setEnabled(editing && srcText_.document()->isUndoAvailable());
    redo->setEnabled(editing && srcText_.document()->isRedoAvailable());
    undo->setToolTip(FromCp1251(t.Control("Undo ")) + srcText_.UndoName());
    redo->setToolTip(FromCp1251(t.Control("Redo ")) + srcText_.RedoName());
}

}  // namespace pm::gui
