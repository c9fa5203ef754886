#include "pipeline/TextFormat.h"
#include "common/LineBreaks.h"

#include <climits>
#include <cmath>
#include <string_view>
#include <vector>

#include "common/Cp1251.h"
#include "config/Settings.h"

namespace pm {
namespace {

struct PresetValues {
    int32_t longMin, shortMax;
    bool lineRules;  // spaces, dialogs and empty lines start paragraphs
};

constexpr PresetValues kPresets[] = {
    {81, 0, true},        // fixed width
    {80, 81, true},       // one line, one paragraph
    {INT32_MAX, 0, false} // HTML tags break the text
};

// Lines of a sample split at CR LF, CR or LF; a final line end adds no line.
std::vector<std::string_view> SplitLines(std::string_view s) {
    std::vector<std::string_view> out;
    const std::string_view rest = text::ForEachLineBreak(s, [&out](std::string_view line) { out.push_back(line); });
    if (!rest.empty()) out.push_back(rest);
    return out;
}

struct Scores {
    int fixed = 0, longLines = 0, html = 0;
};

void ScoreLine(std::string_view raw, Scores& sc) {
    const std::string line = cp1251::LowerCase(raw);
    if (!line.empty() && line[0] == ' ') ++sc.fixed;
    if (line.size() == 80 || line.size() == 76) ++sc.fixed;
    if (line.empty()) ++sc.fixed;
    if (line.size() > 80) ++sc.longLines;
    if (line.find("<br>") != std::string::npos || line.find("<p") != std::string::npos ||
        line.find("<div") != std::string::npos)
        ++sc.html;
}

}  // namespace

int DetectTextFormatPreset(const std::string& text) {
    if (text.size() < 2000) return kPresetFixedWidth;
    // Characters 2000 to 9999 counted from 1, or to the length minus 2.
    const size_t first = 1999;
    const size_t end = text.size() <= 9999 ? text.size() - 2 : 9999;
    std::vector<std::string_view> lines = SplitLines(std::string_view(text).substr(first, end - first));
    if (!lines.empty()) lines.erase(lines.begin());  // cut by the sample start
    if (lines.size() <= 4) return kPresetFixedWidth;
    lines.pop_back();  // cut by the sample end

    Scores sc;
    for (std::string_view l : lines) ScoreLine(l, sc);
    const int fixed = static_cast<int>(std::nearbyint(sc.fixed / 1.3));  // ties to even
    if (fixed < sc.html && sc.longLines < sc.html) return kPresetHtml;
    if (sc.html < fixed && sc.longLines < fixed) return kPresetFixedWidth;
    return kPresetLinePerParagraph;
}

void ApplyTextFormatPreset(Settings& settings, int preset) {
    if (preset < kPresetFixedWidth || preset > kPresetHtml) return;
    const PresetValues& p = kPresets[preset];
    // Through the setters, so that the options panel shows the new values.
    settings.SetLongStringsMin(p.longMin);
    settings.SetShortStringsMax(p.shortMax);
    settings.SetSpacesAtStartToDiv(p.lineRules);
    settings.SetDialogsToDiv(p.lineRules);
    settings.SetEmptyLineToDiv(p.lineRules);
}

}  // namespace pm
