// The main window's logic, without widgets: it owns the settings record, the
// source holder, the result, the document values, the templates and the
// file lists, and carries out the commands. The desktop window (MainWnd) and
// the headless front end both drive it; the user is reached only through
// the interfaces in MainUi.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/ConfigTree.h"
#include "config/Localization.h"
#include "config/Settings.h"
#include "config/SettingsIO.h"
#include "config/Texts.h"
#include "document/Templates.h"
#include "output/Saving.h"
#include "pipeline/ConversionContext.h"
#include "document/DocValues.h"
#include "pipeline/Driver.h"
#include "document/LineList.h"
#include "app/FrontEnd.h"
#include "platform/Questions.h"
#include "platform/StatusSink.h"
#include "xml/XmlMode.h"

namespace pm {

class HtmlView;      // platform/HtmlView.h
class FileDialogs;   // platform/FileDialogs.h
class SourceEditor;  // platform/SourceEditor.h
class FontTable;
class RegexRuleLists;
class ScriptedQuestions;  // platform/ScriptedQuestions.h

enum InterfaceMode : int { kSimpleMode = 0, kAdvancedMode = 1, kReaderMode = 2 };

// What a front end gives the main window. Null members mean "not there":
// no preview browser, no dialogs (the caller names every file), no editor.
struct MainUi {
    Questions* questions = nullptr;
    StatusSink* status = nullptr;
    HtmlView* preview = nullptr;
    FileDialogs* dialogs = nullptr;
    SourceEditor* sourceEditor = nullptr;
    // The HTML editor of the advanced mode ("Show HTML"); the result is
    // edited there when it is given.
    SourceEditor* htmlEditor = nullptr;
    // The program around the logic: reader, modes, XML check.
    FrontEnd* frontEnd = nullptr;
};

// The loader's outcome.
// What a conversion does with a source that holds no text: the user's own
// "Convert text again" is told why nothing happened; turning to the
// preview page with nothing loaded stays quiet.
enum class EmptySource { Tell, Ignore };

enum class LoadOutcome { Text, Nothing, OpenInReader };
struct LoadResult {
    LoadOutcome outcome = LoadOutcome::Nothing;
    std::string text;
};

class TMain {
public:
    TMain(ConfigTree& userHive, MainUi ui, std::string programDir);
    ~TMain();

    // ---- state owned by the main window
    ConfigTree& config;
    MainUi ui;
    std::string programDir;
    Settings settings;
    DocValues doc;
    Templates templates;
    Texts texts;
    InterfaceTexts uiTexts;  // menu, hint, tree and control captions
    OutputFiles files;
    PipelineDriver driver;
    // XML description mode (entered at start when html\xml has "Ostrel" = 1)
    // and the values of html\xml; the book description is in doc.
    bool xmlDescriptionLoaded = false;
    XmlDescriptionValues xml;
    std::unique_ptr<FontTable> font;         // the chosen device font table
    std::unique_ptr<RegexRuleLists> rules;   // the user's rule lists
    bool saveSettingsAtExit = true;
    // Off for a headless conversion that shows no preview (the library
    // conversion of pellmark-cli): the preview file is then written only
    // where it is read, by the XML check.
    bool writePreviewFile = true;
    // The writability probe of loading (intake::ProbeWritable when empty);
    // a library conversion probes each folder once instead of every book.
    std::function<bool(const std::string& fileName)> probeWritable;
    std::string windowCaption;
    // Writes the configuration to its file now (the desktop program's
    // store); empty where it is written only at exit.
    std::function<bool(std::string* error)> writeConfigNow;
    // The "Open for editing" dialog: its file name and its type choice
    // (1 Windows/autodetect, 2 MS DOS, 3 KOI8-RU).
    std::string openDialogFile;
    int openDialogType = 1;
    // The file names last confirmed in the three save dialogs ("" when none
    // was chosen this run): their folders are remembered at exit.
    std::string saveDialogFile, saveAndReadDialogFile, saveSrcDialogFile;
    int textFormatPreset = -1;  // the checked format command, -1 none

