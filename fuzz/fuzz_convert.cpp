// The whole conversion: source bytes through loading, code-page intake,
// every pipeline stage and document assembly, as the headless front end
// runs it. The first bytes of the input choose the options, the rest is
// the book.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>

#include "FuzzInput.h"
#include "app/TMain.h"
#include "common/AtomicFile.h"
#include "pipeline/TextFormat.h"
#include "platform/ScriptedQuestions.h"

namespace {

namespace fs = std::filesystem;

// The switches of the conversion that the first four bytes turn on or off,
// each through its setter as the options panel sets it.
constexpr void (pm::Settings::*kSwitches[])(bool) = {
    &pm::Settings::SetKillLinks,        &pm::Settings::SetKillGraph,          &pm::Settings::SetKillFormsScripts,
    &pm::Settings::SetKillPreTags,      &pm::Settings::SetConvertPToDiv,      &pm::Settings::SetConvertBrToDiv,
    &pm::Settings::SetAddNbsp,          &pm::Settings::SetSpacesAtStartToDiv, &pm::Settings::SetDialogsToDiv,
    &pm::Settings::SetEmptyLineToDiv,   &pm::Settings::SetUnderscoreToItalic, &pm::Settings::SetDetectHeaders,
    &pm::Settings::SetInsertHr,         &pm::Settings::SetCreateToc,          &pm::Settings::SetTrySplitTitle,
    &pm::Settings::SetConvertBrackets,  &pm::Settings::SetConvertQuotes,      &pm::Settings::SetConvertDashes,
    &pm::Settings::SetConvertThreePoints, &pm::Settings::SetAddAuthorToTitle, &pm::Settings::SetDetectEpigraphs,
    &pm::Settings::SetHyphenate,        &pm::Settings::SetPreserveBreaksInEpigraph, &pm::Settings::SetKillSpanTags,
    &pm::Settings::SetKillFontTags,     &pm::Settings::SetKillStylesAndClasses, &pm::Settings::SetBreakTextApartByToc,
    &pm::Settings::SetMakeShortTitleLatin, &pm::Settings::SetRemoveAllHtml, &pm::Settings::SetOutputUtf8,
    &pm::Settings::SetAskAboutTitle,    &pm::Settings::SetILikeOrientation,
};
static_assert(std::size(kSwitches) <= 32);

// A folder of this process for the source file and whatever the
// conversion writes beside it (preview, part files), removed at exit.
class WorkFolder {
public:
    WorkFolder() : dir_(fs::temp_directory_path() / ("pellmark-fuzz-convert-" + std::to_string(::getpid()))) {
        fs::create_directories(dir_);
    }
    ~WorkFolder() {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    const fs::path& Path() const { return dir_; }

private:
    fs::path dir_;
};

const fs::path& WorkDir() {
    static const WorkFolder folder;
    return folder.Path();
}

void ApplyOptions(pm::fuzz::FuzzInput& in, pm::TMain& main, pm::ScriptedQuestions& q) {
    pm::Settings& s = main.settings;
    const uint32_t bits = in.Bits32();
    for (size_t i = 0; i < std::size(kSwitches); ++i) (s.*kSwitches[i])((bits >> i) & 1);
    const uint8_t format = in.Byte();
    s.SetAutoDetectFormat(format % 4 == 3);
    if (!s.AutoDetectFormat) pm::ApplyTextFormatPreset(s, format % 4);
    main.openDialogType = 1 + (format / 4) % 3;
    q.loadBinary = format & 0x80;
    s.SetLongStringsMin(in.Byte());
    s.SetShortStringsMax(in.Byte());
    const uint8_t small = in.Byte();
    s.SetNumberOfNbsp(small % 8);
    s.SetDetectTwoEmptyLines((small / 8) % 4);
    s.SetConfirmToc(small & 0x40);
    s.SetAskAboutLargeFiles(false);
    s.SetUseSourceEditor(false);
    s.SetUseSystemTemp(false);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    pm::fuzz::FuzzInput in(data, size);
    pm::ConfigTree tree;
    pm::ScriptedQuestions questions;
    pm::NullStatusSink status;
    pm::MainUi ui;
    ui.questions = &questions;
    ui.status = &status;
    pm::TMain main(tree, ui, WorkDir().string());
    main.Start();
    main.writePreviewFile = false;
    ApplyOptions(in, main, questions);

    const std::string source = (WorkDir() / "book.txt").string();
    pm::WriteFileAtomic(source, std::string(in.Rest()));
    if (main.LoadSrc(source) && main.HasResult()) {
        main.DocumentText();
        main.SavedDocumentText(pm::SaveFormat::PlainText);
    }
    main.Shutdown();
    for (const auto& entry : fs::directory_iterator(WorkDir())) fs::remove_all(entry.path());
    return 0;
}
