// The book-description tree built from a DTD: shapes, values, completeness,
// the XML it makes, duplication, defaults, and the bounds on odd DTDs.
#include <gtest/gtest.h>

#include <string>

#include "XmlTestSupport.h"
#include "xml/BookDescription.h"
#include "xml/DTDEdit.h"
#include "xml/XMLState.h"

namespace pm {
namespace {

// name:kind:occurrence and, for entries with children, "," or "|" and the
// children in braces.
std::string Shape(const TDTDEntry& e) {
    std::string s = e.name + ":" + std::to_string(e.kind) + ":" + std::to_string(e.occurrence);
    if (e.children.empty()) return s;
    s += e.sequence ? ",{" : "|{";
    for (size_t i = 0; i < e.children.size(); ++i) s += (i ? " " : "") + Shape(*e.children[i]);
    return s + "}";
}

DtdTree Built(const std::string& dtd, const std::string& root = "r") {
    DtdTree t;
    EXPECT_TRUE(t.Build(PrepareDtdText(dtd), root));
    if (t.Root()) t.Include(*t.Root(), true);
    return t;
}

std::string Plain(const DtdTree& t) { return t.PaneText(Texts()); }

const std::string kBook =
    "<!ELEMENT description (title-info, document-info)>"
    "<!ELEMENT title-info (author+, book-title, annotation?, lang)>"
    "<!ELEMENT author (first-name, middle-name?, last-name)>"
    "<!ELEMENT first-name (#PCDATA)><!ELEMENT middle-name (#PCDATA)><!ELEMENT last-name (#PCDATA)>"
    "<!ELEMENT book-title (#PCDATA)><!ELEMENT lang (#PCDATA)>"
    "<!ELEMENT annotation (p|empty-line)*>"
    "<!ELEMENT document-info (program-used?, date)>"
    "<!ELEMENT program-used (#PCDATA)>"
    "<!ELEMENT date (#PCDATA)><!ATTLIST date value CDATA #IMPLIED>";

// ---- the DTD text and the tree's shape

TEST(DtdText, SpreadOutDtdGivesTheCompactTree) {
    const std::string compact = "<!ELEMENT r (a,b?,(c|d)*)><!ELEMENT a (#PCDATA)><!ATTLIST a x CDATA #REQUIRED>"
                                "<!ELEMENT b (p|q)*><!ELEMENT c (#PCDATA)><!ELEMENT d (#PCDATA)>";
    const std::string spread =
        "<!-- the root -->\r\n<!ELEMENT r\t( a ,\r\n\t b ? , ( c | d ) * )>\r\n\r\n\r\n\r\n"
        "<!ELEMENT a  (#PCDATA) >\n<!ATTLIST a\n   x   CDATA   #REQUIRED>\n"
        "<!-- two\nlines -->   <!ELEMENT b (p |q) *>\t<!ELEMENT c (#PCDATA)>\n<!ELEMENT d (#PCDATA)>\n";
    const DtdTree a = Built(compact), b = Built(spread);
    EXPECT_EQ(Shape(*a.Root()), Shape(*b.Root()));
    EXPECT_EQ(Shape(*a.Root()), "r:0:2,{a:2:2,{x:4:2} b:1:3 c|d:3:1|{c:2:2 d:2:2}}");
    EXPECT_EQ(PrepareDtdText("<!ELEMENT a (b)> <!ELEMENT b (#PCDATA)>"),
              "<!ELEMENT a (b)>\n<!ELEMENT b (#PCDATA)>");
}

TEST(DtdTree, KindsOccurrencesAndSeparators) {
    const DtdTree t = Built("<!ELEMENT r (a*,b,c?,d+,(e,f))><!ELEMENT a (#PCDATA)><!ELEMENT b (x|y)>"
                            "<!ELEMENT c (p,q)><!ELEMENT d EMPTY><!ELEMENT e (#PCDATA)><!ELEMENT f (#PCDATA)>"
                            "<!ELEMENT x (#PCDATA)><!ELEMENT y (#PCDATA)>");
    EXPECT_EQ(Shape(*t.Root()), "r:0:2,{a:2:1 b:0:2|{x:2:2 y:2:2} c:1:3 d:0:4 e,f:3:2,{e:2:2 f:2:2}}");
    EXPECT_EQ(t.Root()->children[0]->sortKey, 1000);
    EXPECT_EQ(t.Root()->children[1]->sortKey, 2000);
}

TEST(DtdTree, OnlyCdataAttributesAreUnderstood) {
    DtdTree t;
    ASSERT_TRUE(t.Build(PrepareDtdText("<!ELEMENT r (#PCDATA)><!ATTLIST r id ID #REQUIRED k CDATA #FIXED \"v 1\" "
                                       "n CDATA #IMPLIED>"),
                        "r"));
    EXPECT_EQ(Shape(*t.Root()), "r:2:2,{id:4:2 k:4:3 n:4:3}");
    ASSERT_EQ(t.Notes().size(), 1u);
    EXPECT_EQ(DtdNoteText(t.Notes()[0], Texts()),
              "Tag \"r\" has an attribute \"id\" of type \"ID\". The program does only supports propertyes of type "
              "\"CDATA\". Type ignored!!!");
}

// ---- values and the XML

TEST(DtdTree, OptionalElementStaysOutUntilIncludedOrFilled) {
    DtdTree t = Built("<!ELEMENT r (a,b?)><!ELEMENT a (#PCDATA)><!ELEMENT b (#PCDATA)>");
    EXPECT_TRUE(t.Root()->sequence);
    TDTDEntry& b = *t.Root()->children[1];
    EXPECT_EQ(b.occurrence, kOccOptional);
    EXPECT_EQ(t.MarkedXml(*t.Root()), "<'r>\n <'a><'/a>\n<'/r>\n");
    t.Include(b, true);
    EXPECT_EQ(t.MarkedXml(*t.Root()), "<'r>\n <'a><'/a>\n <\"b><\"/b>\n<'/r>\n");
    t.Include(b, false);
    ASSERT_TRUE(t.SetValueAtPath("b", "x"));
    EXPECT_TRUE(b.included);
    EXPECT_EQ(Plain(t), "<r>\n <a></a>\n <b>x</b>\n</r>\n\nNOT all required data\nis entered in container\n<r><a>");
}

TEST(DtdTree, PaneColoursTagsByMarker) {
    DtdTree t = Built("<!ELEMENT r (a?)><!ELEMENT a (p|x)*>");
    ASSERT_TRUE(t.Leave(*t.Root()->children[0], "one", false));
    using R = DtdPaneSegment::Role;
    std::string roles;
    for (const DtdPaneSegment& s : t.PaneSegments())
        roles += s.role == R::RequiredTag ? 'R' : s.role == R::OptionalTag ? 'O' : s.role == R::ParagraphTag ? 'P' : 't';
    EXPECT_EQ(roles, "RtOPtPOtRt");  // <r> "\n " <a><p> one </p></a> "\n" </r> "\n"
}

TEST(DtdTree, ParagraphFieldMakesOneParagraphPerLine) {
    DtdTree t = Built("<!ELEMENT r (a)><!ELEMENT a (p|x)*>");
    TDTDEntry& a = *t.Root()->children[0];
    ASSERT_TRUE(t.Leave(a, "first line\r\nsecond line", false));
    EXPECT_EQ(a.value, "<p>first line</p>\r\n<p>second line</p>");
    // Text that is mark-up already is taken as it is, also on a second visit.
    ASSERT_TRUE(t.Leave(a, a.value, false));
    EXPECT_EQ(a.value, "<p>first line</p>\r\n<p>second line</p>");
    ASSERT_TRUE(t.Leave(a, "", false));
    EXPECT_EQ(a.value, "");
}

TEST(DtdTree, AngleBracketKeepsAPlainTextFieldOpen) {
    DtdTree t = Built("<!ELEMENT r (a)><!ELEMENT a (#PCDATA)><!ATTLIST a k CDATA #IMPLIED>");
    TDTDEntry& a = *t.Root()->children[0];
    TDTDEntry& k = *a.children[0];
    EXPECT_FALSE(t.Leave(a, "x < y", false));
    EXPECT_EQ(a.value, "");
    EXPECT_FALSE(t.Leave(k, "<b>", false));
    EXPECT_TRUE(t.Leave(a, "x > y", false));
    EXPECT_TRUE(t.Leave(k, "say \"hi\"", false));
    EXPECT_EQ(Plain(t), "<r>\n <a k=\"say &#34;hi&#34;\">x > y</a>\n</r>\n");
}

TEST(DtdTree, LabelsShowValuesOnOneLineUpToFiftyCharacters) {
    TDTDEntry e;
    e.name = "n";
    EXPECT_EQ(DtdLabel(e), "n");
    e.value = "a\r\nb";
    EXPECT_EQ(DtdLabel(e), "n = \"ab\"");
    e.value = std::string(50, 'x');
    EXPECT_EQ(DtdLabel(e), "n = \"" + std::string(50, 'x') + "\"");
    e.value = std::string(51, 'x');
    EXPECT_EQ(DtdLabel(e), "n = \"" + std::string(50, 'x') + "...\"");
}

// ---- paths and defaults

TEST(DtdTree, PathsWithAndWithoutTheRootName) {
    DtdTree a = Built(kBook, "description"), b = Built(kBook, "description");
    ASSERT_TRUE(a.SetValueAtPath("title-info|book-title", "Roads"));
    ASSERT_TRUE(b.SetValueAtPath("description|title-info|book-title", "Roads"));
    EXPECT_EQ(a.Find("title-info|book-title"), a.Find("description|title-info|book-title"));
    EXPECT_EQ(Plain(a), Plain(b));
    EXPECT_FALSE(a.SetValueAtPath("title-info|nothing", "x"));
    EXPECT_FALSE(a.SetValueAtPath("title-info|lang", ""));  // an empty text does nothing
    EXPECT_TRUE(a.Find("title-info|lang")->included);  // required: included with its container
    EXPECT_EQ(a.Find("title-info|lang")->value, "");
}

TEST(DtdTree, DefaultPathsReceiveTheDateAndTheProgram) {
    DtdTree t = Built(kBook, "description");
    DescriptionPrefill p;
    p.date = "2003-07-05";
    p.program = "Pellmark 1.0 + Ostrel skin";
    p.firstName = "Lev";
    p.lastName = "Tolstoy";
    p.title = "War";
    PrefillDescription(t, XmlDescriptionValues(), p);
    EXPECT_EQ(t.Find("document-info|date|value")->value, "2003-07-05");
    EXPECT_EQ(t.Find("document-info|date|value")->kind, kDtdAttribute);
    EXPECT_EQ(t.Find("document-info|program-used")->value, "Pellmark 1.0 + Ostrel skin");
    EXPECT_EQ(t.Find("title-info|author|first-name")->value, "Lev");
    EXPECT_EQ(t.Find("title-info|author|middle-name")->value, "");
    EXPECT_FALSE(t.Find("title-info|author|middle-name")->included);  // no text, not included
    const std::string xml = Plain(t);
    EXPECT_NE(xml.find("  <program-used>Pellmark 1.0 + Ostrel skin</program-used>\n"), std::string::npos) << xml;
    EXPECT_NE(xml.find("  <date value=\"2003-07-05\"></date>\n"), std::string::npos) << xml;
    EXPECT_EQ(xml.find("<middle-name"), std::string::npos) << xml;
}

TEST(DtdTree, GroupNamesInStoredPaths) {
    // A default under a group: the group's name holds "|" and spans parts.
    DtdTree t = Built("<!ELEMENT r (a,(b|c))><!ELEMENT a (#PCDATA)><!ELEMENT b (#PCDATA)><!ELEMENT c (#PCDATA)>");
    TDTDEntry* c = t.Find("r|b|c|c");
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->name, "c");
    EXPECT_EQ(DtdFullPath(*c), "r|b|c|c");
}

TEST(DtdTree, DefaultsAreSavedAndLoaded) {
    ConfigTree config;
    DtdTree t = Built(kBook, "description");
    t.SetValueAtPath("title-info|lang", "ru");
    t.SetValueAtPath("document-info|date|value", "2020-01-02");
    t.SaveDefaults(config);
    const std::string key = XmlDefaultsKeyPath();
    EXPECT_EQ(config.GetValue(key, "description|title-info|lang")->text, "ru");
    EXPECT_EQ(config.GetValue(key, "description|document-info|date|value")->text, "2020-01-02");
    EXPECT_FALSE(config.GetValue(key, "description|title-info|book-title"));
    DtdTree u = Built(kBook, "description");
    u.LoadDefaults(config);
    EXPECT_EQ(u.Find("title-info|lang")->value, "ru");
    // An emptied leaf deletes its stored default; a path matching nothing is ignored.
    u.SetValue(*u.Find("title-info|lang"), "");
    config.SetString(key, "description|gone", "x");
    u.SaveDefaults(config);
    EXPECT_FALSE(config.GetValue(key, "description|title-info|lang"));
    DtdTree w = Built(kBook, "description");
    w.LoadDefaults(config);
    EXPECT_EQ(w.Find("title-info|lang")->value, "");
}

// ---- completeness

TEST(DtdTree, ChoiceWithBothBranchesFilledHasTooManyValues) {
    DtdTree t = Built("<!ELEMENT r (s)><!ELEMENT s (a|b)><!ELEMENT a (#PCDATA)><!ELEMENT b (#PCDATA)>");
    EXPECT_FALSE(t.IsComplete(*t.Root()));
    t.SetValueAtPath("s|a", "1");
    EXPECT_TRUE(t.IsComplete(*t.Root()));
    EXPECT_EQ(t.StateIcon(*t.Root()), kStateComplete);
    t.SetValueAtPath("s|b", "2");
    EXPECT_FALSE(t.IsComplete(*t.Root()));
    EXPECT_EQ(t.PendingMessage(Texts()), "More than one values\nare set under item\n<r><s>,\nbut there may only be one.");
    EXPECT_EQ(t.StateIcon(*t.Root()), kOccOne);
}

TEST(DtdTree, OptionalChoiceAlsoCountsValuesButRepeatedChoiceDoesNot) {
    for (const std::string mark : {"?", "*"}) {
        DtdTree t = Built("<!ELEMENT r (s" + mark + ")><!ELEMENT s (a|b)><!ELEMENT a (#PCDATA)><!ELEMENT b (#PCDATA)>");
        t.SetValueAtPath("s|a", "1");
        t.SetValueAtPath("s|b", "2");
        EXPECT_EQ(t.IsComplete(*t.Root()), mark == "*") << mark;
    }
}

TEST(DtdTree, MissingDataAndMissingProperties) {
    DtdTree t = Built(kBook, "description");
    EXPECT_EQ(t.PendingMessage(Texts()),
              "NOT all required data\nis entered in container\n<description><title-info><author><first-name>");
    t.SetValueAtPath("title-info|author|first-name", "A");
    t.SetValueAtPath("title-info|author|last-name", "B");
    t.SetValueAtPath("title-info|book-title", "T");
    t.SetValueAtPath("title-info|lang", "ru");
    t.SetValueAtPath("document-info|date", "today");
    EXPECT_TRUE(t.IsComplete(*t.Root()));
    DtdTree u = Built("<!ELEMENT r (a)><!ELEMENT a (#PCDATA)><!ATTLIST a k CDATA #REQUIRED>");
    EXPECT_EQ(u.PendingMessage(Texts()), "NOT all required\nproperties are filled under\n<r><a>");
    u.SetValueAtPath("a|k", "1");
    EXPECT_TRUE(u.IsComplete(*u.Root()));  // a leaf with attributes needs no text of its own
}

// ---- duplicate and delete

TEST(DtdTree, ControlsFollowOccurrenceAndKind) {
    DtdTree t = Built("<!ELEMENT r (a*,b+,c?,d,(e|f)?)><!ELEMENT a (x)><!ELEMENT b (#PCDATA)><!ELEMENT c (#PCDATA)>"
                      "<!ELEMENT d (#PCDATA)><!ELEMENT e (#PCDATA)><!ELEMENT f (#PCDATA)><!ELEMENT x (#PCDATA)>");
    auto controls = [&](size_t i) { return ControlsFor(*t.Root()->children[i], "box", "one"); };
    EXPECT_TRUE(controls(0).duplicateEnabled);
    EXPECT_TRUE(controls(0).deleteEnabled);
    EXPECT_TRUE(controls(0).useEnabled);
    EXPECT_EQ(controls(0).field, "[box]");
    EXPECT_FALSE(controls(0).fieldEnabled);
    EXPECT_TRUE(controls(1).duplicateEnabled);
    EXPECT_FALSE(controls(1).deleteEnabled);
    EXPECT_FALSE(controls(2).duplicateEnabled);
    EXPECT_TRUE(controls(2).deleteEnabled);
    EXPECT_FALSE(controls(2).useEnabled);  // a leaf
    EXPECT_TRUE(controls(2).fieldEnabled);
    EXPECT_FALSE(controls(3).duplicateEnabled);
    EXPECT_FALSE(controls(3).deleteEnabled);
    EXPECT_EQ(controls(4).field, "[one]");
    EXPECT_TRUE(controls(4).useEnabled);
    // A copy of a "+" entry may go again.
    TDTDEntry* copy = t.Duplicate(*t.Root()->children[1]);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(ControlsFor(*copy, "", "").deleteEnabled);
    EXPECT_EQ(ControlsFor(*t.Root(), "", "").deleteEnabled, false);
}

TEST(DtdTree, DuplicateAndDelete) {
    DtdTree t = Built("<!ELEMENT r (a+,z)><!ELEMENT a (n)><!ATTLIST a k CDATA #IMPLIED><!ELEMENT n (#PCDATA)>"
                      "<!ELEMENT z (#PCDATA)>");
    TDTDEntry& a = *t.Root()->children[0];
    t.SetValueAtPath("a|n", "first");
    TDTDEntry* copy = t.Duplicate(a);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->IndexInParent(), 1u);
    EXPECT_EQ(copy->sortKey, a.sortKey + 1);
    EXPECT_TRUE(copy->isCopy);
    EXPECT_TRUE(copy->included);
    EXPECT_EQ(Shape(*copy), "a:0:4,{k:4:3 n:2:2}");
    t.SetValue(*copy->children[1], "second");
    EXPECT_EQ(Plain(t), "<r>\n <a>\n  <n>first</n>\n </a>\n <a>\n  <n>second</n>\n </a>\n <z></z>\n</r>\n\n"
                        "NOT all required data\nis entered in container\n<r><z>");
    EXPECT_TRUE(t.Remove(*copy));
    EXPECT_EQ(t.Root()->children.size(), 2u);
    EXPECT_FALSE(t.Remove(*t.Root()));
}

