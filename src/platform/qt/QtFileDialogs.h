// The standard file dialogs and the folder chooser on Qt.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include "platform/FileDialogs.h"

namespace pm::gui {

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<FileDialogAnswer> SaveFile(const FileDialogRequest& request) override;
    std::optional<FileDialogAnswer> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const std::string& caption, const std::string& prompt,
                                            const std::string& startDir) override;

    // "Text|*.txt;*.text|All|*.*" -> {"Text (*.txt *.text)", "All (*.*)"}.
    static QStringList QtFilters(const std::string& filter1251);

private:
    std::optional<FileDialogAnswer> Run(const FileDialogRequest& request, bool save);
    QWidget* parent_;
};

}  // namespace pm::gui
