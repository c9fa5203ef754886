// The bookmark and position comments inside a book: how they are read back
// and the exact bytes a save writes.
#include <gtest/gtest.h>

#include "reader/BookMarkers.h"

using namespace pm::reader;

namespace {

std::string Block(const std::string& lines) {
    return "<!-- Vorn's Pellmark bookmarks \n\r" + lines + " Vorn's Pellmark bookmarks -->";
}

}  // namespace

TEST(BookFormat, ProducedByTheGeneratorMarkOrABlock) {
    EXPECT_TRUE(ProducedByPellmark("<head><meta name=\"Generator\" content=\"Pellmark\"></head>"));
    // The block start without its trailing space is enough.
    EXPECT_TRUE(ProducedByPellmark("<body>x<!-- Vorn's Pellmark bookmarks</body>"));
    EXPECT_FALSE(ProducedByPellmark("<body>x<!-- Vorn's Pellmark bookmark</body>"));
    // Case as written.
    EXPECT_FALSE(ProducedByPellmark("<META NAME=\"Generator\" CONTENT=\"Pellmark\">"));
    EXPECT_FALSE(ProducedByPellmark("<html><body>Just a page</body></html>"));
}

TEST(BookFormat, Utf8ByItsOwnWord) {
    EXPECT_TRUE(DeclaresUtf8("<head><meta charset=\"utf-8\">"));
    EXPECT_TRUE(DeclaresUtf8("<meta http-equiv=Content-Type content=\"text/html; CHARSET=UTF-8\">"));
    EXPECT_TRUE(DeclaresUtf8("<meta charset=utf8>"));
    EXPECT_TRUE(DeclaresUtf8("\xEF\xBB\xBF<html>"));
    EXPECT_FALSE(DeclaresUtf8("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">"));
    EXPECT_FALSE(DeclaresUtf8("<meta charset=\"utf-16\">"));
    EXPECT_FALSE(DeclaresUtf8("<html><head><title>utf-8</title>"));
    EXPECT_FALSE(DeclaresUtf8(""));
}

// The page's own code page is the one its first meta tag names, as the
// browser reads it; a script or a style sheet in another code page says
// nothing about the page.
TEST(BookFormat, Utf8ByThePagesFirstMetaOnly) {
    const std::string cp1251Meta = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">";
    EXPECT_FALSE(DeclaresUtf8(cp1251Meta + "<script charset=\"utf-8\" src=\"a.js\"></script>"));
    EXPECT_FALSE(DeclaresUtf8("<link rel=stylesheet href=a.css charset=utf-8>" + cp1251Meta));
    EXPECT_FALSE(DeclaresUtf8(cp1251Meta + "<meta charset=\"utf-8\">"));
    EXPECT_TRUE(DeclaresUtf8("<script charset=\"windows-1251\" src=a.js></script><meta charset=\"utf-8\">"));
    EXPECT_TRUE(DeclaresUtf8("<META NAME=x><meta charset=\"UTF-8\">" + cp1251Meta));
}

TEST(BookFormat, HeadAndTailAroundTheBody) {
    const std::string book = "<html><head></head><Body class=x>text</BODY> mid </body>\r\n</html>";
    EXPECT_EQ(HeadText(book), "<html><head></head>");
    EXPECT_EQ(TailText(book), "\r\n</html>");  // after the last closing tag
    EXPECT_EQ(HeadText("<p>no body</p>"), "");
    EXPECT_EQ(TailText("<body>no end"), "");
    EXPECT_EQ(TailText("<body>x</body>"), "");
}

TEST(BookFormat, BookmarkLinesAreReadInOrder) {
    const std::string book = "<body>" + Block("<BOOKMARK ID=\"12\" NM=\"First\">\n\r<BOOKMARK ID=\"7\" NM=\"Second one\">\n\r") +
                             "</body>";
    const std::vector<Bookmark> got = ReadBookmarks(book);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], (Bookmark{12, "First"}));
    EXPECT_EQ(got[1], (Bookmark{7, "Second one"}));
}

TEST(BookFormat, CaseRulesOfTheLine) {
    // "<BOOKMARK " and ID=" in any case, NM=" exactly.
    const std::vector<Bookmark> got = ReadBookmarks(Block("<bookmark id=\"1\" NM=\"low tag\">\n\r"
                                                          "<BOOKMARK ID=\"2\" nm=\"low name\">\n\r"
                                                          "<BooKMarK iD=\"3\" NM=\"mixed\">\n\r"));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], (Bookmark{1, "low tag"}));
    EXPECT_EQ(got[1], (Bookmark{3, "mixed"}));
}

TEST(BookFormat, NameEndsAtQuoteAngle) {
    const std::vector<Bookmark> got = ReadBookmarks(Block("<BOOKMARK ID=\"5\" NM=\"say \"hi\">there\">\n\r"));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].name, "say \"hi");
    // A quote alone does not end it.
    EXPECT_EQ(ReadBookmarks(Block("<BOOKMARK ID=\"5\" NM=\"a\"b\">\n\r"))[0].name, "a\"b");
}

