#include "platform/qt/QtFileDialogs.h"

#include <QFileDialog>

#include "platform/qt/Text1251.h"

namespace pm::gui {

QStringList QtFileDialogs::QtFilters(const std::string& filter1251) {
    const QStringList parts = FromCp1251(filter1251).split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << StripMnemonic(parts[i]) + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return filters;
}

std::optional<FileDialogAnswer> QtFileDialogs::Run(const FileDialogRequest& r, bool save) {
    QFileDialog dialog(parent_, FromCp1251(r.caption));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = QtFilters(r.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.value(r.filterIndex - 1, filters.first()));
    }
    if (!r.initialDir.empty()) dialog.setDirectory(FromFileName(r.initialDir));
    if (!r.fileName.empty()) dialog.selectFile(FromFileName(r.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    FileDialogAnswer a;
    a.path = ToFileName(dialog.selectedFiles().first());
    a.filterIndex = std::max<int>(1, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1);
    return a;
}

std::optional<FileDialogAnswer> QtFileDialogs::SaveFile(const FileDialogRequest& r) { return Run(r, true); }
std::optional<FileDialogAnswer> QtFileDialogs::OpenFile(const FileDialogRequest& r) { return Run(r, false); }

std::optional<std::string> QtFileDialogs::ChooseFolder(const std::string& caption, const std::string& prompt,
                                                       const std::string& startDir) {
    const QString title = prompt.empty() ? FromCp1251(caption) : FromCp1251(prompt);
    const QString dir = QFileDialog::getExistingDirectory(parent_, title, FromFileName(startDir));
    if (dir.isEmpty()) return std::nullopt;
    return ToFileName(dir);
}

}  // namespace pm::gui
