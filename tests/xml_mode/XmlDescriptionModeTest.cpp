// XML description mode in the main window's logic: entered at start, the
// head of the document, and the exchange of references on saving.
#include <gtest/gtest.h>

#include "output/OutputHelpers.h"
#include "xml/XmlMode.h"

namespace pm {
namespace {

using test::ScratchDir;
using test::Slurp;
using test::Window;

const std::string kSys = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><!DOCTYPE book SYSTEM \"%pellmarkpath%b.dtd\">";

// A skin's XML values and templates.
void InstallSkin(ConfigTree& hive, bool withStyleSheetLink = true) {
    const std::string xml = XmlKeyPath();
    hive.SetDWord(xml, "Ostrel", 1);
    hive.SetString(xml, "SYS DTD", kSys);
    hive.SetString(xml, "XML Style sheet", "<?xml-stylesheet href=\"%pellmarkpath%b.xsl\"?>");
    hive.SetString(xml, "PUB DTD", "<?xml version=\"1.0\" encoding=\"windows-1251\"?>");
    if (withStyleSheetLink) hive.SetString(xml, "PUB SXL", "<?xml-stylesheet href=\"b.xsl\"?>");
    const std::string html = std::string(kRootKey) + "\\html";
    hive.SetString(html, "FileExt", ".xml");
    hive.SetString(html, "TitleNoImage", "<book>%s<body>");
    hive.SetString(html, "lEnd", "</body></book>");
}

TEST(XmlDescriptionMode, EnteredAtStartFromTheSkin) {
    Window plain;
    plain.main.Start();
    EXPECT_FALSE(plain.main.xmlDescriptionLoaded);

    Window w;
    InstallSkin(w.hive);
    w.main.Start();
    EXPECT_TRUE(w.main.xmlDescriptionLoaded);
    EXPECT_EQ(w.main.xml.sysDtd,
              "<?xml version=\"1.0\" encoding=\"windows-1251\"?><!DOCTYPE book SYSTEM \"/opt/pellmark/b.dtd\">");
    EXPECT_EQ(w.main.xml.styleSheet, "<?xml-stylesheet href=\"/opt/pellmark/b.xsl\"?>");
    EXPECT_TRUE(w.main.templates.XmlOutputMode());
}

class XmlDocument : public ::testing::Test {
protected:
    Window w;
    ScratchDir dir;
    void SetUp() override {
        InstallSkin(w.hive);
        w.main.Start();
        w.main.settings.AskAboutTitle = false;
        w.main.doc.bookDescription = "<description>\n <title>Tom & Jerry</title>\n</description>\n";
        w.main.StoreSourceText("Cats & dogs");
        ASSERT_TRUE(w.main.Convert());
    }
    std::string Saved(int filterIndex) {
        const std::string path = dir / ("book" + std::to_string(filterIndex));
        w.dialogs.saves.push_back({path, filterIndex});
        w.main.SaveHTML();
        return Slurp(path + ".xml");
    }
};

TEST_F(XmlDocument, HeadHoldsTheReferencesAndTheDescription) {
    const LineList r = w.main.Result();
    ASSERT_GE(r.Count(), 4u);
    EXPECT_EQ(r.Text(0), w.main.xml.sysDtd + w.main.xml.styleSheet);
    // The entity clean-up reaches the description as well (whose lines the
    // conversion makes entries of their own).
    EXPECT_TRUE(r.Join("\n").starts_with(r.Text(0) + "\n<book><description>\n <title>Tom &amp; Jerry</title>\n"
                                          "</description>\n<body>\n"))
        << r.Join("|");
    EXPECT_NE(r.Join("\n").find("Cats &amp; dogs"), std::string::npos) << r.Join("\n");
    EXPECT_EQ(r.Text(r.Count() - 1), "</body></book>");
    // No credit footer in XML output.
    EXPECT_TRUE(w.main.DocumentText().ends_with("\r\n</body></book>"));
}

TEST_F(XmlDocument, SavingExchangesTheLocalReferencesForThePublicOnes) {
    const std::string preview = w.main.DocumentText();
    const std::string rest = preview.substr(preview.find("\r\n") + 2);
    // The style-sheet form: "PUB DTD" and "PUB SXL"; the first line ends in a bare LF.
    EXPECT_EQ(Saved(1), "<?xml version=\"1.0\" encoding=\"windows-1251\"?><?xml-stylesheet href=\"b.xsl\"?>\n" + rest);
    // Standalone (the filter preselected): "PUB DTD" alone.
    ASSERT_EQ(w.dialogs.requests.back().filterIndex, 2);
    EXPECT_EQ(Saved(2), "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n" + rest);
    // The preview keeps the local references.
    EXPECT_EQ(w.main.DocumentText(), preview);
}

TEST(XmlDescriptionMode, WithoutPubSxlTheLinkFormWritesPubDtdAlone) {
    Window w;
    InstallSkin(w.hive, false);
    w.main.Start();
    w.main.settings.AskAboutTitle = false;
    w.main.StoreSourceText("text");
    ASSERT_TRUE(w.main.Convert());
    ScratchDir dir;
    w.dialogs.saves.push_back({dir / "b.xml", 1});
    w.main.SaveHTML();
    EXPECT_TRUE(Slurp(dir / "b.xml").starts_with("<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<book>"));
}

TEST(SwapXmlReferences, OnlyTheFirstOccurrenceAndOnlyACarriageReturnGo) {
    EXPECT_EQ(SwapXmlReferences("L\r\nx L\r\n", "L", "P"), "P\nx L\r\n");
    // Text the references do not end a line of keeps its next character.
    EXPECT_EQ(SwapXmlReferences("L<a/>", "L", "P"), "P<a/>");
    EXPECT_EQ(SwapXmlReferences("L\nx", "L", "P"), "P\nx");
    EXPECT_EQ(SwapXmlReferences("xL", "L", "P"), "xP");
    EXPECT_EQ(SwapXmlReferences("x", "L", "P"), "x");
    // Without local references there is nothing to exchange.
    EXPECT_EQ(SwapXmlReferences("\r\n<a/>", "", "P"), "\r\n<a/>");
}

}  // namespace
}  // namespace pm
