#include "app/DeviceBook.h"

#include "app/TMain.h"
#include "common/AtomicFile.h"

namespace pm {

bool FinishedBook(TMain& main, std::vector<shell::BookFile>& book, std::string* error) {
    if (!main.HasResult() || main.files.previewFile.empty()) {
        if (error) *error = "There is no converted book to send.";
        return false;
    }
    if (!WriteFileAtomic(main.files.previewFile, main.DocumentText(), error)) return false;
    book = shell::BookFilesOf(main.files, main.templates.Get("FileExt"));
    return true;
}

}  // namespace pm