TEST(DtdTree, GroupCopyIsBuiltFromItsOwnModel) {
    DtdTree t = Built("<!ELEMENT r ((a,b?)*)><!ELEMENT a (#PCDATA)><!ELEMENT b (#PCDATA)>");
    TDTDEntry& g = *t.Root()->children[0];
    ASSERT_EQ(g.kind, kDtdGroup);
    TDTDEntry* copy = t.Duplicate(g);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(Shape(*copy), Shape(g));
    EXPECT_EQ(copy->declaration, "(a,b?)");
    t.SetValue(*copy->children[0], "x");
    EXPECT_EQ(Plain(t), "<r>\n <a>x</a>\n</r>\n");
}

// ---- DTDs that would make the tree grow without end

TEST(DtdTree, SelfContainingElementIsExpandedOncePerPath) {
    DtdTree t = Built("<!ELEMENT r (s)><!ELEMENT s (t,s*)><!ELEMENT t (#PCDATA)>");
    EXPECT_EQ(Shape(*t.Root()), "r:0:2,{s:0:2,{t:2:2 s:0:1}}");
    TDTDEntry& inner = *t.Root()->children[0]->children[1];
    EXPECT_EQ(inner.cut, DtdCut::Recursive);
    EXPECT_TRUE(t.Notes().empty());
    // Its copy stays as short.
    TDTDEntry* copy = t.Duplicate(inner);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->children.empty());
    // Through groups and another element as well.
    DtdTree u = Built("<!ELEMENT r (a)><!ELEMENT a (b|(c,a))><!ELEMENT b (#PCDATA)><!ELEMENT c (a?)>");
    EXPECT_EQ(Shape(*u.Root()), "r:0:2,{a:0:2|{b:2:2 c,a:3:2,{c:0:2,{a:0:3} a:0:2}}}");
}

