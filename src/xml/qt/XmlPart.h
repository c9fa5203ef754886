// The XML part of the main window: the check of every XML preview with its
// report window, and the book-description editor behind "XML Header
// editor" and behind the title question of XML description mode.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

#include "config/ConfigTree.h"
#include "config/Localization.h"
#include "config/Settings.h"
#include "config/Texts.h"
#include "document/DocValues.h"
#include "document/OutputFiles.h"
#include "platform/Questions.h"
#include "platform/qt/Frame.h"
#include "xml/BookDescription.h"
#include "xml/XmlMode.h"

namespace pm::gui {

class TextEditor;
class TDTDEditor;
class TXMStateForm;

// What the part uses of the main window.
struct XmlContext {
    ConfigTree& tree;
    const std::string& programDir;
    Settings& settings;
    const Texts& texts;
    const InterfaceTexts& uiTexts;
    Questions& questions;
    DocValues& doc;
    const OutputFiles& files;
    const XmlDescriptionValues& values;
    const bool& xmlButtonsEnabled;  // a source was loaded in XML description mode
    TextEditor& htmlEditor;
    // The values "XML Header editor" sets: today's date, the program label,
    // the name parts and the title of the document.
    std::function<DescriptionPrefill()> prefill;
    std::function<void()> showHtmlPage;    // page 1 ("HTML") of the page control
    std::function<void()> convertAndShow;  // the conversion out of date, then the "Preview" page logic
};

class XmlPart : public QObject, public FramePart {
    Q_OBJECT
public:
    XmlPart(Frame& frame, XmlContext context, QObject* parent = nullptr);
    ~XmlPart() override;

    void BindCommands() override;

    // The preview was refreshed in XML output mode.
    void CheckXmlPreview();
    // The title question in XML description mode: the editor, built afresh
    // from the configuration, shows the prefilled values and the start of
    // the source; its XML becomes the book description. True: the editor
    // took the question.
    bool EditBookDescription(const DescriptionPrefill& values, const std::string& reference);
    // "XML Header editor".
    void XMLTreeClick();

    // The windows, once they exist.
    TXMStateForm* Report() const;
    TDTDEditor* Editor() const;

private:
    void GoToError(int64_t line, int64_t column);
    void HelpAsked();
    void EnsureEditor();

    Frame& frame_;
    XmlContext ctx_;
    // Both windows are children of the main window, which frees them.
    QPointer<TXMStateForm> report_;
    QPointer<TDTDEditor> editor_;
};

}  // namespace pm::gui
