#include "pipeline/ConversionContext.h"

#include <algorithm>
#include <cmath>

namespace pm {

void ConversionContext::BeginStage(const std::string& processKey) {
    status.Status(texts.Task(processKey));
}

void ConversionContext::ReportProgressChange(size_t i, size_t count) {
    if (count == 0) return;
    // Strictly inside the same half percent the figure cannot change; on
    // a boundary the tie rule decides, so those are worked out in full.
    const size_t half = i * 200 / count;
    if (i * 200 % count != 0) {
        progressCount_ = count;
        progressFrom_ = half * count / 200 + 1;
        progressTo_ = ((half + 1) * count + 199) / 200;
    } else {
        progressCount_ = 0;
    }
    const double pct = std::clamp(std::nearbyint(100.0 * static_cast<double>(i) / static_cast<double>(count)), 0.0, 100.0);
    if (static_cast<int>(pct) == lastProgress_) return;
    lastProgress_ = static_cast<int>(pct);
    status.Progress(std::to_string(lastProgress_) + "%");
}

}  // namespace pm
