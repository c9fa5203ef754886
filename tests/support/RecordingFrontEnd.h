// A front end that records what the main window's logic asked of it.
#pragma once

#include <string>
#include <vector>

#include "app/FrontEnd.h"

namespace pm::test {

class RecordingFrontEnd : public FrontEnd {
public:
    std::vector<std::string> opened;  // books opened for reading
    std::vector<int> modes;           // modes switched to
    int readerSaves = 0, readerForgets = 0, xmlChecks = 0;
    bool takeBookDescription = false;  // the editor takes the title question
    std::vector<BookDescriptionPrefill> descriptions;

    void SaveReaderChanges() override { ++readerSaves; }
    void ForgetReaderChanges() override { ++readerForgets; }
    void OpenForReading(const std::string& path) override { opened.push_back(path); }
    bool SwitchInterfaceMode(int mode) override {
        modes.push_back(mode);
        return false;
    }
    void CheckXmlOutput() override { ++xmlChecks; }
    bool EditBookDescription(const BookDescriptionPrefill& prefill) override {
        descriptions.push_back(prefill);
        return takeBookDescription;
    }
};

}  // namespace pm::test