TEST(BookFormat, LinesWithoutADecimalIdAreSkipped) {
    const std::vector<Bookmark> got = ReadBookmarks(Block("<BOOKMARK ID=\"12a\" NM=\"bad\">\n\r"
                                                          "<BOOKMARK ID=\"\" NM=\"empty\">\n\r"
                                                          "<BOOKMARK ID=\"99999999999\" NM=\"too big\">\n\r"
                                                          "<BOOKMARK ID=\"2147483647\" NM=\"largest\">\n\r"
                                                          "<BOOKMARK ID=\"-3\" NM=\"negative\">\n\r"));
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0], (Bookmark{2147483647, "largest"}));
    EXPECT_EQ(got[1], (Bookmark{-3, "negative"}));
}

TEST(BookFormat, BookmarksNeedBothMarkers) {
    const std::string line = "<BOOKMARK ID=\"1\" NM=\"x\">\n\r";
    EXPECT_TRUE(ReadBookmarks("<!-- Vorn's Pellmark bookmarks \n\r" + line).empty());  // no end
    EXPECT_TRUE(ReadBookmarks(line + " Vorn's Pellmark bookmarks -->").empty());        // no start
    // Only the first block counts, and lines outside it do not.
    const std::string two = line + Block("<BOOKMARK ID=\"2\" NM=\"in\">\n\r") + Block("<BOOKMARK ID=\"3\" NM=\"later\">");
    ASSERT_EQ(ReadBookmarks(two).size(), 1u);
    EXPECT_EQ(ReadBookmarks(two)[0].id, 2);
}

TEST(BookFormat, PositionWithinItsWindow) {
    const std::string mark(kPositionMark);
    EXPECT_EQ(ReadPosition(mark + "1073741823\" -->").value, 1073741823);
    EXPECT_TRUE(ReadPosition(mark + "1073741823\" -->").marked);
    EXPECT_FALSE(ReadPosition("<!-- no position -->").marked);
    EXPECT_FALSE(ReadPosition(mark + "12x\" -->").value.has_value());
    EXPECT_TRUE(ReadPosition(mark + "12x\" -->").marked);
    EXPECT_FALSE(ReadPosition(mark + "5 -->").value.has_value());  // no closing quote
}

TEST(BookFormat, PositionQuoteAtTheWindowsEdge) {
    const std::string mark(kPositionMark);
    const std::string zeros35 = std::string(34, '0') + "7";  // 35 digits, value 7
    EXPECT_EQ(ReadPosition(mark + zeros35 + "\" -->").value, 7);         // quote is the 36th character
    EXPECT_FALSE(ReadPosition(mark + zeros35 + "0\" -->").value.has_value());  // the 37th
}

TEST(BookFormat, ParseDecimalLimits) {
    EXPECT_EQ(ParseDecimal("2147483647"), 2147483647);
    EXPECT_FALSE(ParseDecimal("2147483648"));
    EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
    EXPECT_FALSE(ParseDecimal("-2147483649"));
    EXPECT_EQ(ParseDecimal("+4"), 4);
    EXPECT_FALSE(ParseDecimal(""));
    EXPECT_FALSE(ParseDecimal("-"));
    EXPECT_FALSE(ParseDecimal(" 4"));
}

TEST(BookFormat, BlockBytesWithoutBookmarks) {
    EXPECT_EQ(BookmarkBlock({}, 0),
              "<!-- Vorn's Pellmark bookmarks \n\r Vorn's Pellmark bookmarks -->"
              "<!-- Vorn's Pellmark position=\"0\" -->"
              "</body>");
}

TEST(BookFormat, BlockBytesWithBookmarks) {
    EXPECT_EQ(BookmarkBlock({{5, "One"}, {2147483647, "\xC3\xEB\xE0\xE2\xE0 \"2\""}}, 1234),
              "<!-- Vorn's Pellmark bookmarks \n\r"
              "<BOOKMARK ID=\"5\" NM=\"One\">\n\r"
              "<BOOKMARK ID=\"2147483647\" NM=\"\xC3\xEB\xE0\xE2\xE0 \"2\"\">\n\r"
              " Vorn's Pellmark bookmarks -->"
              "<!-- Vorn's Pellmark position=\"1234\" -->"
              "</body>");
}

TEST(BookFormat, WrittenBlockReadsBack) {
    const std::vector<Bookmark> marks{{3, "a"}, {1, "b c"}, {-1, ""}};
    const std::string book = "<body>text" + BookmarkBlock(marks, 77);
    EXPECT_EQ(ReadBookmarks(book), marks);
    EXPECT_EQ(ReadPosition(book).value, 77);
}

