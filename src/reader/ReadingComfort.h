// The reader's viewing controls without widgets: the autoscroll speed, the
// text size levels, the progress figure, the colour and font styles laid
// over a book's body, the full-screen hand-over file and the status line of
// a hovered link. The widgets (reader/qt) only call these.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/Settings.h"
#include "config/Texts.h"
#include "platform/HtmlView.h"
#include "platform/StatusSink.h"

namespace pm::reader {

// ---- autoscroll
// The interval of one scroll step, in milliseconds: a smaller interval is a
// faster scroll. A speed change keeps it within these limits.
inline constexpr int32_t kFastestScrollMs = 10;
inline constexpr int32_t kSlowestScrollMs = 1000;
// The steps the speed commands carry: the toolbar buttons move two
// milliseconds at a time, the menu items (and their keys) one.
inline constexpr int kFasterButtonStep = -2;
inline constexpr int kSlowerButtonStep = 2;
inline constexpr int kFasterItemStep = -1;
inline constexpr int kSlowerItemStep = 1;

// The interval after a speed command of that step, clamped to the limits.
int32_t ChangedScrollInterval(int32_t interval, int step);
// The speed for the status line: whole steps per second, "16/sec".
std::string ScrollRateText(int32_t interval);
// Pixels per step: one, two in turbo mode.
int ScrollStepPixels(bool turbo);
// The timer interval of a stored speed: used as stored, except that a timer
// cannot run at zero or less (it would take the whole processor).
int TimerInterval(int32_t stored);

// ---- text size
// The tags of "Increase" and "Decrease"; 0 to 4 name a level directly.
inline constexpr int kTextSizeLarger = 101;
inline constexpr int kTextSizeSmaller = 99;
// The level a text size command of that tag chooses, from the current one.
int TextSizeLevel(int current, int tag);

// ---- progress
// How far down the page is read, 0 to 100 (0 for an empty page).
int ProgressPercent(int scrollTop, int scrollHeight);

// ---- styles
// A style laid over a book's body; empty values are left alone.
struct ReaderStyle {
    std::string fontName, fontSize, textColor, bodyColor;
    bool Empty() const { return fontName.empty() && fontSize.empty() && textColor.empty() && bodyColor.empty(); }
    bool operator==(const ReaderStyle&) const = default;
};

// The tags of the built-in styles of the "Stylize" menu.
inline constexpr int kBlackYellowStyle = 1;
inline constexpr int kBlackGreenStyle = 2;
// A built-in style by its tag (an unknown tag gives the yellow one).
ReaderStyle BuiltInStyle(int tag);

// The style remembered in the settings ("Def style ...").
ReaderStyle RememberedStyle(const Settings& settings);
void RememberStyle(Settings& settings, const ReaderStyle& style);

// A style chosen from the menu or the style window: text colour, body
// colour, font, then size (when given).
void LayStyle(HtmlView& view, const ReaderStyle& style);
// "None": the body's whole inline style goes.
void RemoveStyle(HtmlView& view);

// The status line while the remembered style is applied.
std::string ApplyStyleStatus(const Texts& texts, const ReaderStyle& style);
// Lays the remembered style over the page once it is ready: font, text
// colour, size, body colour, each only when given. Nothing without a page
// or with an empty style. True when it was applied.
bool ApplyReaderStyle(HtmlView& view, const ReaderStyle& style, const Texts& texts, StatusSink& status);

// The sixteen standard colours of the style window's lists, in order.
struct NamedColor {
    std::string_view name;
    uint32_t rgb;  // 0xRRGGBB
};
extern const std::array<NamedColor, 16> kStandardColors;
// "#RRGGBB", upper-case hexadecimal.
std::string ColorText(uint32_t rgb);
// A colour list's read-out: the name shown, else its colour as #RRGGBB.
std::string ColorReadout(const std::string& shownName, uint32_t rgb);

// ---- full screen
// The file a book goes through on its way to and from full screen: beside
// the book, "~$$$Pellmark~tmp~~" and the output extension (".html" when the
// templates name none).
std::string HandOverFileName(const std::string& bookPath, const std::string& outputExt);
// scrollTop / scrollHeight, and back to pixels in a view of another size.
double ScrollRatio(int scrollTop, int scrollHeight);
int PixelsAtRatio(double ratio, int scrollHeight);

// ---- status line
// What the status line shows for a text the view wants shown (a hovered
// link): "Ready" for none; a link into the page shown as the page title and
// the anchor; any other text as it is.
std::string LinkStatusText(const std::string& text, const std::string& pageUrl, const std::string& pageTitle,
                           const Texts& texts);

}  // namespace pm::reader
