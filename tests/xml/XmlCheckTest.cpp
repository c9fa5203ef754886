// The XML check: valid documents, the report of the first error, safe
// source text, and the fence around the parser.
#include <gtest/gtest.h>

#include <string>

#include "xml/XMLState.h"
#include "XmlTestSupport.h"

namespace pm {
namespace {

using test::XmlScratch;
using Status = XmlCheckResult::Status;

const std::string kDtd = "<!ELEMENT a (b, c?)>\n<!ELEMENT b (#PCDATA)>\n<!ELEMENT c (#PCDATA)>\n";
const std::string kDecl = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>";

class XmlCheck : public ::testing::Test {
protected:
    XmlScratch dir;
    std::string dtd = dir.Put("t.dtd", kDtd);
    std::string Doc(const std::string& body) { return dir.Put("doc.xml", body); }
};

TEST_F(XmlCheck, ValidDocumentPasses) {
    const XmlCheckResult r = CheckXmlPreview(Doc(kDecl + "<!DOCTYPE a SYSTEM \"t.dtd\">\r\n<a><b>\xF2\xE5\xEA\xF1\xF2</b><c/></a>\r\n"));
    EXPECT_EQ(r.status, Status::Valid);
    // The DTD named by its absolute path works as well.
    EXPECT_EQ(CheckXmlPreview(Doc(kDecl + "<!DOCTYPE a SYSTEM \"" + dtd + "\"><a><b/></a>")).status, Status::Valid);
    EXPECT_EQ(CheckXmlPreview(Doc(kDecl + "<!DOCTYPE a SYSTEM \"file://" + dtd + "\"><a><b/></a>")).status,
              Status::Valid);
    // A program folder may have spaces in its name.
    const std::string spaced = dir.Put("t d.dtd", kDtd);
    EXPECT_EQ(CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"" + spaced + "\"><a><b/></a>")).status, Status::Valid);
    EXPECT_EQ(CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"t d.dtd\"><a><b/></a>")).status, Status::Valid);
}

TEST_F(XmlCheck, ValidationErrorIsReportedAtItsLineAndColumn) {
    // Line 3 holds the children in the wrong order; the parser notices at
    // the end of </a>, column 23.
    const XmlCheckResult r =
        CheckXmlPreview(Doc(kDecl + "<!DOCTYPE a SYSTEM \"t.dtd\">\r\n<a>\r\n  <c>y</c><b>\xE0</b></a>\r\n"));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_EQ(r.error.errorCode, 504);
    EXPECT_EQ(r.error.line, 3);
    EXPECT_EQ(r.error.linepos, 23);
    // Line 1 is 72 characters and CR LF, line 2 three and CR LF.
    EXPECT_EQ(r.error.filepos, 72 + 2 + 3 + 2 + 23);
    EXPECT_EQ(r.error.srcText, "  <c>y</c><b>\xE0</b></a>");
    const std::vector<std::string> lines = XmlReportLines(r.error);
    const std::string rule(41, '=');
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "Folowing error found while checking XML:");
    EXPECT_EQ(lines[1], rule);
    EXPECT_EQ(lines[2], "Error ID:504");
    EXPECT_EQ(lines[3], "Error description:\xAB" + r.error.reason + "\xBB");
    EXPECT_NE(r.error.reason.find("does not follow the DTD"), std::string::npos) << r.error.reason;
    EXPECT_EQ(lines[4], "Error position: String=3, Position=23, position in file=102;");
    EXPECT_EQ(lines[5], "Error in text:\xAB  <c>y</c><b>\xE0</b></a>\xBB");
    EXPECT_EQ(lines[6], rule);
}

TEST_F(XmlCheck, ErrorAtTheVeryStart) {
    const XmlCheckResult r = CheckXmlPreview(Doc("x<a/>"));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_EQ(r.error.line, 1);
    EXPECT_EQ(r.error.linepos, 1);
    EXPECT_EQ(r.error.filepos, 1);
    EXPECT_EQ(r.error.srcText, "x<a/>");
}

