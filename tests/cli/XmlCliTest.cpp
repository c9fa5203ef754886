// The XML path end to end: the example skin installed, the sample book
// converted and checked, and "check-xml" on good, broken and hostile files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>
#include <regex>

#include "CliRun.h"
#include "common/Cp1251.h"
#include "support/Files.h"

namespace pm::test {
namespace {

namespace fs = std::filesystem;

const std::string kSkins = std::string(PM_TEST_DATA) + "/../../share/skins";

class XmlCli : public CliScratch {
protected:
    std::string env = "PELLMARK_CONFIG=" + ShellQuote((dir / "store" / "pellmark.reg").string());
    // The skin installed into this test's own configuration.
    void InstallSkin() {
        const CliResult r = RunCli("config import " + ShellQuote(kSkins + "/xml-skin.reg"), env);
        ASSERT_EQ(r.code, 0) << r.err;
    }
    // The sample book converted with the skin; the title and author are
    // given, as a plain text names them nowhere the program looks.
    CliResult ConvertSample(const std::string& out, const std::string& more = "") {
        const std::string book = Write("book.txt", Slurp(std::string(PM_TEST_DATA) + "/russian-book.txt"));
        return RunCli("convert " + ShellQuote(book) + " -o " + ShellQuote(out) + " --title " +
                          ShellQuote("Тихая гавань") + " --author " + ShellQuote("Андрей Северцев") + more,
                      env);
    }
};

std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[16];
    std::strftime(buf, sizeof buf, "%Y-%m-%d", &tm);
    return buf;
}

TEST_F(XmlCli, SampleBookBecomesAValidXmlBook) {
    InstallSkin();
    const std::string out = (dir / "book.xml").string();
    const CliResult r = ConvertSample(out);
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string xml = cp1251::ToUtf8(Slurp(out));
    // The public head: the declaration alone, its line ending in a bare LF.
    EXPECT_TRUE(xml.starts_with("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<FictionBook")) << xml.substr(0, 200);
    EXPECT_EQ(xml.find("pellbook.dtd"), std::string::npos);
    EXPECT_NE(xml.find("<first-name>Андрей</first-name>"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<last-name>Северцев</last-name>"), std::string::npos);
    EXPECT_NE(xml.find("<book-title>Тихая гавань</book-title>"), std::string::npos);
    EXPECT_NE(xml.find("<date value=\"" + Today() + "\"></date>"), std::string::npos);
    EXPECT_NE(xml.find("<program-used>Pellmark 1.0 + Ostrel skin</program-used>"), std::string::npos);
    EXPECT_NE(xml.find("<lang>ru</lang>"), std::string::npos);  // a stored default
    EXPECT_NE(xml.find("<section title=\"1\"><title><p>Глава первая</p></title>"), std::string::npos);
    EXPECT_NE(xml.find("<text-author> Н. Вершинин</text-author>"), std::string::npos);
    EXPECT_TRUE(xml.ends_with("</section></body></FictionBook>"));
    // The saved book names no DTD; it is valid against the shipped one.
    EXPECT_EQ(RunCli("check-xml --dtd " + ShellQuote(kSkins + "/pellbook.dtd") + " " + ShellQuote(out)).code, 0);
    const CliResult noDtd = RunCli("check-xml " + ShellQuote(out));
    EXPECT_EQ(noDtd.code, 1);
    EXPECT_NE(noDtd.out.find("no DTD found"), std::string::npos) << noDtd.out;
    // No preview is left behind.
    for (const auto& e : fs::directory_iterator(dir))
        EXPECT_EQ(e.path().filename().string().find("$~$~tmp_"), std::string::npos) << e.path();
}

TEST_F(XmlCli, StyleSheetFormAddsTheLink) {
    InstallSkin();
    const std::string out = (dir / "linked.xml").string();
    ASSERT_EQ(ConvertSample(out, " --format xml-link").code, 0);
    EXPECT_TRUE(Slurp(out).starts_with("<?xml version=\"1.0\" encoding=\"windows-1251\"?><?xml-stylesheet "
                                       "type=\"text/xsl\" href=\"pellbook.xsl\"?>\n<FictionBook"));
}

TEST_F(XmlCli, IncompleteDescriptionIsToldAndTheCheckFails) {
    InstallSkin();
    const std::string book = Write("book.txt", Slurp(std::string(PM_TEST_DATA) + "/russian-book.txt"));
    const CliResult r = RunCli("convert " + ShellQuote(book) + " -o " + ShellQuote((dir / "b.xml").string()), env);
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("the book description is incomplete: NOT all required data is entered in container "
                         "<description><title-info><author><first-name>"),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("Folowing error found while checking XML:"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "b.xml"));  // written all the same, to be mended
}

TEST_F(XmlCli, CheckReportsTheFirstErrorInUtf8) {
    const std::string file = Write("bad.xml", "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n"
                                              "<!DOCTYPE a [<!ELEMENT a (#PCDATA)>]>\r\n<a>\xEA\xEE\xF2 & \x1B</a>\r\n");
    const CliResult r = RunCli("check-xml " + ShellQuote(file));
    EXPECT_EQ(r.code, 1);
    std::vector<std::string> lines;
    for (size_t at = 0; at < r.out.size();) {
        const size_t nl = r.out.find('\n', at);
        lines.push_back(r.out.substr(at, nl - at));
        at = nl + 1;
    }
    ASSERT_EQ(lines.size(), 7u) << r.out;
    EXPECT_EQ(lines[0], "Folowing error found while checking XML:");
    EXPECT_EQ(lines[1], std::string(41, '='));
    EXPECT_EQ(lines[2], "Error ID:68");
    EXPECT_EQ(lines[3], "Error description:«xmlParseEntityRef: no name»");
    // Line 1 holds 45 characters, line 2 holds 37, each with CR LF: 86 before line 3.
    EXPECT_EQ(lines[4], "Error position: String=3, Position=9, position in file=95;");
    EXPECT_EQ(lines[5], "Error in text:«<a>кот & &#27;</a>»");
    EXPECT_EQ(lines[6], std::string(41, '='));

    EXPECT_EQ(RunCli("check-xml " + ShellQuote(Write("ok.xml", "<!DOCTYPE a [<!ELEMENT a EMPTY>]><a/>"))).out, "");
    EXPECT_EQ(RunCli("check-xml " + ShellQuote(Write("ok.xml", "<!DOCTYPE a [<!ELEMENT a EMPTY>]><a/>"))).code, 0);
    const CliResult missing = RunCli("check-xml " + ShellQuote((dir / "none.xml").string()));
    EXPECT_EQ(missing.code, 1);
    EXPECT_NE(missing.err.find("none.xml"), std::string::npos) << missing.err;
    EXPECT_EQ(RunCli("check-xml").code, 2);
    EXPECT_EQ(RunCli("check-xml --bogus x").code, 2);
}

TEST_F(XmlCli, HostileDocumentsAreRefused) {
    std::string laughs = "<!ENTITY lol \"lol\">";
    std::string prev = "lol";
    for (int i = 1; i <= 9; ++i) {
        std::string value;
        for (int k = 0; k < 10; ++k) value += "&" + prev + ";";
        prev = "lol" + std::to_string(i);
        laughs += "<!ENTITY " + prev + " \"" + value + "\">";
    }
    CliResult r = RunCli("check-xml " +
                         ShellQuote(Write("bomb.xml", "<!DOCTYPE a [<!ELEMENT a (#PCDATA)>" + laughs + "]><a>&lol9;</a>")));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Error ID:89"), std::string::npos) << r.out;
    // A DTD at a network address is not fetched.
    r = RunCli("check-xml " + ShellQuote(Write("remote.xml", "<!DOCTYPE a SYSTEM \"http://192.0.2.1/a.dtd\"><a/>")));
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("Error ID:1543"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("http://192.0.2.1/a.dtd"), std::string::npos);
}

}  // namespace
}  // namespace pm::test
