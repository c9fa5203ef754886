// pellmark-cli convert: intake, the pipeline and the save, without windows.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/TMain.h"
#include "cli/BatchConvert.h"
#include "cli/CliConfig.h"
#include "cli/CliXml.h"
#include "cli/Commands.h"
#include "cli/ConvertJob.h"
#include "cli/ConvertOptions.h"
#include "cli/TerminalStatus.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "output/Saving.h"
#include "pipeline/TextFormat.h"
#include "pipeline/Title.h"
#include "platform/ScriptedQuestions.h"

namespace pm::cli {
namespace {

namespace fs = std::filesystem;

int Fail(const std::string& text, int code = 1) {
    std::fprintf(stderr, "pellmark-cli: %s\n", text.c_str());
    return code;
}

// The questions of loading and converting, answered as the options say.
class CliQuestions final : public ScriptedQuestions {
public:
    explicit CliQuestions(TerminalStatus& status) : status_(status) {}
    void ShowMessage(const std::string& caption, const std::string& text, MessageIcon icon) override {
        ScriptedQuestions::ShowMessage(caption, text, icon);
        status_.Clear();
        std::fprintf(stderr, "pellmark-cli: %s: %s\n", cp1251::ToUtf8(caption).c_str(),
                     cp1251::ToUtf8(text).c_str());
    }

private:
    TerminalStatus& status_;
};

// "\n" inside an entry as \n, a backslash as \\.
std::string EscapeEntry(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out;
}

int Convert(const ConvertOptions& o) {
    ConfigTree tree;
    std::string error;
    if (!LoadCliConfig(o.configFile, o.noConfig, tree, error)) return Fail(error);
    tree.SetReadOnly(true);

    TerminalStatus status;
    // Whatever is printed from here on starts below the status line.
    auto fail = [&status](const std::string& text, int code = 1) {
        status.Clear();
        return Fail(text, code);
    };
    CliQuestions questions(status);
    ApplyAnswers(o, questions);
    MainUi ui;
    ui.status = &status;
    ui.questions = &questions;
    TMain main(tree, ui, ProgramDir());
    main.writePreviewFile = false;  // written below only where a result needs it
    CliXmlFrontEnd xmlFront(main, status);
    main.ui.frontEnd = &xmlFront;
    main.Start();
    if (!ApplyConvertSettings(o, main, error)) return fail(error, 2);

    if (!LoadAndConvert(o, main, questions, o.input, error)) {
        main.Shutdown();
        return fail(error);
    }

    int code = 0;
    // Standard output may be the same terminal.
    status.Clear();
    if (o.dumpLines) {
        const LineList result = main.Result();
        std::string dump;
        for (size_t i = 0; i < result.Count(); ++i)
            dump += std::to_string(result.Mark(i)) + "\t" + cp1251::ToUtf8(EscapeEntry(result.Text(i))) + "\n";
        if (!WriteOut(o.output.empty() ? "-" : o.output, dump, error)) code = fail(error);
    } else if (!o.splitDir.empty()) {
        std::error_code ec;
        fs::create_directories(o.splitDir, ec);
        main.writePreviewFile = true;
        main.RefreshPreview();  // writes the index file among the parts
        status.Clear();
        if (ec) code = fail("cannot create the folder \"" + o.splitDir + "\": " + ec.message());
        else if (!main.CopyPartFilesTo(o.splitDir, &error)) code = fail(error);
        else std::fprintf(stderr, "Wrote %zu files into %s\n", main.files.partFiles.size(), o.splitDir.c_str());
    } else {
        const std::string out = o.output.empty() ? DefaultOutput(o, main, o.input) : o.output;
        // An XML result is checked as the desktop program checks its preview.
        if (main.templates.XmlOutputMode()) {
            main.RefreshPreview();
            status.Clear();
        }
        if (!SaveBook(o, main, out, error)) {
            code = fail(error);
        } else if (out != "-" && ::isatty(STDERR_FILENO)) {
            status.Clear();
            std::fprintf(stderr, "Wrote %s\n", out.c_str());
        }
    }
    if (xmlFront.ReportLast() && code == 0) code = fail("the XML check found an error in the document (reported above)");
    main.Shutdown();
    return code;
}

}  // namespace

int RunConvert(const Args& args) {
    ConvertOptions opts;
    std::string error;
    if (!ParseConvertOptions(args, opts, error)) {
        std::fprintf(stderr, "pellmark-cli convert: %s\n%s", error.c_str(), "Try \"pellmark-cli convert --help\".\n");
        return 2;
    }
    if (opts.help) {
        std::fputs(ConvertHelp(), stdout);
        return 0;
    }
    std::error_code ec;
    if (IsBatch(opts) || fs::is_directory(opts.input, ec)) return ConvertBooks(opts);
    return Convert(opts);
}

}  // namespace pm::cli
