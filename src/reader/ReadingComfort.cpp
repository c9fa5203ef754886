#include "reader/ReadingComfort.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "common/Format.h"

namespace pm::reader {
namespace {

constexpr std::string_view kHandOverStem = "~$$$Pellmark~tmp~~";
constexpr std::string_view kDefaultOutputExt = ".html";
constexpr const char* kBuiltInFont = "Verdana";

}  // namespace

// ---- autoscroll

int32_t ChangedScrollInterval(int32_t interval, int step) {
    const int64_t changed = int64_t{interval} + step;
    return static_cast<int32_t>(std::clamp<int64_t>(changed, kFastestScrollMs, kSlowestScrollMs));
}

std::string ScrollRateText(int32_t interval) {
    return std::to_string(1000 / std::max<int32_t>(interval, 1)) + "/sec";
}

int ScrollStepPixels(bool turbo) { return turbo ? 2 : 1; }

int TimerInterval(int32_t stored) { return std::max<int32_t>(stored, 1); }

// ---- text size

int TextSizeLevel(int current, int tag) {
    const int level = tag >= kZoomSmallest && tag <= kZoomLargest ? tag : current + tag - 100;
    return std::clamp(level, kZoomSmallest, kZoomLargest);
}

// ---- progress

int ProgressPercent(int scrollTop, int scrollHeight) {
    if (scrollHeight <= 0) return 0;
    return static_cast<int>(std::lround(double(scrollTop) / scrollHeight * 100.0));
}

// ---- styles

ReaderStyle BuiltInStyle(int tag) {
    if (tag == kBlackGreenStyle) return {kBuiltInFont, "", "Lime", "Black"};
    return {kBuiltInFont, "", "Yellow", "Black"};
}

ReaderStyle RememberedStyle(const Settings& s) {
    return {s.DefStyleFontName, s.DefStyleFontSize, s.DefStyleFontColor, s.DefStyleBodyColor};
}

void RememberStyle(Settings& s, const ReaderStyle& style) {
    s.SetDefStyleFontName(style.fontName);
    s.SetDefStyleFontSize(style.fontSize);
    s.SetDefStyleFontColor(style.textColor);
    s.SetDefStyleBodyColor(style.bodyColor);
}

void LayStyle(HtmlView& view, const ReaderStyle& style) {
    view.SetBodyStyle(BodyStyleProperty::Color, style.textColor);
    view.SetBodyStyle(BodyStyleProperty::BackgroundColor, style.bodyColor);
    view.SetBodyStyle(BodyStyleProperty::FontFamily, style.fontName);
    if (!style.fontSize.empty()) view.SetBodyStyle(BodyStyleProperty::FontSize, style.fontSize);
}

void RemoveStyle(HtmlView& view) { view.SetBodyStyle(BodyStyleProperty::CssText, ""); }

std::string ApplyStyleStatus(const Texts& texts, const ReaderStyle& s) {
    return texts.Proc("CurrentTask") + FormatTemplate(texts.Proc("ApplyStyle"),
                                           {s.fontName, s.fontSize, s.textColor, s.bodyColor});
}

bool ApplyReaderStyle(HtmlView& view, const ReaderStyle& style, const Texts& texts, StatusSink& status) {
    if (style.Empty() || view.ReadyState().empty()) return false;
    status.Status(ApplyStyleStatus(texts, style));
    status.Busy(true);
    view.ProcessPendingEvents();
    WaitUntilReady(view);
    const std::pair<BodyStyleProperty, const std::string*> order[] = {
        {BodyStyleProperty::FontFamily, &style.fontName},
        {BodyStyleProperty::Color, &style.textColor},
        {BodyStyleProperty::FontSize, &style.fontSize},
        {BodyStyleProperty::BackgroundColor, &style.bodyColor},
    };
    for (const auto& [property, value] : order)
        if (!value->empty()) view.SetBodyStyle(property, *value);
    status.Busy(false);
    status.Status(texts.Proc("Ready"));
    return true;
}

const std::array<NamedColor, 16> kStandardColors = {{
    {"Black", 0x000000},  {"Maroon", 0x800000}, {"Green", 0x008000}, {"Olive", 0x808000},
    {"Navy", 0x000080},   {"Purple", 0x800080}, {"Teal", 0x008080},  {"Gray", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0xFF0000},    {"Lime", 0x00FF00},  {"Yellow", 0xFFFF00},
    {"Blue", 0x0000FF},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF}, {"White", 0xFFFFFF},
}};

std::string ColorText(uint32_t rgb) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(rgb >> shift) & 0xFu];
    return text;
}

std::string ColorReadout(const std::string& shownName, uint32_t rgb) {
    return shownName.empty() ? ColorText(rgb) : shownName;
}

// ---- full screen

std::string HandOverFileName(const std::string& bookPath, const std::string& outputExt) {
    const std::string ext = outputExt.empty() ? std::string(kDefaultOutputExt) : outputExt;
    const std::filesystem::path folder = std::filesystem::path(bookPath).parent_path();
    return (folder / (std::string(kHandOverStem) + ext)).string();
}

double ScrollRatio(int scrollTop, int scrollHeight) {
    return scrollHeight > 0 ? double(scrollTop) / scrollHeight : 0.0;
}

int PixelsAtRatio(double ratio, int scrollHeight) {
    return static_cast<int>(std::lround(ratio * scrollHeight));
}

// ---- status line

std::string LinkStatusText(const std::string& text, const std::string& pageUrl, const std::string& pageTitle,
                           const Texts& texts) {
    if (text.empty()) return texts.Proc("Ready");
    std::string url;
    for (size_t at = 0; at < pageUrl.size(); ++at) {
        const bool space = pageUrl.compare(at, 3, "%20") == 0;
        url += space ? ' ' : pageUrl[at];
        if (space) at += 2;
    }
    if (!url.empty() && text.rfind(url, 0) == 0) return pageTitle + text.substr(url.size());
    return text;
}

}  // namespace pm::reader