std::string Chain(int levels) {
    // r holds e1, e1 holds e2 ... e<levels> holds text.
    std::string dtd = "<!ELEMENT r (e1)>";
    for (int i = 1; i < levels; ++i)
        dtd += "<!ELEMENT e" + std::to_string(i) + " (e" + std::to_string(i + 1) + ")>";
    return dtd + "<!ELEMENT e" + std::to_string(levels) + " (#PCDATA)>";
}

TEST(DtdTree, DepthIsBounded) {
    DtdTree t = Built(Chain(DtdTree::kMaxDepth));
    EXPECT_TRUE(t.Notes().empty());
    const TDTDEntry* e = t.Root();
    while (!e->children.empty()) e = e->children[0].get();
    EXPECT_EQ(e->Depth(), DtdTree::kMaxDepth);
    EXPECT_EQ(e->kind, kDtdText);

    DtdTree u = Built(Chain(DtdTree::kMaxDepth + 1));
    ASSERT_EQ(u.Notes().size(), 1u);
    e = u.Root();
    while (!e->children.empty()) e = e->children[0].get();
    EXPECT_EQ(e->Depth(), DtdTree::kMaxDepth);
    EXPECT_EQ(e->cut, DtdCut::TooDeep);
    EXPECT_EQ(DtdNoteText(u.Notes()[0], Texts()),
              "The DTD for the book description nests its elements more than 32 levels deep: the tree stops below <e" +
                  std::to_string(DtdTree::kMaxDepth) + ">.");
}

