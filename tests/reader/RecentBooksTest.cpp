// The recent reader list and the "Recent files" menu.
#include <gtest/gtest.h>

#include <set>

#include "reader/RecentBooks.h"

using namespace pm;
using namespace pm::reader;

TEST(RecentBooks, StartsWithTenEmptyEntries) {
    RecentBooks list;
    EXPECT_EQ(list.Size(), 10u);
    EXPECT_FALSE(list.Find(""));
    EXPECT_FALSE(RecentMenu(list, [](const std::string&) { return true; }));
}

TEST(RecentBooks, FoundWithoutRegardToCase) {
    RecentBooks list;
    list.InsertFront("/Books/War.html");
    list.InsertFront("/books/\xD0\x9C\xD0\xB8\xD1\x80.html");  // "Мир"
    EXPECT_EQ(list.Find("/BOOKS/war.HTML"), 1u);
    EXPECT_EQ(list.Find("/books/\xD0\xBC\xD0\x98\xD0\xA0.html"), 0u);  // "мИР"
    EXPECT_FALSE(list.Find("/books/war.htm"));
}

TEST(RecentBooks, TheEleventhStaysInMemoryOnly) {
    Settings settings;
    RecentBooks list;
    list.LoadFrom(settings);
    for (int n = 1; n <= 11; ++n) {
        list.InsertFront("/b/" + std::to_string(n) + ".html");
        list.SetPosition(0, n);
    }
    EXPECT_EQ(list.Size(), 11u);
    EXPECT_EQ(list.At(10).path, "/b/1.html");
    EXPECT_TRUE(list.Find("/b/1.html"));
    list.StoreTo(settings);
    EXPECT_EQ(settings.recent[0].path, "/b/11.html");
    EXPECT_EQ(settings.recent[0].position, 11);
    EXPECT_EQ(settings.recent[9].path, "/b/2.html");
    for (const RecentReaderEntry& e : settings.recent) EXPECT_NE(e.path, "/b/1.html");
}

TEST(RecentBooks, RemovedEntryLeavesTheListAsItWas) {
    Settings settings;
    settings.recent[0] = {"/a.html", 5};
    settings.recent[1] = {"/b.html", 6};
    RecentBooks list;
    list.LoadFrom(settings);
    list.InsertFront("/new.html");
    list.RemoveAt(*list.Find("/new.html"));
    Settings stored;
    list.StoreTo(stored);
    for (size_t n = 0; n < stored.recent.size(); ++n) {
        EXPECT_EQ(stored.recent[n].path, settings.recent[n].path);
        EXPECT_EQ(stored.recent[n].position, settings.recent[n].position);
    }
}

TEST(RecentBooks, ShortenedAfterFiftyCharacters) {
    const std::string fifty = "/" + std::string(44, 'a') + ".html";
    ASSERT_EQ(fifty.size(), 50u);
    EXPECT_EQ(ShortenForMenu(fifty), fifty);
    const std::string sixty = "/hom" + std::string(20, 'x') + "/" + std::string(30, 'y') + ".html";
    ASSERT_EQ(sixty.size(), 60u);
    const std::string shown = ShortenForMenu(sixty);
    EXPECT_EQ(shown, "/hom..." + sixty.substr(24));
    EXPECT_EQ(shown.size(), 43u);
    EXPECT_EQ(ShortenForMenu(fifty + "b"), "/aaa..." + (fifty + "b").substr(15));
}

TEST(RecentBooks, ShorteningCountsCharactersNotBytes) {
    // Fifty Cyrillic letters are a hundred bytes but no long path.
    std::string fifty;
    for (int n = 0; n < 50; ++n) fifty += "\xD0\xAF";
    EXPECT_EQ(ShortenForMenu(fifty), fifty);
    const std::string longer = fifty + "\xD0\xAF";
    std::string head, tail;
    for (int n = 0; n < 4; ++n) head += "\xD0\xAF";
    for (int n = 0; n < 36; ++n) tail += "\xD0\xAF";
    EXPECT_EQ(ShortenForMenu(longer), head + "..." + tail);
}

TEST(RecentBooks, MenuOfTheFirstSixExistingBooks) {
    RecentBooks list;
    for (int n = 7; n >= 0; --n) list.InsertFront("/b/" + std::to_string(n) + ".html");
    const std::set<std::string> missing{"/b/2.html"};
    const auto items = RecentMenu(list, [&](const std::string& p) { return !missing.count(p); });
    ASSERT_TRUE(items);
    std::vector<int> digits;
    std::vector<size_t> indexes;
    for (const RecentMenuItem& i : *items) {
        digits.push_back(i.shortcutDigit);
        indexes.push_back(i.index);
    }
    // The missing book leaves a gap in the shortcuts; the seventh is not shown.
    EXPECT_EQ(digits, (std::vector<int>{1, 2, 4, 5, 6}));
    EXPECT_EQ(indexes, (std::vector<size_t>{0, 1, 3, 4, 5}));
    EXPECT_EQ((*items)[2].caption, "/b/3.html");
}

TEST(RecentBooks, MenuWithOnlyMissingBooksIsEmpty) {
    RecentBooks list;
    list.InsertFront("/gone.html");
    const auto items = RecentMenu(list, [](const std::string&) { return false; });
    ASSERT_TRUE(items);
    EXPECT_TRUE(items->empty());
}
