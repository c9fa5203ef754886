// The steps of "convert" that one book and a whole library share: the
// questions answered and the settings applied as the options say, the
// reason when nothing was converted, and the save in the chosen format.
#pragma once

#include <string>

#include "app/TMain.h"
#include "cli/ConvertOptions.h"
#include "platform/ScriptedQuestions.h"

namespace pm::cli {

// The answers of --answer and --toc-uncheck.
void ApplyAnswers(const ConvertOptions& o, ScriptedQuestions& q);
// --set, --preset, --split, --open-as, --stages and the output code page,
// on a started main window. False with one sentence in error on a bad --set.
bool ApplyConvertSettings(const ConvertOptions& o, TMain& main, std::string& error);
// Loads and converts input; on failure false with the reason in error.
bool LoadAndConvert(const ConvertOptions& o, TMain& main, const ScriptedQuestions& q, const std::string& input,
                    std::string& error);
// The file written for input when no output is named: beside it, with the
// extension of the format (".converted" added when that is input itself).
std::string DefaultOutput(const ConvertOptions& o, const TMain& main, const std::string& input);
// The save the format option names: txt, epub, or the document (in XML
// description mode with its public references, xml-link adding the style
// sheet's).
SaveFormat SaveFormatOf(const ConvertOptions& o, const TMain& main);
// The bytes of the finished book in the format of the options, as SaveBook
// writes them (the split book's part files aside).
bool SavedBytes(const ConvertOptions& o, TMain& main, std::string& bytes, std::string& error);
// Writes the finished book in the format of the options to path ("-" is
// standard output).
bool SaveBook(const ConvertOptions& o, TMain& main, const std::string& path, std::string& error);
// Bytes to path, or to standard output for "-".
bool WriteOut(const std::string& path, const std::string& bytes, std::string& error);
// The folder of the program (for the templates' %pellmarkpath%).
std::string ProgramDir();

}  // namespace pm::cli