std::string Wide(size_t children) {
    std::string model, decls;
    for (size_t i = 0; i < children; ++i) {
        model += (i ? "," : "") + std::string("c") + std::to_string(i);
        decls += "<!ELEMENT c" + std::to_string(i) + " (#PCDATA)>";
    }
    return "<!ELEMENT r (" + model + ")>" + decls;
}

TEST(DtdTree, SizeIsBounded) {
    DtdTree t = Built(Wide(DtdTree::kMaxEntries - 1));  // and the root
    EXPECT_EQ(t.EntryCount(), DtdTree::kMaxEntries);
    EXPECT_TRUE(t.Notes().empty());
    EXPECT_EQ(t.Root()->cut, DtdCut::None);
    DtdTree u = Built(Wide(DtdTree::kMaxEntries));
    EXPECT_EQ(u.EntryCount(), DtdTree::kMaxEntries);
    ASSERT_EQ(u.Notes().size(), 1u);
    EXPECT_EQ(u.Notes()[0].kind, DtdBuildNote::Kind::TooMany);
    EXPECT_EQ(u.Root()->cut, DtdCut::TooMany);
    // Doubling at every level stops at the bound too.
    std::string doubling = "<!ELEMENT r (d1,d1)>";
    for (int i = 1; i < 30; ++i)
        doubling += "<!ELEMENT d" + std::to_string(i) + " (d" + std::to_string(i + 1) + ",d" + std::to_string(i + 1) + ")>";
    DtdTree w = Built(doubling + "<!ELEMENT d30 (#PCDATA)>");
    EXPECT_EQ(w.EntryCount(), DtdTree::kMaxEntries);
}

