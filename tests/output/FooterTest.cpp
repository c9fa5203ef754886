#include <gtest/gtest.h>

#include "common/Format.h"
#include "config/ConfigTree.h"
#include "output/Footer.h"
#include "output/Saving.h"
#include "output/ToolParameters.h"

namespace pm {
namespace {

TEST(Footer, CreditFooterLinksTheMakersSite) {
    const std::string footer = CreditFooter();
    EXPECT_TRUE(footer.starts_with("<br><br><hr size=\"0\"><div align=\"center\"><font size=\"-1\">This text was "
                                   "formated to HTML using <b><i>Pellmark</i></b> program. Download it free at "));
    EXPECT_TRUE(footer.ends_with(std::string("<a href=\"") + kMakerSite + "\"> " + kMakerSite + "</a></font></div>"));
    EXPECT_EQ(PlainTextCredit(), std::string("This text was re-formated using Pellmark program.\n\rDownload it free at ") +
                                     kMakerSite + ".");
}

TEST(Footer, HyphenationNoteInBothOrientations) {
    Settings s;
    Templates t;
    s.HyphFont = "Dev Font";
    s.ILikeOrientation = true;
    EXPECT_EQ(HyphenationNote(s, t), "<br><br><br><div align=\"center\">Hyphenated for <i>&quot;Dev Font&quot;</i> "
                                     "in vertical (I-like) orientation</div>");
    EXPECT_EQ(PlainHyphenationLine(s, t), "Hyphenated for Dev Font in vertical (I-like) orientation");
    s.ILikeOrientation = false;
    EXPECT_EQ(PlainHyphenationLine(s, t), "Hyphenated for Dev Font in horisontal (--like) orientation");
}

TEST(Footer, HostileNoteTemplateIsHarmless) {
    Settings s;
    Templates t;
    s.HyphFont = "F";
    t.Set("HyphInfo", "%n %x %s%s%s %.3d %");
    EXPECT_EQ(HyphenationNote(s, t), "%n %x Fvertical (I%s %.3d %");
}

TEST(Footer, GoesBeforeTheLastClosingBody) {
    EXPECT_EQ(InsertFooter("a</body>b</body></html>", "F"), "a</body>bF</body></html>");
    EXPECT_EQ(InsertFooter("a</BODY></HTML>", "F"), "aF</BODY></HTML>");
    EXPECT_EQ(InsertFooter("no tail here", "F"), "Fno tail here");
    EXPECT_EQ(InsertFooter("", "F"), "F");
}

TEST(Footer, NotInXmlOutputMode) {
    Settings s;
    Templates t;
    LineList l;
    l.Append("<book>");
    l.Append("</body></book>");
    EXPECT_EQ(DocumentWithFooter(l, s, t), "<book>\r\n" + CreditFooter() + "</body></book>");
    t.Set("FileExt", ".Xml");
    EXPECT_EQ(DocumentWithFooter(l, s, t), "<book>\r\n</body></book>");
}

TEST(Templates, ProgramFolderAsUrlPath) {
    EXPECT_EQ(Templates::PellmarkPath("C:\\Program Files\\Tool\\"), "C|/Program%%20Files/Tool/");
    EXPECT_EQ(Templates::PellmarkPath("/opt/pellmark"), "/opt/pellmark/");
}

TEST(Templates, PathMacroReplacedOnceAndFormattedToPercent) {
    ConfigTree tree;
    const std::string key = std::string(kRootKey) + "\\html";
    tree.SetString(key, "lEnd", "<img src=\"%pellmarkpath%end.gif\"></body></html>");
    tree.SetString(key, "TitleNoImage", "%pellmarkpath% %pellmarkpath% <title>%s</title><body>");
    tree.SetString(key, "FileExt", "%pellmarkpath%");
    Templates t;
    t.Load(tree, "C:\\Program Files\\Tool\\");
    EXPECT_EQ(t.Get("lEnd"), "<img src=\"C|/Program%%20Files/Tool/end.gif\"></body></html>");
    EXPECT_EQ(FormatTemplate(t.Get("TitleNoImage"), {"T"}),
              "C|/Program%20Files/Tool/ %pellmarkpath% <title>T</title><body>");
    EXPECT_EQ(t.Get("FileExt"), "%pellmarkpath%");  // not a path template
    EXPECT_EQ(t.Get("Header"), Templates().Get("Header"));
}

TEST(SafeFormat, HostileTemplates) {
    EXPECT_EQ(FormatTemplate("%n", {"a"}), "%n");
    EXPECT_EQ(FormatTemplate("%x", {"a"}), "%x");
    EXPECT_EQ(FormatTemplate("%s%s%s", {"a"}), "a%s%s");
    EXPECT_EQ(FormatTemplate("100%", {"a"}), "100%");
    EXPECT_EQ(FormatTemplate("%.3d", {int64_t{7}}), "007");
    EXPECT_EQ(FormatTemplate("%%s", {"a"}), "%s");
}

TEST(ToolParameters, MacrosFilledInOnce) {
    DocValues doc;
    doc.shortTitle = "Short";
    doc.title = "Long %shortitle%";  // never expanded again
    doc.author = "\xC0\xE2\xF2\xEE\xF0";
    EXPECT_EQ(ToolParametersUtf8("-t \"%shortitle%\" %longtitle% %bookauthor% %shortfilename% %fullfilename% 100%",
                                 doc, "/home/u/\xD0\x9A/$~$~tmp_b.txt.html"),
              "-t \"Short\" Long %shortitle% \xD0\x90\xD0\xB2\xD1\x82\xD0\xBE\xD1\x80 $~$~tmp_b.txt.html "
              "/home/u/\xD0\x9A/$~$~tmp_b.txt.html 100%");
}

}  // namespace
}  // namespace pm
