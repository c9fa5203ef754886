// The conversion's part of the main window: loading a source, the text
// format choice, converting again, the source editor's commands and saving.
#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "app/TMain.h"
#include "platform/qt/Frame.h"


namespace pm::gui {

class TextEditor;

class ConversionPart : public QObject, public FramePart {
    Q_OBJECT
public:
    ConversionPart(Frame& frame, TMain& main, TextEditor& srcText, TextEditor& htmText);

    void BindCommands() override;
    void ModeChanged(int mode) override;

    // Loads a source for editing without a dialog (command line, dropped
    // files, the return to advanced mode).
    bool LoadWithoutDialog(const std::string& path);
    void LoadDroppedFiles(const std::vector<std::string>& names);
    // The "Preview" page logic: converts when out of date and shows the
    // result; edits made in the HTML editor are shown too.
    void ConvertAndShow(EmptySource onEmpty = EmptySource::Ignore);
    // Ticks the detected or chosen text format and enables its commands.
    void UpdateFormatChecks();

signals:
    // The loaded source named the window anew.
    void CaptionChanged();

public slots:
    void LoadSrcClick();
    void FormatClick();
    void AutodetectFormatClick();
    void RefreshClick();
    void SrcTextChange();

private:
    void UpdateUndoRedo();
    void AfterLoad();

    Frame& frame_;
    TMain& main_;
    TextEditor& srcText_;
    TextEditor& htmText_;
};

}  // namespace pm::gui
