#include "cli/ConvertJob.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/EpubExport.h"
#include "cli/CliConfig.h"
#include "common/AtomicFile.h"
#include "common/Cp1251.h"
#include "output/Saving.h"
#include "output/Utf8Output.h"
#include "pipeline/TextFormat.h"
#include "pipeline/Title.h"

namespace pm::cli {
namespace {

namespace fs = std::filesystem;

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

void ApplyDocValueOptions(const ConvertOptions& o, TMain& main) {
    if (o.titleSet) main.doc.title = cp1251::FromUtf8(o.title);
    if (o.authorSet) {
        main.doc.author = cp1251::FromUtf8(o.author);
        SplitAuthor(main.doc);
    }
    if (o.shortTitleSet) main.doc.shortTitle = cp1251::FromUtf8(o.shortTitle);
    if (o.commentSet) main.doc.comment = cp1251::FromUtf8(o.comment);
}

}  // namespace

void ApplyAnswers(const ConvertOptions& o, ScriptedQuestions& q) {
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

bool ApplyConvertSettings(const ConvertOptions& o, TMain& main, std::string& error) {
    for (const auto& [key, value] : o.sets)
        if (!ApplyCliSetting(main.settings, key, cp1251::FromUtf8(value), error)) return false;
    if (o.preset >= 0) {
        main.settings.AutoDetectFormat = false;
        ApplyTextFormatPreset(main.settings, o.preset);
    }
    if (!o.splitDir.empty()) main.settings.BreakTextApartByToc = true;
    if (!o.outputEncoding.empty()) main.settings.OutputUtf8 = o.outputEncoding == "utf-8";
    main.openDialogType = o.openAs;
    main.driver.SetLastStage(o.stages);
    return true;
}

bool LoadAndConvert(const ConvertOptions& o, TMain& main, const ScriptedQuestions& q, const std::string& input,
                    std::string& error) {
    const bool loaded = main.LoadSrc(input);
    if (loaded && !main.HasResult()) main.Convert();
    if (!loaded || !main.HasResult()) {
        if (main.lastLoadOutcome == LoadOutcome::OpenInReader)
            error = "\"" + input + "\" was made by Pellmark and \"Open for reading converted\" opens such "
                    "files for reading; add --set \"Open for reading converted=2\" to convert it anyway";
        else if (q.CountAsked("binary") > 0 && !q.loadBinary)
            error = "\"" + input + "\" does not look like a text file and was not loaded; add --answer "
                    "binary=yes to load it anyway";
        else {
            const std::string why = main.lastLoadOutcome == LoadOutcome::Nothing ? WhyUnreadable(input) : "";
            error = "nothing was converted from \"" + input + "\"" + (why.empty() ? "" : ": " + why);
        }
        return false;
    }
    if (DocValueOptionsGiven(o)) {
        ApplyDocValueOptions(o, main);
        // In XML description mode the description is made again from them.
        if (main.xmlDescriptionLoaded) main.frontEnd().EditBookDescription(MakeBookDescriptionPrefill(main.doc, ""));
        main.driver.Invalidate();
        main.Convert();
    }
    main.ForgetSource();  // converted for good: only the result is saved
    return true;
}

std::string DefaultOutput(const ConvertOptions& o, const TMain& main, const std::string& input) {
    const std::string ext = o.format == "txt" ? ".txt" : o.format == "epub" ? ".epub" : main.templates.Get("FileExt");
    fs::path out = fs::path(input).replace_extension(ext);
    if (fs::path(input) == out) out += ".converted" + ext;
    return out.string();
}

bool WriteOut(const std::string& path, const std::string& bytes, std::string& error) {
    if (path == "-") {
        const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
        if (!ok) error = "cannot write to standard output";
        return ok;
    }
    return WriteFileAtomic(path, bytes, &error);
}

SaveFormat SaveFormatOf(const ConvertOptions& o, const TMain& main) {
    if (o.format == "txt") return SaveFormat::PlainText;
    if (o.format == "epub") return SaveFormat::Epub;
    if (!main.xmlDescriptionLoaded) return SaveFormat::Html;
    return o.format == "xml-link" ? SaveFormat::XmlWithStyleSheet : SaveFormat::XmlStandalone;
}

bool SavedBytes(const ConvertOptions& o, TMain& main, std::string& bytes, std::string& error) {
    const SaveFormat fmt = SaveFormatOf(o, main);
    if (fmt == SaveFormat::Epub) {
        epub::BookSource book;
        if (!EpubSourceOf(main, book, &error)) return false;
        bytes = epub::ZipPackage(epub::BuildPackage(book), book.info.modified, &error);
        return !bytes.empty();
    }
    const bool plain = fmt == SaveFormat::PlainText;
    bytes = InOutputCodePage(main.SavedDocumentText(fmt), plain, main.settings.OutputUtf8);
    return true;
}

bool SaveBook(const ConvertOptions& o, TMain& main, const std::string& path, std::string& error) {
    if (path != "-") return main.SaveResultAs(path, SaveFormatOf(o, main), &error);
    std::string bytes;
    return SavedBytes(o, main, bytes, error) && WriteOut(path, bytes, error);
}

std::string ProgramDir() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string(".") : self.parent_path().string();
}

}  // namespace pm::cli