TEST_F(XmlCheck, DocumentWithoutDtdIsNotValid) {
    const XmlCheckResult r = CheckXmlPreview(Doc("<a><b/></a>"));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_NE(r.error.reason.find("no DTD"), std::string::npos) << r.error.reason;
}

TEST_F(XmlCheck, UnreadableFileIsNotChecked) {
    EXPECT_EQ(CheckXmlPreview(dir / "missing.xml").status, Status::NotChecked);
    EXPECT_EQ(CheckXmlPreview(dir / "").status, Status::NotChecked);  // a folder
}

TEST_F(XmlCheck, ErrorInsideTheDtdQuotesTheDtdLine) {
    dir.Put("bad.dtd", "<!ELEMENT a (#PCDATA)>\n<!ELEMENT b (#PCDATA>\n");
    const XmlCheckResult r = CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"bad.dtd\"><a/>"));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_EQ(r.error.line, 2);
    EXPECT_EQ(r.error.srcText, "<!ELEMENT b (#PCDATA>");
}

// ---- the source text is shown safely

TEST(SafeReportText, ControlAndForeignCharactersBecomeReferences) {
    EXPECT_EQ(SafeReportText("a\tb", "windows-1251"), "a\tb");
    EXPECT_EQ(SafeReportText("a\x1B[2Jb", "windows-1251"), "a&#27;[2Jb");
    EXPECT_EQ(SafeReportText(std::string("a\0b", 3), "windows-1251"), "a&#0;b");
    EXPECT_EQ(SafeReportText("\x98\x7F\xE0", "WINDOWS-1251"), "&#152;&#127;\xE0");
    // UTF-8: Cyrillic comes into the code page, what it lacks is referenced,
    // malformed bytes are shown by value, the byte-order mark goes.
    EXPECT_EQ(SafeReportText("\xEF\xBB\xBF\xD0\xB0\xE2\x9C\x93", "utf-8"), "\xE0&#10003;");
    EXPECT_EQ(SafeReportText("a\xFF\xC3(b", ""), "a\\xFF\\xC3(b");
    EXPECT_EQ(SafeReportText("\xC2\x85", "utf-8"), "&#133;");  // a C1 control, not the ellipsis
    // An encoding the report does not know: ASCII as it is, other bytes by value.
    EXPECT_EQ(SafeReportText("ok\xE9", "iso-8859-1"), "ok\\xE9");
}

TEST_F(XmlCheck, SourceTextWithUnsafeBytesIsShownSafely) {
    // A control character is itself the error.
    XmlCheckResult r = CheckXmlPreview(Doc(kDecl + "<!DOCTYPE a SYSTEM \"t.dtd\">\n<a><b>x\x01y\x1B</b></a>\n"));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_EQ(r.error.line, 2);
    EXPECT_EQ(r.error.srcText, "<a><b>x&#1;y&#27;</b></a>");
    // A UTF-8 document with a malformed byte and a character the report's
    // code page lacks.
    r = CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"t.dtd\">\n<a><b>\xE2\x9C\x93 \xFF</b></a>\n"));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_EQ(r.error.srcText, "<a><b>&#10003; \\xFF</b></a>");
    for (const std::string& line : XmlReportLines(r.error))
        for (unsigned char c : line) EXPECT_TRUE(c >= 0x20 || c == '\t') << int(c);
}

TEST_F(XmlCheck, ByteTheCodePageLacksIsAnErrorNotACrash) {
    // 0x98 is the one byte Windows-1251 leaves undefined; a source in that
    // code page may still hold it. Near the declaration and far from it.
    for (const size_t before : {size_t{0}, size_t{100000}}) {
        const XmlCheckResult r = CheckXmlPreview(
            Doc(kDecl + "<!DOCTYPE a SYSTEM \"t.dtd\">\r\n<a><b>" + std::string(before, 'x') + "\x98</b></a>\r\n"));
        ASSERT_EQ(r.status, Status::Invalid) << before;
        EXPECT_NE(r.error.reason.find("conversion"), std::string::npos) << r.error.reason;
        // The report points at the byte, so that "Go to error >>" finds it.
        EXPECT_EQ(r.error.line, 2);
        EXPECT_EQ(r.error.linepos, static_cast<int64_t>(7 + before));
        EXPECT_EQ(r.error.filepos, static_cast<int64_t>(kDecl.size() + 27 + 2 + 7 + before));
        EXPECT_EQ(r.error.srcText, "<a><b>" + std::string(before, 'x') + "&#152;</b></a>");
        for (const std::string& line : XmlReportLines(r.error))
            for (unsigned char c : line) EXPECT_TRUE(c >= 0x20 || c == '\t') << int(c);
    }
}

