// pellmark-cli convert: intake, the pipeline and the save, without windows.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/TMain.h"
#include "cli/CliConfig.h"
#include "cli/Commands.h"
#include "cli/ConvertOptions.h"
#include "cli/TerminalStatus.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "output/Saving.h"
#include "pipeline/TextFormat.h"
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

void ApplyAnswers(const ConvertOptions& o, CliQuestions& q) {
    for (const auto& [name, yes] : o.answers) {
        if (name == "binary") q.loadBinary = yes;
        else if (name == "large") q.proceedLargeFile = yes;
        else if (name == "converted")
            q.formattingChoice = yes ? FormattingDetectedAnswer::Choice::OpenForEditing
                                     : FormattingDetectedAnswer::Choice::Cancel;
        else if (name == "encoding") q.wrongEncoding = yes ? YesNoCancel::Yes : YesNoCancel::No;
        else if (name == "title") q.confirmDocProperties = yes;
    }
    q.tocUncheck = o.tocUncheck;
}

std::string ProgramDir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : self.parent_path().string();
}

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

bool WriteOut(const std::string& path, const std::string& bytes, std::string& error) {
    if (path == "-") {
        const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
        if (!ok) error = "cannot write to standard output";
        return ok;
    }
    return WriteFileAtomic(path, bytes, &error);
}

std::string DefaultOutput(const ConvertOptions& o, const TMain& main) {
    const std::string ext = o.format == "txt" ? ".txt" : main.templates.Get("FileExt");
    fs::path out = fs::path(o.input).replace_extension(ext);
    if (fs::path(o.input) == out) out += ".converted" + ext;
    return out.string();
}

void ApplyDocValueOptions(const ConvertOptions& o, TMain& main) {
    if (o.titleSet) main.doc.title = cp1251::FromUtf8(o.title);
    if (o.authorSet) main.doc.author = cp1251::FromUtf8(o.author);
    if (o.shortTitleSet) main.doc.shortTitle = cp1251::FromUtf8(o.shortTitle);
    if (o.commentSet) main.doc.comment = cp1251::FromUtf8(o.comment);
}

// The finished document as "Save the result" writes it.
std::string SavedText(const TMain& main, SaveFormat fmt) {
    if (fmt == SaveFormat::Html) return main.DocumentText();
    return PlainTextDocument(main.Result(), main.settings, main.templates);
}

// Why a file could not be opened, as far as the system tells; "" when it
// looks readable (the loader then stopped for another reason it reported).
std::string WhyUnreadable(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::strerror(errno);
    if (S_ISDIR(st.st_mode)) return "it is a folder";
    if (!S_ISREG(st.st_mode)) return "it is not a regular file";
    if (::access(path.c_str(), R_OK) != 0) return std::strerror(errno);
    return {};
}

bool DocValueOptionsGiven(const ConvertOptions& o) {
    return o.titleSet || o.authorSet || o.shortTitleSet || o.commentSet;
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
    main.Start();
    for (const auto& [key, value] : o.sets)
        if (!ApplyCliSetting(main.settings, key, cp1251::FromUtf8(value), error)) return fail(error, 2);
    if (o.preset >= 0) {
        main.settings.AutoDetectFormat = false;
        ApplyTextFormatPreset(main.settings, o.preset);
    }
    if (!o.splitDir.empty()) main.settings.BreakTextApartByToc = true;
    main.openDialogType = o.openAs;
    main.driver.SetLastStage(o.stages);

    const bool loaded = main.LoadSrc(o.input);
    if (loaded && !main.HasResult()) main.Convert();
    if (!loaded || !main.HasResult()) {
        main.Shutdown();
        if (main.lastLoadOutcome == LoadOutcome::OpenInReader)
            return fail("\"" + o.input + "\" was made by Pellmark and \"Open for reading converted\" opens such "
                        "files for reading; add --set \"Open for reading converted=2\" to convert it anyway");
        if (questions.CountAsked("binary") > 0 && !questions.loadBinary)
            return fail("\"" + o.input + "\" does not look like a text file and was not loaded; add --answer "
                        "binary=yes to load it anyway");
        const std::string why = main.lastLoadOutcome == LoadOutcome::Nothing ? WhyUnreadable(o.input) : "";
        return fail("nothing was converted from \"" + o.input + "\"" + (why.empty() ? "" : ": " + why));
    }
    if (DocValueOptionsGiven(o)) {
        ApplyDocValueOptions(o, main);
        main.driver.Invalidate();
        main.Convert();
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
        main.RefreshPreview();  // writes the index file among the parts
        status.Clear();
        if (ec) code = fail("cannot create the folder \"" + o.splitDir + "\": " + ec.message());
        else if (!main.CopyPartFilesTo(o.splitDir, &error)) code = fail(error);
        else std::fprintf(stderr, "Wrote %zu files into %s\n", main.files.partFiles.size(), o.splitDir.c_str());
    } else {
        const std::string out = o.output.empty() ? DefaultOutput(o, main) : o.output;
        const SaveFormat fmt = o.format == "txt" ? SaveFormat::PlainText : SaveFormat::Html;
        if (out == "-") {
            if (!WriteOut(out, SavedText(main, fmt), error)) code = fail(error);
        } else if (!main.SaveResultAs(out, fmt, &error)) {
            code = fail(error);
        } else if (::isatty(STDERR_FILENO)) {
            status.Clear();
            std::fprintf(stderr, "Wrote %s\n", out.c_str());
        }
    }
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
    return Convert(opts);
}

}  // namespace pm::cli