// ---- the description is XML that its own DTD accepts

// The parser's verdict on the description of a complete tree, checked
// against the DTD it was built from; "" when it is valid.
std::string ParserSays(const DtdTree& t, const std::string& dtd) {
    EXPECT_TRUE(t.IsComplete(*t.Root())) << t.PendingMessage(Texts());
    const test::XmlScratch dir;
    dir.Put("d.dtd", dtd);
    const std::string doc = "<?xml version=\"1.0\" encoding=\"windows-1251\"?><!DOCTYPE " + t.Root()->name +
                            " SYSTEM \"d.dtd\">\n" + Plain(t);
    const XmlCheckResult r = CheckXmlPreview(dir.Put("doc.xml", doc));
    if (r.status == XmlCheckResult::Status::Valid) return {};
    return r.error.reason + " in: " + doc;
}

TEST(DtdXml, ProgramSetTextsAreWrittenAsCharacterData) {
    // The title and the names come from the book, the defaults from the
    // configuration: they reach the entries without the field's check.
    const std::string dtd = "<!ELEMENT r (t, n)><!ELEMENT t (#PCDATA)><!ELEMENT n (#PCDATA)>"
                            "<!ATTLIST n k CDATA #IMPLIED>";
    DtdTree t = Built(dtd);
    ASSERT_TRUE(t.SetValueAtPath("t", "<<Tom & Jerry>> &\x0C <b>"));
    ASSERT_TRUE(t.SetValueAtPath("n", "AT&T &amp; &#171;x&#xBB; &quot;"));
    ASSERT_TRUE(t.SetValueAtPath("n|k", "a<b & \"c\" > d"));
    EXPECT_EQ(ParserSays(t, dtd), "");
    // References written by hand stay references; a bare "&" becomes one;
    // the control characters XML does not allow go.
    EXPECT_EQ(Plain(t), "<r>\n <t>&lt;&lt;Tom &amp; Jerry>> &amp; &lt;b></t>\n"
                        " <n k=\"a&lt;b &amp; &#34;c&#34; &gt; d\">AT&amp;T &amp; &#171;x&#xBB; &quot;</n>\n</r>\n");
    // A named reference stays for the conversion's entity pass to resolve;
    // "&" before anything that is no reference does not.
    ASSERT_TRUE(t.SetValueAtPath("t", "&copy; &c; &#; &#x; &1a; &"));
    EXPECT_NE(Plain(t).find("<t>&copy; &c; &amp;#; &amp;#x; &amp;1a; &amp;</t>"), std::string::npos) << Plain(t);
    // The values themselves, and so the labels and the stored defaults,
    // stay as they were given.
    EXPECT_EQ(t.Find("n")->value, "AT&T &amp; &#171;x&#xBB; &quot;");
    EXPECT_EQ(DtdLabel(*t.Find("n|k")), "k = \"a<b & \"c\" > d\"");
}