// ---- the fence: no network, no other external entities, bounded work

TEST_F(XmlCheck, RemoteDtdIsRefusedWithoutNetwork) {
    for (const std::string& address :
         {std::string("http://127.0.0.1:9/t.dtd"), std::string("https://example.com/t.dtd"),
          std::string("ftp://example.com/t.dtd"), std::string("file://otherhost/t.dtd")}) {
        const XmlCheckResult r = CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"" + address + "\"><a><b/></a>"));
        ASSERT_EQ(r.status, Status::Invalid) << address;
        EXPECT_EQ(r.error.errorCode, 1543) << address;  // XML_IO_NETWORK_ATTEMPT
        EXPECT_NE(r.error.reason.find(address), std::string::npos) << r.error.reason;
        EXPECT_EQ(r.error.line, 1);
    }
    // A public identifier is not looked up in any catalog either.
    const XmlCheckResult r = CheckXmlPreview(
        Doc("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" \"http://www.w3.org/TR/xhtml1/DTD/"
            "xhtml1-strict.dtd\"><html/>"));
    EXPECT_EQ(r.error.errorCode, 1543);
}

TEST_F(XmlCheck, ExternalEntitiesOtherThanTheDtdAreNotRead) {
    const std::string secret = dir.Put("secret.txt", "SECRET");
    XmlCheckResult r = CheckXmlPreview(
        Doc("<!DOCTYPE a [<!ELEMENT a (#PCDATA)><!ENTITY e SYSTEM \"" + secret + "\">]><a>&e;</a>"));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_EQ(r.error.errorCode, 1549);  // XML_IO_LOAD_ERROR
    EXPECT_NE(r.error.reason.find("DTD only"), std::string::npos) << r.error.reason;
    // A parameter entity inside the DTD itself is refused as well.
    dir.Put("outer.dtd", "<!ENTITY % inner SYSTEM \"t.dtd\">\n%inner;\n");
    r = CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"outer.dtd\"><a><b/></a>"));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_EQ(r.error.errorCode, 1549);
}

TEST_F(XmlCheck, DtdMustBeARegularFileOfBoundedSize) {
    XmlCheckResult r = CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"" + (dir / "") + "\"><a><b/></a>"));
    EXPECT_EQ(r.status, Status::Invalid);
    EXPECT_NE(r.error.reason.find("not a regular file"), std::string::npos) << r.error.reason;
    r = CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"missing.dtd\"><a><b/></a>"));
    EXPECT_EQ(r.status, Status::Invalid);

    // Exactly the bound is read; one byte more is refused.
    const std::string doc = "<!DOCTYPE a SYSTEM \"big.dtd\"><a><b/></a>";
    std::string big = kDtd + "<!--";
    big += std::string(static_cast<size_t>(kMaxDtdBytes) - big.size() - 3, 'x') + "-->";
    ASSERT_EQ(static_cast<int64_t>(big.size()), kMaxDtdBytes);
    dir.Put("big.dtd", big);
    EXPECT_EQ(CheckXmlPreview(Doc(doc)).status, Status::Valid);
    dir.Put("big.dtd", big + "\n");
    r = CheckXmlPreview(Doc(doc));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_NE(r.error.reason.find("larger than"), std::string::npos) << r.error.reason;
}

