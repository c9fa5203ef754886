// Everything a pipeline stage may use: the line list, the settings, the
// document values, the templates and the services of the main window. Stages
// share nothing else.
#pragma once

#include <string>
#include <vector>

#include "config/Settings.h"
#include "config/Texts.h"
#include "document/Templates.h"
#include "document/DocValues.h"
#include "document/LineList.h"
#include "document/OutputFiles.h"
#include "platform/Questions.h"
#include "platform/StatusSink.h"

namespace pm {

class FontTable;       // hyphen/FontTables.h
class RegexRuleLists;  // regexlists/RegExprList.h

struct ConversionContext {
    ConversionContext(Settings& s, DocValues& d, const Templates& t, const Texts& x, StatusSink& st,
                      Questions& q, OutputFiles& f)
        : settings(s), doc(d), templates(t), texts(x), status(st), questions(q), files(f),
          showsProgress_(st.ShowsProgress()) {}

    LineList lines;
    Settings& settings;
    DocValues& doc;
    const Templates& templates;
    const Texts& texts;
    StatusSink& status;
    Questions& questions;
    OutputFiles& files;
    const FontTable* font = nullptr;           // the chosen device font, if loaded
    const RegexRuleLists* rules = nullptr;     // the user's rule lists, if loaded
    bool xmlDescriptionLoaded = false;         // an XML book description is in use
    std::string xmlReferences;                 // then: "SYS DTD" + "XML Style sheet", the head entry

    // Per-conversion state of the stages.
    bool longTagWarned = false;
    // A question of a stage was closed without an answer: the driver gives
    // the conversion up and the last result stays.
    bool cancelled = false;

    // "CurrentTask: " + the process text of key.
    void BeginStage(const std::string& processKey);
    // The progress figure of a stage at index i of count entries (whole
    // percent, ties to even, at most 100); the sink hears only changes.
    // Stages call this for every entry: the common case stays inline.
    void ReportProgress(size_t i, size_t count) {
        if (showsProgress_ && (count != progressCount_ || i < progressFrom_ || i >= progressTo_)) ReportProgressChange(i, count);
    }

private:
    void ReportProgressChange(size_t i, size_t count);

    const bool showsProgress_;
    int lastProgress_ = -1;  // the figure the sink heard last
    // Entries [progressFrom_, progressTo_) of progressCount_ keep that figure.
    size_t progressCount_ = 0, progressFrom_ = 0, progressTo_ = 0;
};

}  // namespace pm
