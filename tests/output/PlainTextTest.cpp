#include <gtest/gtest.h>

#include "output/Footer.h"
#include "document/PlainText.h"
#include "output/Saving.h"

namespace pm {
namespace {

TEST(PlainText, SmallDocument) {
    const std::string html =
        "<!doctype html public \"-//w3c//dtd html 4.0 transitional//en\"><html><head><title>Book</title>"
        "<style>p { color: red }</style></head><body>\r\n"
        "<h1 align=\"center\">Part  One</h1>\r\n"
        "<div>First\r\n   line &amp; more</div><div>Second<br>broken</div>\r\n"
        "<!-- a bookmark --><script>var x = '<b>';</script>\r\n"
        "<p>Para &laquo;quoted&raquo;&nbsp;&mdash; &#1046;&#x416; &#9731;</p>"
        "<div>  <i>in</i>line   </div></body></html>";
    EXPECT_EQ(RenderPlainText(html),
              "Part One\r\nFirst line & more\r\nSecond\r\nbroken\r\n\r\n"
              "Para \xABquoted\xBB\xA0\x97 \xC6\xC6 &#9731;\r\n\r\ninline");
}

TEST(PlainText, PreKeepsItsLines) {
    EXPECT_EQ(RenderPlainText("<body>a<pre>x  y\n z</pre>b</body>"), "a\r\nx  y\r\n z\r\nb");
}

TEST(PlainText, WithoutBodyAndWithStrayLessThan) {
    EXPECT_EQ(RenderPlainText("a < b &unknown; &"), "a < b &unknown; &");
    EXPECT_EQ(RenderPlainText(""), "");
}

TEST(PlainText, SaveTextEndsWithCreditAndOptionalHyphenationLine) {
    Settings s;
    Templates t;
    const LineList doc = LineList::FromText("<body>\n<div>x</div>\n</body>");
    EXPECT_EQ(PlainTextDocument(doc, s, t), "x\n\r" + PlainTextCredit());
    s.Hyphenate = true;
    EXPECT_EQ(PlainTextDocument(doc, s, t), "x\n\r" + PlainTextCredit() + "\n\r" + PlainHyphenationLine(s, t));
}

TEST(PlainText, CharacterReferences) {
    unsigned char b = 0;
    EXPECT_EQ(DecodeCharReference("&amp;x", b), 5u);
    EXPECT_EQ(b, '&');
    EXPECT_EQ(DecodeCharReference("&#x2026;", b), 8u);
    EXPECT_EQ(b, 133);
    EXPECT_EQ(DecodeCharReference("&#0;", b), 0u);
    EXPECT_EQ(DecodeCharReference("&#99999999999;", b), 0u);
    EXPECT_EQ(DecodeCharReference("&amp", b), 0u);
}

}  // namespace
}  // namespace pm