TEST(DtdXml, ParagraphTextKeepsItsMarkupButNotABareAmpersand) {
    const std::string dtd =
        "<!ELEMENT r (a)><!ELEMENT a (p|e)*><!ELEMENT p (#PCDATA|b)*><!ELEMENT b (#PCDATA)><!ELEMENT e EMPTY>";
    DtdTree t = Built(dtd);
    TDTDEntry& a = *t.Root()->children[0];
    ASSERT_TRUE(t.Leave(a, "Salt & pepper\nfish &amp; chips", false));
    EXPECT_EQ(ParserSays(t, dtd), "");
    ASSERT_TRUE(t.Leave(a, "<p>Salt & <b>pepper</b></p>", false));
    EXPECT_EQ(ParserSays(t, dtd), "");
    EXPECT_EQ(a.value, "<p>Salt & <b>pepper</b></p>");
}

TEST(DtdXml, EmptyElementHasNoContent) {
    const std::string dtd = "<!ELEMENT r (c, e?)><!ELEMENT c (i+)><!ELEMENT i EMPTY><!ATTLIST i href CDATA #REQUIRED>"
                            "<!ELEMENT e EMPTY>";
    DtdTree t = Built(dtd);
    ASSERT_TRUE(t.SetValueAtPath("c|i|href", "#cover.jpg"));
    t.Include(*t.Find("e"), true);
    EXPECT_EQ(ParserSays(t, dtd), "");
    EXPECT_EQ(Plain(t), "<r>\n <c>\n  <i href=\"#cover.jpg\"></i>\n </c>\n <e></e>\n</r>\n");
}

