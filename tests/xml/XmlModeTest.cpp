// XML description mode at start: "Ostrel", the values and their defaults.
#include <gtest/gtest.h>

#include "xml/XmlMode.h"

namespace pm {
namespace {

TEST(XmlMode, OnlyTheIntegerOneTurnsItOn) {
    ConfigTree tree;
    XmlDescriptionValues v;
    v.sysDtd = "untouched";
    EXPECT_FALSE(ReadXmlDescriptionMode(tree, "/opt/pm", v));  // no key
    tree.CreateKey(XmlKeyPath());
    EXPECT_FALSE(ReadXmlDescriptionMode(tree, "/opt/pm", v));  // no "Ostrel"
    tree.SetString(XmlKeyPath(), "Ostrel", "1");
    EXPECT_FALSE(ReadXmlDescriptionMode(tree, "/opt/pm", v));
    for (int other : {0, 2, -1}) {
        tree.SetDWord(XmlKeyPath(), "Ostrel", other);
        EXPECT_FALSE(ReadXmlDescriptionMode(tree, "/opt/pm", v)) << other;
    }
    EXPECT_EQ(v.sysDtd, "untouched");
    tree.SetDWord(XmlKeyPath(), "ostrel", 1);  // names compare without case
    EXPECT_TRUE(ReadXmlDescriptionMode(tree, "/opt/pm", v));
    EXPECT_EQ(v.sysDtd, "");
}

TEST(XmlMode, MissingValuesKeepTheirDefaults) {
    ConfigTree tree;
    tree.SetDWord(XmlKeyPath(), "Ostrel", 1);
    tree.SetString(XmlKeyPath(), "Book Title", "ti|name");
    tree.SetString(XmlKeyPath(), "PUB DTD", "<!DOCTYPE x>");
    XmlDescriptionValues v;
    ASSERT_TRUE(ReadXmlDescriptionMode(tree, "/opt/pm", v));
    EXPECT_EQ(v.currentDate, "document-info|date|value");
    EXPECT_EQ(v.programUsed, "document-info|program-used");
    EXPECT_EQ(v.firstName, "title-info|author|first-name");
    EXPECT_EQ(v.middleName, "title-info|author|middle-name");
    EXPECT_EQ(v.lastName, "title-info|author|last-name");
    EXPECT_EQ(v.bookTitle, "ti|name");
    EXPECT_EQ(v.pubDtd, "<!DOCTYPE x>");
    // Without "PUB SXL" the style-sheet form writes "PUB DTD" alone.
    EXPECT_EQ(v.pubSxl, "");
    EXPECT_EQ(v.PublicReferences(true), "<!DOCTYPE x>");
}

TEST(XmlMode, ProgramPathReplacesTheFirstMacroOfTheLocalReferencesOnly) {
    ConfigTree tree;
    const std::string key = XmlKeyPath();
    tree.SetDWord(key, "Ostrel", 1);
    tree.SetString(key, "SYS DTD", "<!DOCTYPE b SYSTEM \"%pellmarkpath%b.dtd\"><!-- %pellmarkpath% -->");
    tree.SetString(key, "XML Style sheet", "<?xml-stylesheet href=\"%pellmarkpath%b.xsl\"?>");
    tree.SetString(key, "PUB DTD", "<!DOCTYPE b SYSTEM \"%pellmarkpath%b.dtd\">");
    tree.SetString(key, "PUB SXL", "%pellmarkpath%");
    XmlDescriptionValues v;
    ASSERT_TRUE(ReadXmlDescriptionMode(tree, "/opt/pell mark", v));
    EXPECT_EQ(v.sysDtd, "<!DOCTYPE b SYSTEM \"/opt/pell mark/b.dtd\"><!-- %pellmarkpath% -->");
    EXPECT_EQ(v.styleSheet, "<?xml-stylesheet href=\"/opt/pell mark/b.xsl\"?>");
    EXPECT_EQ(v.pubDtd, "<!DOCTYPE b SYSTEM \"%pellmarkpath%b.dtd\">");
    EXPECT_EQ(v.pubSxl, "%pellmarkpath%");
    EXPECT_EQ(v.LocalReferences(), v.sysDtd + v.styleSheet);
    EXPECT_EQ(ReplaceProgramPath("%pellmarkpath%x", "/bin/"), "/bin/x");  // one separator
}

}  // namespace
}  // namespace pm
