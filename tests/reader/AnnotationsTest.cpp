// Notes and bookmarks as written into the page.
#include <gtest/gtest.h>

#include "reader/Annotations.h"

using namespace pm;
using namespace pm::reader;

TEST(Notes, ApostrophesAndQuotesBecomeEntities) {
    EXPECT_EQ(NoteText({"It's \"good\" isn't it"}), "It&rsquo;s &quot;good&quot; isn&rsquo;t it");
    // Nothing else of a note is touched.
    EXPECT_EQ(NoteText({"<b>&amp; 100%</b>"}), "<b>&amp; 100%</b>");
}

TEST(Notes, LinesJoinWithBreaks) {
    EXPECT_EQ(NoteText({"first", "second"}), "first<br>second");
    EXPECT_EQ(NoteText({"a", "", "c"}), "a<br><br>c");
    EXPECT_EQ(NoteText({}), "");
    // A note typed as the bookmark comment's start cannot cut the book there
    // when it is saved.
    const std::string typed = NoteText({std::string(kBlockStart) + "x", "<!--"});
    EXPECT_EQ(typed.find("<!--"), std::string::npos);
    EXPECT_EQ(*ComposeBook("<head>", "<body>a" + typed + "b</body>", {}, 0, "</html>"),
              "<head><body>a" + typed + "b" + BookmarkBlock({}, 0) + "</html>");
    EXPECT_EQ(NoteText({""}), "");
}

TEST(Notes, BackslashCannotEscapeTheScriptsQuote) {
    EXPECT_EQ(NoteText({"C:\\dir\\"}), "C:\\\\dir\\\\");
}

TEST(Notes, MarkupFromTheTemplates) {
    const Templates t;
    EXPECT_EQ(NoteMarkup(t, "My note", "noted words"),
              "<A style=\"background-color: Lime; color: Black;\" href=\"javascript:newwin = "
              "window.open('', 'NewWin', 'scrollbars=1, width=400, height=210');newwin.document.write("
              "'<html><head><title>Comment</title></head><body>My note</body></html>')\">noted words</a>");
    Templates custom;
    custom.Set("Scriptcode1", "[");
    custom.Set("Scriptcode2", "|");
    custom.Set("Scriptcode3", "]");
    EXPECT_EQ(NoteMarkup(custom, "n", "s"), "[n|s]");
    // The noted text stays text.
    EXPECT_EQ(NoteMarkup(custom, "n", "a<b & c>"), "[n|a&lt;b &amp; c&gt;]");
}

TEST(Bookmarks, MarkupCarriesTheIdTwice) {
    const Templates t;
    EXPECT_EQ(BookmarkMarkup(t, 1234, "<b>bold</b> plain"),
              "<A style=\"background-color: Red; color: White;\" id=1234 name=1234><b>bold</b> plain</a>");
}

TEST(Bookmarks, SuggestedNameIsTheTextOfTheSelection) {
    EXPECT_EQ(SuggestBookmarkName("<b>Bold</b> plain"), "Bold plain");
    EXPECT_EQ(SuggestBookmarkName("one\r\ntwo<br\n>three"), "onetwothree");
    EXPECT_EQ(SuggestBookmarkName("a&nbsp;b&shy;c\xAD" "d &amp; e"), "abcd &amp; e");
    EXPECT_EQ(SuggestBookmarkName("x<span unclosed"), "x");
    // Entities are removed after the tags, so a tag cannot hide one.
    EXPECT_EQ(SuggestBookmarkName("&nb<i>sp;</i>z"), "z");
}

TEST(Bookmarks, SuggestedNameKeepsFiftyCharacters) {
    const std::string fifty(50, 'n');
    EXPECT_EQ(SuggestBookmarkName(fifty), fifty);
    EXPECT_EQ(SuggestBookmarkName(fifty + "x"), fifty);
    EXPECT_EQ(SuggestBookmarkName(std::string(49, 'n')), std::string(49, 'n'));
    // Counted after the clean-up.
    EXPECT_EQ(SuggestBookmarkName("<p>" + fifty + "</p>"), fifty);
}

TEST(Bookmarks, IdsFromThePosition) {
    EXPECT_EQ(BookmarkId(0, 0), 0);
    EXPECT_EQ(BookmarkId(0, 19), 19);
    EXPECT_EQ(BookmarkId(2147483000, 19), 2147483019);
    // Never past 32 bits.
    EXPECT_EQ(BookmarkId(kRelativeScale - 5, 19), kRelativeScale);
}

TEST(Bookmarks, OrderedInsertion) {
    std::vector<Bookmark> list{{10, "a"}, {20, "b"}, {30, "c"}};
    EXPECT_EQ(InsertOrdered(list, {5, "top"}), 0u);
    EXPECT_EQ(InsertOrdered(list, {20, "same"}), 2u);  // before an equal ID
    EXPECT_EQ(InsertOrdered(list, {21, "after b"}), 4u);
    EXPECT_EQ(InsertOrdered(list, {99, "end"}), 6u);
    std::vector<std::string> names;
    for (const Bookmark& b : list) names.push_back(b.name);
    EXPECT_EQ(names, (std::vector<std::string>{"top", "a", "same", "b", "after b", "c", "end"}));
    std::vector<Bookmark> empty;
    EXPECT_EQ(InsertOrdered(empty, {1, "only"}), 0u);
}

TEST(Bookmarks, AnchorsOfRemovedBookmarks) {
    const std::vector<Bookmark> before{{10, "a"}, {0, "zero"}, {20, "b"}, {30, "c"}};
    EXPECT_EQ(RemovedAnchors(before, {{20, "b renamed"}}), (std::vector<int32_t>{10, 30}));
    EXPECT_TRUE(RemovedAnchors(before, before).empty());
    // A removed entry whose ID another entry still uses keeps its anchor.
    EXPECT_TRUE(RemovedAnchors({{7, "x"}, {7, "y"}}, {{7, "y"}}).empty());
}