TEST(DtdXml, ChoiceWritesTheAlternativeThatWasFilled) {
    const std::string dtd = "<!ELEMENT r (s, g)><!ELEMENT s (a|b)><!ELEMENT g ((x,y)|z)>"
                            "<!ELEMENT a (#PCDATA)><!ELEMENT b (#PCDATA)><!ELEMENT x (#PCDATA)><!ELEMENT y (#PCDATA)>"
                            "<!ELEMENT z (#PCDATA)>";
    DtdTree t = Built(dtd);
    ASSERT_TRUE(t.SetValueAtPath("s|b", "2"));
    ASSERT_TRUE(t.SetValueAtPath("g|x,y|x", "1"));
    ASSERT_TRUE(t.SetValueAtPath("g|x,y|y", "2"));
    EXPECT_EQ(ParserSays(t, dtd), "");
    EXPECT_EQ(Plain(t), "<r>\n <s>\n  <b>2</b>\n </s>\n <g>\n  <x>1</x>\n  <y>2</y>\n </g>\n</r>\n");
    // Before anything is chosen the pane shows every alternative to fill.
    DtdTree u = Built(dtd);
    EXPECT_NE(Plain(u).find("<a></a>\n  <b></b>"), std::string::npos) << Plain(u);
}

TEST(DtdXml, StoredDefaultOfACopyDoesNotReplaceTheOriginals) {
    // Loading reaches the first entry of a path; saving keeps its value.
    ConfigTree config;
    DtdTree t = Built(kBook, "description");
    TDTDEntry& author = *t.Find("title-info|author");
    t.SetValueAtPath("title-info|author|first-name", "Ilya");
    t.SetValueAtPath("title-info|author|last-name", "Ilf");
    TDTDEntry* second = t.Duplicate(author);
    ASSERT_NE(second, nullptr);
    t.SetValue(*second->children[0], "Evgeny");  // the second author's first name; last name left empty
    t.SaveDefaults(config);
    DtdTree u = Built(kBook, "description");
    u.LoadDefaults(config);
    EXPECT_EQ(u.Find("title-info|author|first-name")->value, "Ilya");
    EXPECT_EQ(u.Find("title-info|author|last-name")->value, "Ilf");
}

