// The standard file dialogs and the folder chooser. The desktop program shows
// real dialogs; a front end without windows leaves MainUi::dialogs null and
// names its files itself.
//
// Paths are file-system strings (UTF-8 on Linux); captions and filter texts
// are Windows-1251 like every other interface text of the core.
#pragma once

#include <optional>
#include <string>

namespace pm {

// A save or open dialog. filter is in the "Description|*.a;*.b|Other|*.c"
// form; filterIndex counts its pairs from 1.
struct FileDialogRequest {
    std::string caption;     // empty: the dialog's own caption
    std::string filter;
    int filterIndex = 1;     // the pair preselected
    std::string initialDir;  // empty: the dialog decides
    std::string fileName;    // proposed name, may be empty
};

struct FileDialogAnswer {
    std::string path;     // as the user chose it (no extension added)
    int filterIndex = 1;  // the pair selected when confirming, from 1
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The save dialog; nothing when cancelled.
    virtual std::optional<FileDialogAnswer> SaveFile(const FileDialogRequest& request) = 0;
    // The open dialog; nothing when cancelled.
    virtual std::optional<FileDialogAnswer> OpenFile(const FileDialogRequest& request) = 0;
    // The folder chooser with its caption and prompt; nothing when cancelled.
    virtual std::optional<std::string> ChooseFolder(const std::string& caption, const std::string& prompt,
                                                    const std::string& startDir) = 0;
};

}  // namespace pm
