// The book-description editor: the tree built from the skin's DTD, the
// value field, the live XML pane and the reference pane with the start of
// the source text. Its logic is the DtdTree (xml/DTDEdit.h); the window
// shows it and turns the user's clicks into its operations.
#pragma once

#include <QDialog>
#include <string>
#include <unordered_map>

#include "config/ConfigTree.h"
#include "config/Localization.h"
#include "config/Texts.h"
#include "platform/Questions.h"
#include "xml/BookDescription.h"
#include "xml/DTDEdit.h"

class QAction;
class QPlainTextEdit;
class QSplitter;
class QTextEdit;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace pm::gui {

class TDTDEditor : public QDialog {
    Q_OBJECT
public:
    struct Context {
        ConfigTree& tree;
        const Texts& texts;
        const InterfaceTexts& uiTexts;
        Questions& questions;
    };
    // Builds the editor from the configuration (messages when it holds no
    // usable DTD; the tree is empty then).
    TDTDEditor(Context context, QWidget* parent);
    // Writes the sizes, the toolbar mode and the root's name back.
    ~TDTDEditor() override;

    // The destruction steps and the building steps again: a changed DTD or
    // changed defaults take effect.
    void Rebuild();
    // Sets a value at a path (see DtdTree::SetValueAtPath); the node shows it.
    void SetValueAtPath(const std::string& path, const std::string& text);
    void Prefill(const XmlDescriptionValues& paths, const DescriptionPrefill& values);
    // The reference pane's text (Windows-1251).
    void SetReference(const std::string& text);
    // The pane's text, markers removed, as it was when the window last
    // closed: the book description.
    const std::string& XmlText() const { return closedText_; }

    DtdTree& Tree() { return tree_; }
    QTreeWidgetItem* ItemOf(const TDTDEntry* e) const;
    TDTDEntry* EntryOf(const QTreeWidgetItem* item) const;
    // The state icon a node shows: the occurrence, or kStateComplete.
    static int StateIconOf(const QTreeWidgetItem* item);

    QTreeWidget* TreeView1;
    QTextEdit* XMLEditor;
    QPlainTextEdit* Memo1;  // the value field
    QPlainTextEdit* Memo2;  // the reference pane
    QToolBar* ToolBar1;
    QAction* ToolButton1;  // "&Done"
    QAction* ToolButton3;  // "D&uplicate node"
    QAction* ToolButton4;  // "De&lete node"
    QAction* ToolButton5;  // "&Use this node"
    QAction* ToolButton7;  // "Save as default"

public slots:
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Build();
    void Destroy();
    void AddNodes(QTreeWidgetItem* parentItem, TDTDEntry& e, int index);
    void ForgetNodes(const TDTDEntry& e);
    void SelectionMoved(QTreeWidgetItem* now);
    bool LeaveCurrent();
    void Enter(TDTDEntry* e);
    void RefreshNodes();
    void RefreshPane();
    void SetToolbarMode(int mode);
    void DuplicateClick();
    void DeleteClick();
    void UseClick(bool checked);
    void SaveDefaultClick();

    Context ctx_;
    WindowTexts windowTexts_;
    DtdEditorLayout layout_;
    DtdTree tree_;
    std::unordered_map<const TDTDEntry*, QTreeWidgetItem*> items_;
    TDTDEntry* current_ = nullptr;  // the entry entered
    bool moving_ = false;           // the selection is being put back
    bool shown_ = false;
    std::string closedText_;
    QSplitter* topSplitter_;
    QSplitter* mainSplitter_;
};

}  // namespace pm::gui