// ---- the editor's configuration

TEST(DtdEditorLayout, ReadingStopsAtTheFirstMissingSize) {
    ConfigTree config;
    const std::string key = XmlKeyPath();
    config.SetString(key, "Root element", "book");
    config.SetDWord(key, "Window width", 900);
    config.SetDWord(key, "XML text width", 400);  // "Window height" is missing
    DtdEditorLayout l;
    l.Read(config);
    EXPECT_EQ(l.rootName, "book");
    EXPECT_EQ(l.width, 900);
    EXPECT_EQ(l.xmlTextWidth, DtdEditorLayout().xmlTextWidth);
    EXPECT_EQ(l.Title(), "Book description editor (pellmark.example.org)");
    l.caption = "Mine";
    EXPECT_EQ(l.Title(), "Mine (pellmark.example.org)");
    l.Write(config);
    EXPECT_EQ(config.GetValue(key, "Window caption")->text, "Book description editor");
    EXPECT_EQ(config.GetValue(key, "Toolbar mode")->number, 1);
    config.SetString(key, "Window caption", "Kept");
    l.Write(config);
    EXPECT_EQ(config.GetValue(key, "Window caption")->text, "Kept");
    // The skin removed while the editor was open is not brought back.
    ASSERT_TRUE(config.DeleteKey(key));
    l.Write(config);
    EXPECT_FALSE(config.KeyExists(key));
}

TEST(DescriptionTree, LoadOutcomes) {
    ConfigTree config;
    DtdTree t;
    EXPECT_EQ(LoadDescriptionTree(config, "description", t), DtdLoadOutcome::NoXmlKey);
    config.SetString(XmlKeyPath(), "DTD for editor", "<!ELEMENT other (#PCDATA)>");
    EXPECT_EQ(LoadDescriptionTree(config, "description", t), DtdLoadOutcome::NoRoot);
    config.SetString(XmlKeyPath(), "DTD for editor", kBook);
    config.SetString(XmlDefaultsKeyPath(), "description|title-info|lang", "ru");
    ASSERT_EQ(LoadDescriptionTree(config, "description", t), DtdLoadOutcome::Built);
    EXPECT_TRUE(t.Root()->included);
    EXPECT_EQ(t.Find("title-info|lang")->value, "ru");
}

}  // namespace
}  // namespace pm
