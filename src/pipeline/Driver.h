// The pipeline driver: the one place that knows the stage order.
#pragma once

#include <cstddef>
#include <string_view>

#include "pipeline/ConversionContext.h"

namespace pm {

struct StageInfo {
    int number;
    std::string_view processKey;  // empty: the stage shows no status of its own
    bool (*runs)(const ConversionContext&);
    void (*run)(ConversionContext&);  // null for stage 1 (the tokeniser)
    bool announceWhenSkipped = false;  // the status text shows even when the stage does not run
};

// The stage table in its fixed order (stage 1 first).
const StageInfo* StageTable(size_t& count);

class PipelineDriver {
public:
    // Runs the stages on source, leaving the finished list in ctx.lines.
    // Returns false, doing nothing, while the conversion is up to date.
    bool Convert(LineList source, ConversionContext& ctx);
    // The same for a source text, broken into lines as LineList::FromText
    // breaks it, without holding those lines a second time.
    bool Convert(std::string_view sourceText, ConversionContext& ctx);

    bool UpToDate() const { return upToDate_; }
    void Invalidate() { upToDate_ = false; }

    // Runs only stages 1..lastStage (0 runs none: ctx.lines is the source).
    void SetLastStage(int lastStage) { lastStage_ = lastStage; }

private:
    bool Begin(ConversionContext& ctx);
    bool RunStages(ConversionContext& ctx);

    bool upToDate_ = false;
    int lastStage_ = 1000;
};

}  // namespace pm
