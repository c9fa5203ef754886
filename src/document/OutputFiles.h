// The files a conversion and its output know about, owned by the main window.
#pragma once

#include <string>
#include <vector>

namespace pm {

struct OutputFiles {
    std::string sourcePath;    // the loaded source file ("" before loading)
    std::string previewFile;   // what the preview browser shows
    bool previewShown = false; // the browser has shown previewFile before
    std::vector<std::string> tempFiles;  // deleted at exit
    std::vector<std::string> partFiles;  // files of the last split, in order
};

}  // namespace pm
