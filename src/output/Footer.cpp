#include "output/Footer.h"

#include "common/Format.h"
#include "common/Cp1251.h"

namespace pm {

const char* const kMakerSite = "https://pellmark.example.org/";

std::string CreditFooter() {
    const std::string site = kMakerSite;
    return "<br><br><hr size=\"0\"><div align=\"center\"><font size=\"-1\">This text was formated to HTML using "
           "<b><i>Pellmark</i></b> program. Download it free at <a href=\"" +
           site + "\"> " + site + "</a></font></div>";
}

std::string PlainTextCredit() {
    return std::string("This text was re-formated using Pellmark program.\n\rDownload it free at ") + kMakerSite + ".";
}

const std::string& OrientationWord(const Settings& settings, const Templates& templates) {
    return templates.Get(settings.ILikeOrientation ? "HyphVert" : "HyphHoriz");
}

std::string HyphenationNote(const Settings& settings, const Templates& templates) {
    return FormatTemplate(templates.Get("HyphInfo"), {settings.HyphFont, OrientationWord(settings, templates)});
}

std::string PlainHyphenationLine(const Settings& settings, const Templates& templates) {
    return FormatTemplate("Hyphenated for %s in %s-like) orientation",
                          {settings.HyphFont, OrientationWord(settings, templates)});
}

std::string FooterText(const Settings& settings, const Templates& templates) {
    std::string footer = CreditFooter();
    if (settings.Hyphenate) footer += HyphenationNote(settings, templates);
    return footer;
}

std::string InsertFooter(std::string document, std::string_view footer) {
    // Searched from the end; a skin may spell the tail in capitals.
    static constexpr std::string_view kClose = "</body>";
    size_t at = std::string::npos;
    for (size_t i = document.size(); i >= kClose.size() && at == std::string::npos; --i) {
        if (cp1251::EqualsNoCase(std::string_view(document).substr(i - kClose.size(), kClose.size()), kClose))
            at = i - kClose.size();
    }
    document.insert(at == std::string::npos ? 0 : at, footer);
    return document;
}

}  // namespace pm
