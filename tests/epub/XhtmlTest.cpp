#include <gtest/gtest.h>

#include <random>

#include "EpubHelpers.h"
#include "epub/Xhtml.h"

namespace pm::test {
namespace {

using epub::ToXhtml;
using epub::XhtmlFragment;
using epub::XhtmlOptions;

std::string X(const std::string& html1251, const XhtmlOptions& o = {}) { return ToXhtml(html1251, o).xhtml; }

TEST(XhtmlMarkup, LegacyBlocksBecomeClassesOfTheStyleSheet) {
    EXPECT_EQ(X("<div align=\"justify\">&nbsp;&nbsp;Text</div>"), "<div class=\"justify\">\u00A0\u00A0Text</div>");
    EXPECT_EQ(X("<DIV ALIGN=CENTER>c</DIV>"), "<div class=\"center\">c</div>");
    EXPECT_EQ(X("<div align=\"middle\">m</div>"), "<div>m</div>");  // not an alignment the sheet knows
    EXPECT_EQ(X("<h1 align=\"center\">Head</h1>"), "<h1 class=\"center\" id=\"h-1\">Head</h1>");
    EXPECT_EQ(X("a<hr size=\"0\">b"), "a<hr/>b");
    EXPECT_EQ(X("<I>em</I> and <SUP>1</SUP>"), "<i>em</i> and <sup>1</sup>");
    EXPECT_EQ(X("<center>c</center>"), "<div class=\"center\">c</div>");
    EXPECT_EQ(X("<font size=\"-1\">s</font><font size=\"+2\">b</font><font color=red>r</font>"),
              "<span class=\"small\">s</span><span class=\"big\">b</span><span>r</span>");
    EXPECT_EQ(X("x<AUTHOR>A. Author</AUTHOR>"), "x<span class=\"epigraph-author\">A. Author</span>");
    EXPECT_EQ(X("line<br>next"), "line<br/>next");
    EXPECT_EQ(X("<table><tr><td>1</td><td>2</td></tr></table>"),
              "<div class=\"table\"><div class=\"row\"><div class=\"cell\">1</div><div class=\"cell\">2</div></div></div>");
}

TEST(XhtmlMarkup, EpigraphBlockquoteRunsBecomeOneBlock) {
    const std::string six = "<blockquote><blockquote><blockquote><blockquote><blockquote><blockquote>";
    const std::string sixClose =
        "</blockquote></blockquote></blockquote></blockquote></blockquote></blockquote>";
    EXPECT_EQ(X(six + "<I>Words</I><br>&nbsp;&nbsp;Poet" + sixClose + "<div>after</div>"),
              "<blockquote class=\"epigraph\"><i>Words</i><br/>\u00A0\u00A0Poet</blockquote><div>after</div>");
    // Two are already a run; one stays a plain quotation.
    EXPECT_EQ(X("<blockquote><blockquote>q</blockquote></blockquote>"), "<blockquote class=\"epigraph\">q</blockquote>");
    EXPECT_EQ(X("<blockquote>q</blockquote>"), "<blockquote>q</blockquote>");
    // Text between them keeps them apart.
    EXPECT_EQ(X("<blockquote>a<blockquote>b</blockquote>c</blockquote>"),
              "<blockquote>a<blockquote>b</blockquote>c</blockquote>");
    // An aligned outer quotation takes the class into its own.
    EXPECT_EQ(X("<blockquote align=right><blockquote>q</blockquote></blockquote>"),
              "<blockquote class=\"epigraph right\">q</blockquote>");
    // The block ends with the last of the closing tags of its run; one more
    // is ignored.
    EXPECT_EQ(X("<blockquote><blockquote>q</blockquote>r</blockquote>s</blockquote>"),
              "<blockquote class=\"epigraph\">qr</blockquote>s");
}

TEST(XhtmlText, CodePageAndReferencesBecomeUtf8) {
    EXPECT_EQ(X(W("Тихая гавань")), "Тихая гавань");
    EXPECT_EQ(X(W("ёЁ «»") + "\x96\x97\x85"), "ёЁ «»–—…");
    // Soft hyphens stay where the hyphenation put them.
    EXPECT_EQ(X("pri&shy;stan"), "pri\u00ADstan");
    EXPECT_EQ(X("&mdash;&hellip;&laquo;&#8212;&#x2014;"), "—…«——");
    // Numeric references 128-159 are read as the pages of the time meant them.
    EXPECT_EQ(X("&#150;&#151;&#133;"), "–—…");
    // Markup characters come out escaped; unknown or unfinished references
    // stay as written.
    EXPECT_EQ(X("a &amp; b &lt; c &gt; d &quot; \""), "a &amp; b &lt; c &gt; d &quot; &quot;");
    EXPECT_EQ(X("AT&T &bogus; &amp"), "AT&amp;T &amp;bogus; &amp;amp");
    EXPECT_EQ(X("1 < 2 > 0"), "1 &lt; 2 &gt; 0");
    // Characters XML does not allow are dropped.
    EXPECT_EQ(X(std::string("a\x01" "b\x0c" "c\x98" "d&#1;e&#0;f")), "abcdef");
    EXPECT_EQ(X("x\r\ny"), "x\ny");
}

TEST(XhtmlText, ScriptsStylesAndCommentsLeave) {
    EXPECT_EQ(X("a<script>var s = \"<b>x</b>\";</script>b<style>p{}</style>c<!-- note -->d"), "abcd");
    EXPECT_EQ(X("a<SCRIPT type=x>if (a<b) {}</SCRIPT>b"), "ab");
    EXPECT_EQ(X("a<select><option>1</option></select>b<title>t</title>c"), "abc");
    EXPECT_EQ(X("<!doctype html><?php echo 1 ?>x"), "x");
    EXPECT_EQ(X("a<!-- unterminated"), "a");
    EXPECT_EQ(X("<form action=x><input type=text>typed</form>"), "typed");
}

TEST(XhtmlStructure, MisnestedMarkupComesOutBalanced) {
    EXPECT_EQ(X("<b><i>x</b>y</i>"), "<b><i>x</i></b>y");
    EXPECT_EQ(X("<p>one<p>two"), "<p>one</p><p>two</p>");
    EXPECT_EQ(X("<i>a<div>b</div>c</i>"), "<i>a</i><div>b</div>c");
    EXPECT_EQ(X("<h1>head<div>block</div></h1>"), "<h1 id=\"h-1\">head</h1><div>block</div>");
    EXPECT_EQ(X("</div>stray</p>"), "stray");
    EXPECT_EQ(X("<a href=x>one<a href=y>two</a>"), "onetwo");  // links out of the book leave
    EXPECT_EQ(X("<ul>loose<li>a<li>b</ul>"), "<ul><li>loose</li><li>a</li><li>b</li></ul>");
    EXPECT_EQ(X("<li>alone</li>"), "<div class=\"item\">alone</div>");
    EXPECT_EQ(X("<p>x<hr>y</p>"), "<p>x</p><hr/>y");
    EXPECT_EQ(X("<div>unclosed"), "<div>unclosed</div>");
}

TEST(XhtmlStructure, EmptyElementsLeaveUnlessAnchored) {
    EXPECT_EQ(X("<h1></h1><p> </p><div>\r\n</div><i></i>"), "");
    EXPECT_EQ(X("<a name=\"start000\"><h1></h1></a>"), "<a id=\"start000\"></a>");
    EXPECT_EQ(X("<div>&nbsp;</div>"), "<div>\u00A0</div>");  // a visible space is content
}

TEST(XhtmlStructure, WhateverComesInTheResultIsWellFormed) {
    const std::vector<std::string> pieces = {
        "<div align=justify>", "</div>", "<p>", "</p>", "<i>", "</i>", "<b>", "</B>", "<blockquote>", "</blockquote>",
        "<h1 align=\"center\">", "</h1>", "<h3>", "</h2>", "<a name=\"x\">", "<a href=\"#x\">", "</a>", "<ul>", "<li>",
        "</ul>", "<table>", "<tr>", "<td>", "</table>", "<hr size=0>", "<br>", "<font size=-1>", "</font>", "<sup>",
        "text ", W("Текст "), "&nbsp;", "&amp;", "&", "<", ">", "\"", "<!-- c -->", "<script>x</script>", "<img src=a>",
        "<pre>", "</pre>", "<span id=\"5\">", "</span>", "\r\n", "<AUTHOR>", "</AUTHOR>", "<center>", "</center>",
        "<a href=\"javascript:w.document.write('<html><body>n</body></html>')\">"};
    std::mt19937 random(20240501);
    std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
    for (int round = 0; round < 400; ++round) {
        std::string html;
        for (int n = 0; n < 30; ++n) html += pieces[pick(random)];
        const std::string out = X(html);
        std::string why;
        ASSERT_TRUE(WellFormed(XhtmlPage(out), &why)) << why << "\nin: " << html << "\nout: " << out;
    }
}

TEST(XhtmlIds, AnchorNamesBecomeUniqueIds) {
    const XhtmlFragment f = ToXhtml("<a name=\"ch1\">A</a><a name=\"ch1\">B</a><span id=\"5\">C</span>");
    EXPECT_EQ(f.xhtml, "<a id=\"ch1\">A</a>B<span id=\"id-5\">C</span>");
    EXPECT_EQ(f.ids, (std::vector<std::string>{"ch1", "id-5"}));
    // Ids given earlier in the same document are not given again.
    std::set<std::string> used{"ch1"};
    XhtmlOptions o;
    o.usedIds = &used;
    EXPECT_EQ(X("<a name=\"ch1\">A</a>", o), "A");
    EXPECT_TRUE(used.count("ch1"));
}

TEST(XhtmlIds, XmlIdKeepsNamesThatAreValid) {
    EXPECT_EQ(epub::XmlId("linktostr6"), "linktostr6");
    EXPECT_EQ(epub::XmlId("_x.y-z"), "_x.y-z");
    EXPECT_EQ(epub::XmlId("a"), "a");
    EXPECT_EQ(epub::XmlId("Z"), "Z");
    EXPECT_EQ(epub::XmlId("5"), "id-5");
    EXPECT_EQ(epub::XmlId("-a"), "id--a");
    EXPECT_EQ(epub::XmlId(".a"), "id-.a");
    EXPECT_EQ(epub::XmlId(""), "id-");
    EXPECT_EQ(epub::XmlId("a b"), "a_20b");
    EXPECT_EQ(epub::XmlId(W("гл")), "_e3_eb");
}

TEST(XhtmlLinks, TheBookDecidesWhereLinksGo) {
    std::vector<std::string> asked;
    XhtmlOptions o;
    o.resolveLink = [&](std::string_view href) {
        asked.emplace_back(href);
        return href == "#in" ? std::string("chapter-002.xhtml#in") : std::string();
    };
    EXPECT_EQ(X("<a href=\"#in\">go</a> <a href=\"other.html\">out</a>", o),
              "<a href=\"chapter-002.xhtml#in\">go</a> out");
    EXPECT_EQ(asked, (std::vector<std::string>{"#in", "other.html"}));
    // A script is never followed; without a resolver every link leaves.
    EXPECT_EQ(X("<a href=\"javascript:alert(1)\">x</a>", o), "x");
    EXPECT_EQ(X("<a href=\"#in\">go</a>"), "go");
    // An anchor that also links keeps both.
    EXPECT_EQ(X("<a name=\"n\" href=\"#in\">go</a>", o), "<a id=\"n\" href=\"chapter-002.xhtml#in\">go</a>");
}

TEST(XhtmlLinks, ReaderNotesBecomeFootnotes) {
    const std::string note =
        "<A style=\"background-color: Lime; color: Black;\" href=\"javascript:newwin = window.open('', 'NewWin', "
        "'scrollbars=1, width=400, height=210');newwin.document.write('<html><head><title>Comment</title></head><body>" +
        W("Это &rsquo;примечание&rsquo;<br>вторая строка \\\\ конец") + "</body></html>')\">" + W("текст") + "</a>";
    const std::string out = X("<div>before " + note + " after</div>");
    EXPECT_EQ(out, "<div>before <a epub:type=\"noteref\" class=\"noteref\" href=\"#note-1\">текст</a> after</div>\n"
                   "<aside epub:type=\"footnote\" class=\"note\" id=\"note-1\">Это ’примечание’<br/>вторая строка \\ "
                   "конец</aside>");
    std::string why;
    EXPECT_TRUE(WellFormed(XhtmlPage(out), &why)) << why;
}

TEST(XhtmlPictures, OnlyTheCoverStays) {
    XhtmlOptions o;
    o.coverSrc = W("обложка.jpg");
    o.coverHref = "images/cover.jpg";
    EXPECT_EQ(X("<img src=\"" + W("обложка.jpg") + "\" border=\"0\"><img src=\"other.gif\">", o),
              "<img src=\"images/cover.jpg\" alt=\"\"/>");
    // Without a cover inside the book the title picture leaves too.
    o.coverHref.clear();
    EXPECT_EQ(X("<img src=\"" + W("обложка.jpg") + "\">", o), "");
}

TEST(XhtmlHeadings, HeadersAreListedWithTheirText) {
    const XhtmlFragment f = ToXhtml(
        "<h1 align=\"center\"><a name=\"linktostr6\">" + W("Гла&shy;ва   первая") + "</a></h1>" +
        "<h2 id=\"own\">&nbsp;Two&nbsp;</h2><h3></h3><h6>Six</h6>");
    ASSERT_EQ(f.headings.size(), 3u);
    EXPECT_EQ(f.headings[0].level, 1);
    EXPECT_EQ(f.headings[0].label, "Глава первая");
    EXPECT_EQ(f.headings[0].id, "h-1");
    EXPECT_EQ(f.headings[1].level, 2);
    EXPECT_EQ(f.headings[1].label, "Two");
    EXPECT_EQ(f.headings[1].id, "own");
    EXPECT_EQ(f.headings[2].level, 6);
    EXPECT_NE(f.xhtml.find("<h1 class=\"center\" id=\"h-1\"><a id=\"linktostr6\">Гла\u00ADва   первая</a></h1>"),
              std::string::npos);
}

}  // namespace
}  // namespace pm::test
