#include <gtest/gtest.h>

#include "CliRun.h"
#include "common/Cp1251.h"
#include "output/Footer.h"
#include "document/Templates.h"

namespace pm::test {
namespace {

// html-page.html: a Windows-1251 page with a script in the head and one in
// the body, a style sheet, images, links, spans, fonts, a form, class and
// style attributes and a comment over two lines.
std::string Page() { return ShellQuote(std::string(PM_TEST_DATA) + "/html-page.html"); }

TEST(HtmlPageCli, BecomesTheProgramsOwnDocument) {
    const CliResult r = RunCli("convert " + Page() + " --no-config -o -");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string& doc = r.out;
    const std::string header = Templates().Get("Header");
    EXPECT_EQ(doc.rfind(header.substr(0, header.find("%s")), 0), 0u);
    EXPECT_NE(doc.find(cp1251::FromUtf8("<meta name=\"author\" content=\"Иван Петров\">")), std::string::npos);
    EXPECT_NE(doc.find("<title>"), std::string::npos);
    for (const char* gone : {"<script", "alert(", "<img", "<span", "style=", "class=", "<form", "<input",
                             "index.html", "example.com", "<style", "<!--"})
        EXPECT_EQ(doc.find(gone), std::string::npos) << gone;
    EXPECT_NE(doc.find(cp1251::FromUtf8("Под окном цвела сирень.")), std::string::npos);
    const std::string tail = CreditFooter() + "</body></html>";
    ASSERT_GE(doc.size(), tail.size());
    EXPECT_EQ(doc.substr(doc.size() - tail.size()), tail);
}

TEST(HtmlPageCli, TokensCarryTheirMarks) {
    const CliResult r = RunCli("convert " + Page() + " --no-config --stages 1 --dump-lines");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("1\t<html>\n"), std::string::npos);
    EXPECT_NE(r.out.find("1\t<h2 class=\"title\" style=\"font-size:20px\">\n"), std::string::npos);
    EXPECT_NE(r.out.find("0\tГлава первая\n"), std::string::npos);
    EXPECT_NE(r.out.find("101\t<!-- navigation\\n     spans two lines -->\n"), std::string::npos);
}

}  // namespace
}  // namespace pm::test
