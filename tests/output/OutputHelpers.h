// Shared pieces of the document output tests: a scratch folder, scripted
// file dialogs and a main window wired to a headless view.
#pragma once

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>

#include "app/TMain.h"
#include "common/AtomicFile.h"
#include "platform/FileDialogs.h"
#include "platform/HeadlessHtmlView.h"
#include "support/Files.h"
#include "support/RecordingFrontEnd.h"
#include "support/TestContext.h"

namespace pm::test {

class ScratchDir {
public:
    ScratchDir() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "pm-output-XXXXXX").string();
        path_ = mkdtemp(tmpl.data());
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Answers every dialog from a queue; an empty queue cancels.
class ScriptedDialogs : public FileDialogs {
public:
    std::deque<FileDialogAnswer> saves;
    std::deque<std::string> folders;
    std::vector<FileDialogRequest> requests;
    std::vector<std::string> folderStarts;

    std::optional<FileDialogAnswer> SaveFile(const FileDialogRequest& r) override {
        requests.push_back(r);
        if (saves.empty()) return std::nullopt;
        FileDialogAnswer a = saves.front();
        saves.pop_front();
        return a;
    }
    std::optional<FileDialogAnswer> OpenFile(const FileDialogRequest& r) override { return SaveFile(r); }
    std::optional<std::string> ChooseFolder(const std::string&, const std::string&, const std::string& start) override {
        folderStarts.push_back(start);
        if (folders.empty()) return std::nullopt;
        std::string f = folders.front();
        folders.pop_front();
        return f;
    }
};

struct Window {
    ConfigTree hive;
    ScriptedQuestions questions;
    RecordingStatus status;
    HeadlessHtmlView view;
    ScriptedDialogs dialogs;
    RecordingFrontEnd front;
    TMain main{hive,
               MainUi{.questions = &questions, .status = &status, .preview = &view, .dialogs = &dialogs,
                      .frontEnd = &front},
               "/opt/pellmark"};

    // Publishes a small finished document as the result.
    void PublishDocument(const std::string& body = "<div>Hello &amp; welcome</div>") {
        LineList l;
        l.Append("<html><head><title>T</title></head><body>", kMarkBlock);
        l.Append(body, kMarkBlock);
        l.Append("</body></html>", kMarkBlock);
        main.Publish(std::move(l));
    }
};

}  // namespace pm::test
