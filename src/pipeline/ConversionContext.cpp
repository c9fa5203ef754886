#include "pipeline/ConversionContext.h"

#include <cmath>

namespace pm {

void ConversionContext::BeginStage(const std::string& processKey) {
    status.Status(texts.Task(processKey));
}

void ConversionContext::ReportProgress(size_t i, size_t count) {
    if (count == 0) return;
    double pct = std::nearbyint(100.0 * static_cast<double>(i) / static_cast<double>(count));
    if (pct > 100) pct = 100;
    if (pct < 0) pct = 0;
    std::string text = std::to_string(static_cast<int>(pct)) + "%";
    if (text == lastProgress_) return;
    lastProgress_ = std::move(text);
    status.Progress(lastProgress_);
}

}  // namespace pm