    // ---- start and exit
    // What creating the main window does without widgets: interface texts,
    // templates, settings with their fallbacks, font tables, rule lists.
    // Returns how the interface localization went (the front end shows the
    // error window when it was refused); widgets may be null (headless).
    LocalizationOutcome Start(WidgetSettings* widgets = nullptr);
    std::string fontMessage;  // a broken font description, told at start
    // Deletes every temporary file; the settings are saved by the front end.
    void Shutdown();

    // ---- source intake
    // Load source with the file name already in the open dialog (dropped
    // file, command line, headless). False when nothing was loaded.
    bool LoadSrc(const std::string& fileName);
    LoadResult FileLoader(const std::string& fileName);
    void StoreSourceText(std::string text);
    LineList GetSourceLines();
    std::string SourceEditorText();
    bool HasSource() const { return sourceText_.has_value(); }
    // For a one-off conversion: the source is not converted again, and a
    // long book's text need not stay beside its result.
    void ForgetSource() { sourceText_.reset(); }
    // Leaving the source editor (advanced mode for another mode): the
    // source moves into the line copy, so no mode switch loses it.
    void KeepSourceFromEditor();
    // The "Preview" page becoming visible: converts when out of date.
    void TabSheet1Show(EmptySource onEmpty = EmptySource::Ignore);
    // The source editor's change notification.
    void SrcTextChange();
    // Files dropped on the window: the first one is loaded.
    void LoadDroppedFiles(const std::vector<std::string>& names);
    LoadOutcome lastLoadOutcome = LoadOutcome::Nothing;  // of the last LoadSrc
    bool xmlButtonsEnabled = false;  // the two XML buttons
    // The front end of MainUi, or one that does nothing.
    FrontEnd& frontEnd() { return ui.frontEnd ? *ui.frontEnd : nullFrontEnd_; }

    // ---- conversion and output
    // Runs the driver on fresh source lines and publishes the result. A
    // source without text is refused with a message, the result left as it
    // was. False when nothing was converted.
    bool Convert(EmptySource onEmpty = EmptySource::Tell);
    void Publish(LineList result);
    LineList Result() const;
    bool HasResult() const { return result_.has_value(); }
    bool InAdvancedHtmlEditor() const;
    bool InAdvancedSourceEditor() const;

    // ---- document output (src/output/Publish.cpp)
    // Result joined with CR LF, the footer text inserted (not in XML output mode).
    std::string DocumentText() const;
    // What a save of that format writes (XML formats: the references
    // exchanged in XML description mode).
    std::string SavedDocumentText(SaveFormat format) const;
    // Writes the preview file and shows it in the preview browser.
    void RefreshPreview();
    // "Save the result" (split documents: copies the part files), "Save &
    // Read!" and "Save source text", with their dialogs.
    void SaveHTML();
    void ToolButton68Click();
    // "Save as EPUB book...": the save dialog with the EPUB filter alone, for
    // a split book too (its parts become the chapters of the one book).
    void SaveEpub();
    void SaveSrc();
    // The saves once a file is named (no dialog, no message): on failure
    // false with one sentence in *error, and any older file left intact.
    // Without a result nothing is written.
    bool SaveResultAs(const std::string& path, SaveFormat format, std::string* error);
    bool CopyPartFilesTo(const std::string& folder, std::string* error);
    bool SaveSourceAs(const std::string& path, std::string* error);

    // A conversion context over this window's state.
    ConversionContext MakeContext();

private:
    // The source line copy, every entry ended by CR LF: a long book kept
    // as lines would take three times the memory.
    std::optional<std::string> sourceText_;
    std::optional<LineList> result_;
    NullStatusSink nullStatus_;
    // The questions when the front end gives none: each window its own, so
    // that windows on different threads share nothing.
    std::unique_ptr<ScriptedQuestions> silentQuestions_;
    FrontEnd nullFrontEnd_;
};

}  // namespace pm