// Names are the user's free text: one holding comment marks must neither
// close the bookmark comment early nor pass for the position comment.
TEST(BookFormat, NamesCannotBreakTheComments) {
    const std::vector<Bookmark> marks{{7, "see <!-- Vorn's Pellmark position=\"1\" -->"},
                                      {8, "a --> b Vorn's Pellmark bookmarks -->"}};
    const std::string book = *ComposeBook("<html>", "<body>text</body>", marks, 42, "</html>");
    EXPECT_EQ(ReadPosition(book).value, 42);
    const std::vector<Bookmark> read = ReadBookmarks(book);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].name, "see <!- - Vorn's Pellmark position=\"1\" - ->");
    EXPECT_EQ(read[1].name, "a - -> b Vorn's Pellmark bookmarks - ->");
    // The bookmark comment ends at its own end mark and nowhere before.
    const size_t start = book.find(kBlockStart);
    EXPECT_EQ(book.find("-->", start), book.find(kBlockEnd) + kBlockEnd.size() - 3);
    // Names without such marks are written as they stand.
    EXPECT_EQ(ReadBookmarks(BookmarkBlock({{1, "<-- -- ->"}}, 0)), (std::vector<Bookmark>{{1, "<-- -- ->"}}));
}

// "--!>" closes a comment in a browser as "-->" does: the rest of the list
// would show at the end of the page.
TEST(BookFormat, NamesCannotCloseTheCommentTheOtherWay) {
    const std::string block = BookmarkBlock({{7, "wow--!> then"}, {8, "x"}}, 3);
    const size_t start = block.find(kBlockStart);
    EXPECT_EQ(block.find("--!>", start), std::string::npos);
    EXPECT_EQ(block.find("-->", start), block.find(kBlockEnd) + kBlockEnd.size() - 3);
    const std::vector<Bookmark> read = ReadBookmarks(block);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], (Bookmark{7, "wow- -!> then"}));
    EXPECT_EQ(read[1], (Bookmark{8, "x"}));
}

TEST(BookFormat, ComposedBookKeepsHeadAndTail) {
    const auto book = ComposeBook("<html><head></head>", "<body><p>x</p></body>", {}, 9, "</html>\r\n");
    ASSERT_TRUE(book);
    EXPECT_EQ(*book, "<html><head></head><body><p>x</p>" + BookmarkBlock({}, 9) + "</html>\r\n");
}

TEST(BookFormat, SavingTwiceLeavesOneBlock) {
    const std::string first = *ComposeBook("<head>", "<body>text</body>", {{1, "old"}}, 5, "");
    // The view keeps the old block inside the body, with whatever followed it.
    const std::string body = first.substr(6, first.size() - 6 - 7) + "\n\n</body>";
    const std::string second = *ComposeBook("<head>", body, {{2, "new"}}, 6, "");
    EXPECT_EQ(second, "<head><body>text" + BookmarkBlock({{2, "new"}}, 6));
    EXPECT_EQ(second.find("Vorn's Pellmark bookmarks \n\r"), second.rfind("Vorn's Pellmark bookmarks \n\r"));
}

TEST(BookFormat, EmptyBodyWritesNothing) {
    EXPECT_FALSE(ComposeBook("h", "</body>", {}, 0, "t"));
    EXPECT_FALSE(ComposeBook("h", "", {}, 0, "t"));
    EXPECT_EQ(*ComposeBook("h", "x</body>", {}, 0, "t"), "hx" + BookmarkBlock({}, 0) + "t");
}

TEST(BookFormat, RelativePositions) {
    EXPECT_EQ(RelativePosition(0, 1000), 0);
    EXPECT_EQ(RelativePosition(500, 1000), 1073741824);  // 1073741823.5 rounds up
    EXPECT_EQ(RelativePosition(1, 3), 715827882);
    EXPECT_EQ(RelativePosition(2, 3), 1431655765);
    EXPECT_EQ(RelativePosition(1000, 1000), kRelativeScale);
    EXPECT_EQ(RelativePosition(2000, 1000), kRelativeScale);  // never past the end
    // An empty page has no ratio: the top.
    EXPECT_EQ(RelativePosition(0, 0), 0);
    EXPECT_EQ(RelativePosition(10, 0), 0);
    EXPECT_EQ(RelativePosition(10, -5), 0);
}

TEST(BookFormat, PixelsOfRelativePositions) {
    EXPECT_EQ(PixelsOf(1073741824, 1000), 500);
    EXPECT_EQ(PixelsOf(kRelativeScale, 1000), 1000);
    EXPECT_EQ(PixelsOf(715827882, 3), 1);
    EXPECT_EQ(PixelsOf(0, 1000), 0);
    EXPECT_EQ(PixelsOf(1073741824, 0), 0);
    // A position survives a round trip within one pixel's worth.
    for (int h : {1, 777, 480000}) {
        for (int top : {0, 1, h / 3, h - 1}) {
            EXPECT_EQ(PixelsOf(RelativePosition(top, h), h), top) << h << " " << top;
        }
    }
}
