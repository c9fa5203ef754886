#include <gtest/gtest.h>

#include "Helpers.h"

namespace pm::test {
namespace {

std::string Clean(const std::string& text) {
    TestContext t;
    t.SetLines({{text, 0}});
    StageXmlEntities(t.ctx);
    return t.ctx.lines.Text(0);
}

TEST(XmlEntities, BareAmpersands) {
    EXPECT_EQ(Clean("AT&T"), "AT&amp;T");
    EXPECT_EQ(Clean("end &"), "end &amp;");
    EXPECT_EQ(Clean("&unknown; &"), "&amp;unknown; &amp;");
}

TEST(XmlEntities, KnownReferences) {
    EXPECT_EQ(Clean("&quot;q&quot;"), "\"q\"");
    EXPECT_EQ(Clean("&#233; &lt;b&gt;"), "&#233; &lt;b&gt;");
    EXPECT_EQ(Clean("&Agrave;&yuml;&nbsp;"), "\xC0\xFF\xA0");
    EXPECT_EQ(Clean("&agrave"), "&amp;agrave");  // no ";"
}

TEST(XmlEntities, EscapedAmpersandStaysEscaped) {
    // "&amp;" is already right for XML; turning it into a bare "&" would
    // break the document.
    EXPECT_EQ(Clean("AT&amp;T"), "AT&amp;T");
    EXPECT_EQ(Clean("&amp;quot;"), "&amp;quot;");
}

TEST(XmlEntities, EachReferenceIsReplacedOnce) {
    // The text after a replaced reference is left as it is.
    EXPECT_EQ(Clean("&quot;nbsp;"), "\"nbsp;");
}

}  // namespace
}  // namespace pm::test
