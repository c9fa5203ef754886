// A conversion context with its own settings, templates and scripted
// answers, for stage tests and benchmarks.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "pipeline/ConversionContext.h"
#include "platform/ScriptedQuestions.h"

namespace pm::test {

class RecordingStatus : public StatusSink {
public:
    std::vector<std::string> statuses, progress;
    void Status(const std::string& t) override { statuses.push_back(t); }
    void Progress(const std::string& t) override { progress.push_back(t); }
};

// Status: RecordingStatus for tests, NullStatusSink for benchmarks.
template <class Status>
struct BasicContext {
    Settings settings;
    DocValues doc;
    Templates templates;
    Texts texts;
    Status status;
    ScriptedQuestions questions;
    OutputFiles files;
    ConversionContext ctx{settings, doc, templates, texts, status, questions, files};

    // Fills ctx.lines with the given entries (text, mark).
    void SetLines(std::initializer_list<std::pair<std::string, int>> entries) {
        ctx.lines.Clear();
        for (const auto& [t, m] : entries) ctx.lines.Append(t, m);
    }
    std::vector<std::string> LineTexts() const {
        std::vector<std::string> out;
        for (size_t i = 0; i < ctx.lines.Count(); ++i) out.push_back(ctx.lines.Text(i));
        return out;
    }
    std::vector<int> Marks() const {
        std::vector<int> out;
        for (size_t i = 0; i < ctx.lines.Count(); ++i) out.push_back(ctx.lines.Mark(i));
        return out;
    }
};

using TestContext = BasicContext<RecordingStatus>;
using QuietContext = BasicContext<NullStatusSink>;

}  // namespace pm::test