std::string LaughsDeclarations() {
    std::string s = "<!ENTITY lol \"lol\">";
    std::string prev = "lol";
    for (int i = 1; i <= 9; ++i) {
        std::string value;
        for (int k = 0; k < 10; ++k) value += "&" + prev + ";";
        prev = "lol" + std::to_string(i);
        s += "<!ENTITY " + prev + " \"" + value + "\">";
    }
    return s;
}

TEST_F(XmlCheck, EntityExpansionBombsAreRefused) {
    // A billion laughs in the content, in an attribute default, and from the
    // external DTD.
    XmlCheckResult r = CheckXmlPreview(Doc("<!DOCTYPE a [<!ELEMENT a (#PCDATA)>" + LaughsDeclarations() + "]><a>&lol9;</a>"));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_EQ(r.error.errorCode, 89);  // XML_ERR_ENTITY_LOOP
    r = CheckXmlPreview(Doc("<!DOCTYPE a [<!ELEMENT a EMPTY>" + LaughsDeclarations() +
                            "<!ATTLIST a x CDATA \"&lol9;\">]><a/>"));
    EXPECT_EQ(r.error.errorCode, 89);
    dir.Put("bomb.dtd", "<!ELEMENT a (#PCDATA)>" + LaughsDeclarations());
    r = CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"bomb.dtd\"><a>&lol9;</a>"));
    EXPECT_EQ(r.error.errorCode, 89);
    // One large entity used many times in an attribute value.
    std::string refs;
    for (int i = 0; i < 20000; ++i) refs += "&big;";
    r = CheckXmlPreview(Doc("<!DOCTYPE a [<!ELEMENT a EMPTY><!ATTLIST a x CDATA #IMPLIED><!ENTITY big \"" +
                            std::string(20000, 'A') + "\">]><a x=\"" + refs + "\"/>"));
    EXPECT_EQ(r.status, Status::Invalid);
}

// The parser's own nesting bound stays in force: 257 levels are read,
// 258 are refused.
TEST_F(XmlCheck, NestingDepthIsBounded) {
    auto nested = [](int n) {
        std::string s = "<!DOCTYPE a [<!ELEMENT a (a?)>]>";
        for (int i = 0; i < n; ++i) s += "<a>";
        for (int i = 0; i < n; ++i) s += "</a>";
        return s;
    };
    EXPECT_EQ(CheckXmlPreview(Doc(nested(257))).status, Status::Valid);
    const XmlCheckResult r = CheckXmlPreview(Doc(nested(258)));
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_NE(r.error.reason.find("depth"), std::string::npos) << r.error.reason;
}

// ---- a saved book, which names no DTD, against the DTD chosen

TEST_F(XmlCheck, DocumentWithoutDoctypeAgainstAChosenDtd) {
    EXPECT_EQ(CheckXmlAgainstDtd(Doc(kDecl + "\n<a><b>x</b></a>\n"), dtd).status, Status::Valid);
    // Positions are those of the file: the error at the end of line 1.
    const std::string line1 = kDecl + "<a><c/><b>x</b></a>";
    XmlCheckResult r = CheckXmlAgainstDtd(Doc(line1 + "\n"), dtd);
    ASSERT_EQ(r.status, Status::Invalid);
    EXPECT_EQ(r.error.line, 1);
    EXPECT_EQ(r.error.linepos, static_cast<int64_t>(line1.size()) + 1);
    EXPECT_EQ(r.error.filepos, static_cast<int64_t>(line1.size()) + 1);
    EXPECT_EQ(r.error.srcText, line1);
    // The chosen DTD replaces the one the document names.
    dir.Put("other.dtd", "<!ELEMENT a (#PCDATA)>");
    EXPECT_EQ(CheckXmlAgainstDtd(Doc("<!DOCTYPE a SYSTEM \"other.dtd\"><a><b/></a>"), dtd).status, Status::Valid);
    EXPECT_EQ(CheckXmlPreview(Doc("<!DOCTYPE a SYSTEM \"other.dtd\"><a><b/></a>")).status, Status::Invalid);
}

}  // namespace
}  // namespace pm
