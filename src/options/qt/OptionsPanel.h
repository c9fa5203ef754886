// The options panel of the advanced mode: the tree of options, the
// editing widgets of the row being edited and the description box.
#pragma once

#include <QWidget>
#include <memory>

#include "options/OptionsModel.h"
#include "platform/qt/Frame.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace pm {
class Texts;
class Questions;
}  // namespace pm

namespace pm::gui {

class OptionsPanel : public QWidget, public FramePart {
    Q_OBJECT
public:
    OptionsPanel(OptionsModel& model, const Texts& texts, Questions& questions, QWidget* parent = nullptr);

    void BindCommands() override {}
    // Rows follow the settings whoever changed them.
    void OptionChanged(std::string_view storedName) override;
    void TextsApplied(const InterfaceTexts& texts) override;

    QTreeWidgetItem* Row(int row) const { return items_[size_t(row)]; }
    // Clicks as the user makes them: on the row's image or on its text.
    void ClickImage(int row);
    void ClickText(int row);
    const RowEditor& Editor() const { return editor_; }

    QTreeWidget* OptionsTree;
    QTextBrowser* Descr;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QSpinBox* SpinEdit1;
    QFontComboBox* FontComboBox1;
    QComboBox* ComboBox1;
    QComboBox* LangOption;
    QCheckBox* PresBreak;

public slots:
    void OptionsTreeChange(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    void OptionsTreeExit();
    void EditorChange();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTree();
    void BuildEditors();
    void ToggleRow(int row);
    void CommitOpenRow();
    void OpenRow(int row);
    void ShowEditor();
    void ReadEditor();
    void RefreshRows();
    int RowOf(const QTreeWidgetItem* item) const;
    bool OnImage(const QTreeWidgetItem* item, const QPoint& pos) const;

    OptionsModel& model_;
    const Texts& texts_;
    Questions& questions_;
    std::vector<QTreeWidgetItem*> items_;
    RowEditor editor_;
    bool filling_ = false;  // the widgets are being filled, not edited
};

}  // namespace pm::gui
